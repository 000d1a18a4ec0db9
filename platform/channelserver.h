#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QLocalServer;
class QLocalSocket;

// Serves one message channel on a local socket that only its owner can reach.
// Each connection carries frames written by QCopFrame; anything malformed ends
// the connection without further notice.
class ChannelServer : public QObject
{
    Q_OBJECT
public:
    // Connections held at once; a new one beyond this ends the oldest.
    static constexpr int MaxConnections = 32;
    // Bytes of unfinished frames held across all connections.
    static constexpr qint64 MaxBuffered = 32 * 1024 * 1024;

    // What a connection attempt tells about a channel's socket.
    enum class Peer { Served, Busy, Dead, Absent, Unknown };

    explicit ChannelServer(const QString& channel, QObject* parent = nullptr);
    ~ChannelServer() override;

    // False when another process already serves the channel (or no private
    // folder for its socket could be found).
    bool listen();
    bool isListening() const;
    QString channel() const { return m_channel; }

    // The socket of a channel in the user's private runtime folder; empty when
    // there is no such folder.
    static QString socketPath(const QString& channel);
    static bool isServed(const QString& channel);
    static Peer probe(const QString& channel);

signals:
    void received(const QByteArray& msg, const QByteArray& data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void accept();
    void readFrames(QLocalSocket* socket);
    void drop(QLocalSocket* socket);
    void limitBuffers();
    void listenAgain();

    QString m_channel;
    QLocalServer* m_server;
    QList<QLocalSocket*> m_connections; // oldest first
    bool m_serving = false;
    QTimer m_retry;
};
