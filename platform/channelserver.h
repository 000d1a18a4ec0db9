#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// Serves one message channel on a local socket that only its owner can reach.
// Each connection carries frames written by QCopFrame; anything malformed ends
// the connection without further notice.
class ChannelServer : public QObject
{
    Q_OBJECT
public:
    explicit ChannelServer(const QString& channel, QObject* parent = nullptr);
    ~ChannelServer() override;

    // False when another process already serves the channel.
    bool listen();
    QString channel() const { return m_channel; }

    static QString socketPath(const QString& channel);
    static bool isServed(const QString& channel);

signals:
    void received(const QByteArray& msg, const QByteArray& data);

private:
    void accept();
    void readFrames(QLocalSocket* socket);

    QString m_channel;
    QLocalServer* m_server;
};
