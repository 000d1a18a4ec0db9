#include "platform/channelserver.h"

#include "platform/qcopframe.h"

#include <QDir>
#include <QEvent>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// A folder that nobody but us can enter or replace: a real folder (no link), ours,
// mode 0700. Made when missing; a folder someone else made first is refused.
static bool isPrivateFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) == 0)
        ::chmod(name.constData(), 0700); // whatever the umask
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0700;
}

static QString runtimeFolder()
{
    QStringList candidates;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        candidates << runtime + QStringLiteral("/palmtop");
    candidates << QDir::tempPath() + QStringLiteral("/palmtop-%1").arg(::geteuid());
    // Home may be shared between machines; sockets are not.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    candidates << cache + QStringLiteral("/palmtop-") + QSysInfo::machineHostName();
    for (const QString& folder : candidates) {
        QDir().mkpath(QFileInfo(folder).absolutePath());
        if (isPrivateFolder(folder))
            return folder;
        qWarning("palmtop: %s is not a private folder of this user; not used", qPrintable(folder));
    }
    return QString();
}

QString ChannelServer::socketPath(const QString& channel)
{
    const QString folder = runtimeFolder();
    if (folder.isEmpty())
        return QString();
    QString name = channel;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder + QLatin1Char('/') + name;
}

ChannelServer::Peer ChannelServer::probe(const QString& channel)
{
    const QByteArray path = QFile::encodeName(socketPath(channel));
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof addr.sun_path)
        return Peer::Unknown;
    std::memcpy(addr.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Peer::Unknown;
    const int result = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    const int error = errno;
    ::close(fd);
    if (result == 0)
        return Peer::Served;
    switch (error) {
    case EAGAIN: return Peer::Busy; // a full backlog: alive, just not accepting yet
    case ECONNREFUSED: return Peer::Dead;
    case ENOENT: return Peer::Absent;
    default: return Peer::Unknown;
    }
}

bool ChannelServer::isServed(const QString& channel)
{
    const Peer peer = probe(channel);
    return peer == Peer::Served || peer == Peer::Busy;
}

ChannelServer::ChannelServer(const QString& channel, QObject* parent)
    : QObject(parent), m_channel(channel), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &ChannelServer::accept);
    // The server closes itself for good when accept() fails (out of descriptors) and
    // tells nobody; it does drop its socket notifier, a child, which we see.
    m_server->installEventFilter(this);
    m_retry.setSingleShot(true);
    m_retry.setInterval(1000);
    connect(&m_retry, &QTimer::timeout, this, &ChannelServer::listenAgain);
}

ChannelServer::~ChannelServer() = default;

bool ChannelServer::listen()
{
    const QString path = socketPath(m_channel);
    if (path.isEmpty())
        return false;
    // Two programs starting at once must not both take a dead socket for theirs.
    const int lock = ::open(QFile::encodeName(path + QStringLiteral(".lock")).constData(),
                            O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock >= 0)
        ::flock(lock, LOCK_EX);
    bool listening = false;
    const Peer peer = probe(m_channel);
    if (peer != Peer::Served && peer != Peer::Busy) {
        // Only a socket that refuses connections is left over from a program that ended.
        if (peer == Peer::Dead)
            QLocalServer::removeServer(path);
        listening = m_server->listen(path);
    }
    if (lock >= 0)
        ::close(lock);
    m_serving = listening;
    return listening;
}

bool ChannelServer::isListening() const
{
    return m_server->isListening();
}

bool ChannelServer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_server && event->type() == QEvent::ChildRemoved && m_serving && !m_retry.isActive())
        QMetaObject::invokeMethod(this, &ChannelServer::listenAgain, Qt::QueuedConnection);
    return false;
}

void ChannelServer::listenAgain()
{
    if (!m_serving || m_server->isListening())
        return;
    if (listen())
        return;
    // Another process took the channel meanwhile: it is theirs now.
    if (isServed(m_channel))
        return;
    m_serving = true;
    m_retry.start();
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
        if (m_connections.size() >= MaxConnections)
            drop(m_connections.first());
        m_connections.append(socket);
        // One frame at most waits in the socket: we read only whole frames.
        socket->setReadBufferSize(4 + qint64(QCopFrame::MaxFrame));
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrames(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            readFrames(socket);
            drop(socket);
        });
        if (socket->bytesAvailable() > 0)
            readFrames(socket);
    }
}

void ChannelServer::drop(QLocalSocket* socket)
{
    if (!m_connections.removeOne(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void ChannelServer::readFrames(QLocalSocket* socket)
{
    char header[4];
    while (m_connections.contains(socket) && socket->peek(header, 4) == 4) {
        const quint32 length = QCopFrame::payloadLength(header);
        if (length > QCopFrame::MaxFrame) {
            drop(socket);
            return;
        }
        if (socket->bytesAvailable() < 4 + qint64(length))
            break;
        socket->skip(4);
        QByteArray msg, data;
        if (!QCopFrame::decode(socket->read(length), msg, data)) {
            drop(socket);
            return;
        }
        // Delivered from the event loop, not from within the socket's signal: a receiver
        // may run a modal loop (a question before closing), in which the socket can go.
        QMetaObject::invokeMethod(this, [this, msg, data] { emit received(msg, data); }, Qt::QueuedConnection);
    }
    limitBuffers();
}

void ChannelServer::limitBuffers()
{
    for (;;) {
        qint64 total = 0;
        QLocalSocket* largest = nullptr;
        for (QLocalSocket* s : std::as_const(m_connections)) {
            total += s->bytesAvailable();
            if (!largest || s->bytesAvailable() > largest->bytesAvailable())
                largest = s;
        }
        if (total <= MaxBuffered || !largest)
            return;
        drop(largest);
    }
}
