#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QString>

// Collects arguments like a data stream and sends them to a channel when
// destroyed. Without a listener the message is dropped silently.
class QCopEnvelope : public QDataStream
{
public:
    QCopEnvelope(const QString& channel, const QByteArray& message);
    ~QCopEnvelope();

    // How long a sender waits for a server that is alive but does not accept yet (ms).
    static constexpr int BusyWait = 20000;

    // Sends now; true when a listener took the message.
    static bool send(const QString& channel, const QByteArray& message, const QByteArray& data);

private:
    QString m_channel;
    QByteArray m_message;
    QByteArray m_data;
    QBuffer m_buffer;
};
