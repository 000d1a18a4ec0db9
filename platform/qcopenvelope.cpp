#include "platform/qcopenvelope.h"

#include "platform/channelserver.h"
#include "platform/qcopframe.h"

#include <QLocalSocket>

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

bool QCopEnvelope::send(const QString& channel, const QByteArray& message, const QByteArray& data)
{
    QLocalSocket socket;
    socket.connectToServer(ChannelServer::socketPath(channel));
    if (!socket.waitForConnected(1000))
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
