#include "platform/qcopenvelope.h"

#include "platform/channelserver.h"
#include "platform/qcopframe.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

#include <sys/socket.h>
#include <unistd.h>

QCopEnvelope::QCopEnvelope(const QString& channel, const QByteArray& message)
    : m_channel(channel), m_message(message)
{
    m_buffer.setBuffer(&m_data);
    m_buffer.open(QIODevice::WriteOnly);
    setDevice(&m_buffer);
    setVersion(QDataStream::Qt_6_0);
}

QCopEnvelope::~QCopEnvelope()
{
    setDevice(nullptr);
    send(m_channel, m_message, m_data);
}

// Connects to the channel's server, waiting while it is alive but too busy to take
// connections; only a server run by this user is accepted.
static bool connectToChannel(QLocalSocket& socket, const QString& channel)
{
    QDeadlineTimer deadline(QCopEnvelope::BusyWait);
    for (;;) {
        socket.connectToServer(ChannelServer::socketPath(channel));
        if (socket.waitForConnected(1000))
            break;
        socket.abort();
        if (deadline.hasExpired() || ChannelServer::probe(channel) != ChannelServer::Peer::Busy)
            return false;
        QThread::msleep(50);
    }
    ucred cred {};
    socklen_t len = sizeof cred;
    if (getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0
        || cred.uid != getuid()) {
        socket.abort();
        return false;
    }
    return true;
}

bool QCopEnvelope::send(const QString& channel, const QByteArray& message, const QByteArray& data)
{
    QLocalSocket socket;
    if (!connectToChannel(socket, channel))
        return false;
    socket.write(QCopFrame::encode(message, data));
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(2000)) {
    }
    const bool sent = socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(1000);
    return sent;
}
