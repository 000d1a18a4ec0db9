#include "platform/channelserver.h"

#include "platform/qcopframe.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

static constexpr const char* BufferProperty = "qcopBuffer";

ChannelServer::ChannelServer(const QString& channel, QObject* parent)
    : QObject(parent), m_channel(channel), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &ChannelServer::accept);
}

ChannelServer::~ChannelServer() = default;

QString ChannelServer::socketPath(const QString& channel)
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isDir())
        base = QDir::tempPath() + QStringLiteral("/palmtop-%1").arg(getuid());
    else
        base += QStringLiteral("/palmtop");
    QDir().mkpath(base);
    ::chmod(QFile::encodeName(base).constData(), 0700);
    QString name = channel;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return base + QLatin1Char('/') + name;
}

bool ChannelServer::isServed(const QString& channel)
{
    QLocalSocket probe;
    probe.connectToServer(socketPath(channel));
    const bool served = probe.waitForConnected(1000);
    probe.abort();
    return served;
}

bool ChannelServer::listen()
{
    const QString path = socketPath(m_channel);
    if (isServed(m_channel))
        return false;
    if (m_server->listen(path))
        return true;
    // A socket file left behind by a program that did not end cleanly.
    QLocalServer::removeServer(path);
    return m_server->listen(path);
}

void ChannelServer::accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        ucred cred {};
        socklen_t len = sizeof cred;
        if (getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0
            || cred.uid != getuid()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrames(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            readFrames(socket);
    }
}

void ChannelServer::readFrames(QLocalSocket* socket)
{
    QByteArray buffer = socket->property(BufferProperty).toByteArray() + socket->readAll();
    QList<QPair<QByteArray, QByteArray>> messages;
    const bool sound = QCopFrame::take(buffer, messages);
    socket->setProperty(BufferProperty, sound ? buffer : QByteArray());
    for (const auto& m : messages)
        emit received(m.first, m.second);
    if (!sound)
        socket->abort();
}
