#include "platform/channelserver.h"
#include "platform/qcopenvelope.h"
#include "platform/qcopframe.h"

#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using Message = QPair<QByteArray, QByteArray>;

namespace {
// A raw client connection that does not wait: -1 when the server's backlog is full.
int rawConnect(const QString& path)
{
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0)
        return fd;
    ::close(fd);
    return -1;
}

// Lowers the soft limit of open descriptors for one test.
struct DescriptorLimit
{
    explicit DescriptorLimit(rlim_t n)
    {
        getrlimit(RLIMIT_NOFILE, &old);
        rlimit low = old;
        low.rlim_cur = n;
        setrlimit(RLIMIT_NOFILE, &low);
    }
    ~DescriptorLimit() { setrlimit(RLIMIT_NOFILE, &old); }
    rlimit old {};
};

bool delivers(ChannelServer& server, const QByteArray& message)
{
    QSignalSpy spy(&server, &ChannelServer::received);
    if (!QCopEnvelope::send(server.channel(), message, QByteArray()))
        return false;
    return spy.wait(2000) || !spy.isEmpty();
}
} // namespace

class TestChannel : public QObject
{
    Q_OBJECT
private slots:
    void envelopeReachesTheServer()
    {
        ChannelServer server(QStringLiteral("QPE/Application/test1"));
        QVERIFY(server.listen());
        QSignalSpy spy(&server, &ChannelServer::received);
        {
            QCopEnvelope e(QStringLiteral("QPE/Application/test1"), "JumpTo(int)");
            e << qint32(41);
        }
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray("JumpTo(int)"));
        QDataStream in(spy.at(0).at(1).toByteArray());
        in.setVersion(QDataStream::Qt_6_0);
        qint32 line = 0;
        in >> line;
        QCOMPARE(line, 41);
    }

    void onlyTheOwnerCanReachTheSocket()
    {
        ChannelServer server(QStringLiteral("QPE/Application/test2"));
        QVERIFY(server.listen());
        struct stat st {};
        const QByteArray dir = QFile::encodeName(QFileInfo(ChannelServer::socketPath(server.channel())).absolutePath());
        QCOMPARE(::stat(dir.constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
        QCOMPARE(::stat(QFile::encodeName(ChannelServer::socketPath(server.channel())).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0077, 0u);
    }

    void secondServerIsRefusedAndStaleSocketReplaced()
    {
        const QString channel = QStringLiteral("QPE/Application/test3");
        {
            ChannelServer first(channel);
            QVERIFY(first.listen());
            ChannelServer second(channel);
            QVERIFY(!second.listen());
            QVERIFY(ChannelServer::isServed(channel));
        }
        QVERIFY(!ChannelServer::isServed(channel));
        // A file left where the socket was must not keep the program from starting.
        QFile stale(ChannelServer::socketPath(channel));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        ChannelServer again(channel);
        QVERIFY(again.listen());
    }

    void foreignRuntimeFolderIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link") << "link";
        QTest::newRow("open to all") << "open";
        QTest::newRow("another owner") << "owner";
    }
    void foreignRuntimeFolderIsRefused()
    {
        QFETCH(QString, kind);
        if (kind == QLatin1String("owner") && ::geteuid() != 0)
            QSKIP("giving a folder to another user needs root");
        QTemporaryDir tmp;
        const QByteArray oldTmp = qgetenv("TMPDIR"), oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        qunsetenv("XDG_RUNTIME_DIR");
        const QString foreign = tmp.filePath(QStringLiteral("palmtop-%1").arg(::geteuid()));
        const QString elsewhere = tmp.filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkdir(elsewhere));
        if (kind == QLatin1String("link")) {
            QVERIFY(QFile::link(elsewhere, foreign));
        } else {
            QVERIFY(QDir().mkdir(foreign));
            QCOMPARE(::chmod(QFile::encodeName(foreign).constData(), kind == QLatin1String("open") ? 0777 : 0700), 0);
            if (kind == QLatin1String("owner"))
                QCOMPARE(::chown(QFile::encodeName(foreign).constData(), 65534, 65534), 0);
        }

        const QString path = ChannelServer::socketPath(QStringLiteral("QPE/Application/test7"));
        ChannelServer server(QStringLiteral("QPE/Application/test7"));
        const bool listening = server.listen();
        qputenv("TMPDIR", oldTmp);
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
        QVERIFY(!path.isEmpty());
        QVERIFY2(!path.startsWith(foreign + QLatin1Char('/')), qPrintable(path));
        QVERIFY(QDir(elsewhere).isEmpty());
        QVERIFY(QDir(foreign).isEmpty());
        QVERIFY(listening);
        struct stat st {};
        QCOMPARE(::lstat(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &st), 0);
        QVERIFY(S_ISDIR(st.st_mode));
        QCOMPARE(st.st_uid, ::geteuid());
        QCOMPARE(st.st_mode & 07777, 0700u);
    }

    void busyServerKeepsItsSocketAndGetsTheMessageLater()
    {
        const QString channel = QStringLiteral("QPE/Application/test8");
        ChannelServer first(channel);
        QVERIFY(first.listen());
        QSignalSpy spy(&first, &ChannelServer::received);
        // Without the event loop the server accepts nothing: fill its backlog.
        QList<int> waiting;
        for (int fd; waiting.size() < 5000 && (fd = rawConnect(ChannelServer::socketPath(channel))) >= 0;)
            waiting << fd;
        QCOMPARE(ChannelServer::probe(channel), ChannelServer::Peer::Busy);

        ChannelServer second(channel);
        QVERIFY(!second.listen());
        QVERIFY(!second.isListening());

        QProcess sender;
        sender.start(QStringLiteral(QCOP_TOOL), {channel, QStringLiteral("JumpTo(int)"), QStringLiteral("7")});
        QVERIFY(sender.waitForStarted());
        ::usleep(1500 * 1000); // the sender meets the full backlog for longer than a connection wait
        for (int fd : waiting)
            ::close(fd);
        QTRY_COMPARE(spy.count(), 1);
        QTRY_COMPARE(sender.state(), QProcess::NotRunning);
        QCOMPARE(sender.exitCode(), 0);
        QVERIFY(first.isListening());
    }

    void floodOfConnectionsLeavesTheChannelServed()
    {
        ChannelServer server(QStringLiteral("QPE/Application/test9"));
        QVERIFY(server.listen());
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        sockaddr_un addr {};
        addr.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(ChannelServer::socketPath(server.channel()));
        std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
        const pid_t child = ::fork();
        if (child == 0) {
            // Holds a thousand connections until it is ended.
            ::close(1);
            ::close(2);
            for (int i = 0; i < 1000; ++i) {
                const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
                    ::close(fd);
            }
            (void)!::write(ready[1], "x", 1);
            ::pause();
            ::_exit(0);
        }
        auto end = qScopeGuard([&] {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            ::close(ready[0]);
            ::close(ready[1]);
        });
        DescriptorLimit limit(256);
        pollfd p {ready[0], POLLIN, 0};
        QTRY_VERIFY_WITH_TIMEOUT(::poll(&p, 1, 0) == 1, 20000);
        QVERIFY(server.isListening());
        QVERIFY(delivers(server, "After()"));
    }

    void serverListensAgainAfterRunningOutOfDescriptors()
    {
        ChannelServer server(QStringLiteral("QPE/Application/test10"));
        QVERIFY(server.listen());
        const int client = rawConnect(ChannelServer::socketPath(server.channel()));
        QVERIFY(client >= 0);
        // Every descriptor taken: accepting the waiting connection fails.
        DescriptorLimit limit(64);
        QList<int> filler;
        for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;)
            filler << fd;
        QTRY_VERIFY(!server.isListening());
        for (int fd : filler)
            ::close(fd);
        ::close(client);
        QTRY_VERIFY(server.isListening());
        QVERIFY(delivers(server, "Again()"));
    }

    void bufferedBytesAreCapped()
    {
        ChannelServer server(QStringLiteral("QPE/Application/test11"));
        QVERIFY(server.listen());
        // Three connections each hold most of a 16 MiB frame that never ends.
        QList<QLocalSocket*> hogs;
        const QByteArray part = QByteArray::fromHex("01000000") + QByteArray(12 * 1024 * 1024, 'x');
        for (int i = 0; i < 3; ++i) {
            auto* s = new QLocalSocket(this);
            s->connectToServer(ChannelServer::socketPath(server.channel()));
            QVERIFY(s->waitForConnected(1000));
            s->write(part);
            hogs << s;
        }
        QTRY_VERIFY(std::any_of(hogs.begin(), hogs.end(),
                                [](QLocalSocket* s) { return s->state() == QLocalSocket::UnconnectedState; }));
        QVERIFY(delivers(server, "Small()"));
        qDeleteAll(hogs);

        // A whole frame of the largest size still arrives, written in small pieces.
        QSignalSpy spy(&server, &ChannelServer::received);
        const QByteArray frame = QCopFrame::encode("Big(QByteArray)", QByteArray(QCopFrame::MaxFrame - 64, 'y'));
        QLocalSocket socket;
        socket.connectToServer(ChannelServer::socketPath(server.channel()));
        QVERIFY(socket.waitForConnected(1000));
        for (qsizetype at = 0; at < frame.size(); at += 4096)
            socket.write(frame.mid(at, 4096));
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 20000);
        QCOMPARE(spy.at(0).at(1).toByteArray().size(), QCopFrame::MaxFrame - 64);
    }

    void malformedFramesAreDroppedAndServerGoesOn()
    {
        ChannelServer server(QStringLiteral("QPE/Application/test4"));
        QVERIFY(server.listen());
        QSignalSpy spy(&server, &ChannelServer::received);

        const QList<QByteArray> garbage = {
            QByteArray("\xff\xff\xff\xff", 4),                     // length beyond the limit
            QByteArray("\x00\x00\x00\x03" "abc", 7),               // payload that is no stream
            QByteArray("\x00\x00\x00\x04\x00\x00\x00\x00", 8),     // empty message name
            QCopFrame::encode("Good()", QByteArray()) + QByteArray("\x00\x00\x00\x02zz", 6),
        };
        for (const QByteArray& bytes : garbage) {
            QLocalSocket socket;
            socket.connectToServer(ChannelServer::socketPath(server.channel()));
            QVERIFY(socket.waitForConnected(1000));
            socket.write(bytes);
            socket.waitForBytesWritten(1000);
            QTRY_VERIFY(socket.state() == QLocalSocket::UnconnectedState
                        || socket.waitForDisconnected(50));
        }
        // The good frame before the broken one was delivered; nothing else was.
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray("Good()"));

        QVERIFY(QCopEnvelope::send(server.channel(), "After()", QByteArray()));
        QTRY_COMPARE(spy.count(), 2);
    }

    void framesSplitAcrossWritesAreJoined()
    {
        ChannelServer server(QStringLiteral("QPE/Application/test5"));
        QVERIFY(server.listen());
        QSignalSpy spy(&server, &ChannelServer::received);
        const QByteArray frame = QCopFrame::encode("A(QString)", QByteArray(100, 'x'));
        QLocalSocket socket;
        socket.connectToServer(ChannelServer::socketPath(server.channel()));
        QVERIFY(socket.waitForConnected(1000));
        socket.write(frame.left(3));
        socket.flush();
        QTest::qWait(20);
        socket.write(frame.mid(3) + frame);
        socket.flush();
        QTRY_COMPARE(spy.count(), 2);
    }

    void sendingWithoutListenerIsSilent()
    {
        QVERIFY(!QCopEnvelope::send(QStringLiteral("QPE/Application/nobody"), "X()", QByteArray()));
        QCopEnvelope e(QStringLiteral("QPE/Application/nobody"), "X(int)");
        e << qint32(1);
    }

    void qcopToolSendsAndListens()
    {
        ChannelServer server(QStringLiteral("QPE/Application/test6"));
        QVERIFY(server.listen());
        QSignalSpy spy(&server, &ChannelServer::received);
        QCOMPARE(QProcess::execute(QStringLiteral(QCOP_TOOL),
                                   {server.channel(), QStringLiteral("JumpTo(int)"), QStringLiteral("41")}),
                 0);
        QTRY_COMPARE(spy.count(), 1);
        QStringList values;
        QVERIFY(QCopFrame::decodeArguments("JumpTo(int)", spy.at(0).at(1).toByteArray(), values));
        QCOMPARE(values, QStringList{QStringLiteral("41")});

        // Arguments that do not fit the message are refused before anything is sent.
        QCOMPARE(QProcess::execute(QStringLiteral(QCOP_TOOL),
                                   {server.channel(), QStringLiteral("JumpTo(int)"), QStringLiteral("forty")}),
                 2);
        QCOMPARE(QProcess::execute(QStringLiteral(QCOP_TOOL), {QStringLiteral("QPE/Application/nobody"),
                                                                QStringLiteral("JumpTo(int)"), QStringLiteral("1")}),
                 1);

        QProcess listener;
        listener.start(QStringLiteral(QCOP_TOOL), {QStringLiteral("--listen"), QStringLiteral("QPE/System")});
        QVERIFY(listener.waitForReadyRead(5000));
        QVERIFY(listener.readLine().startsWith("listening"));
        {
            QCopEnvelope e(QStringLiteral("QPE/System"), "linkChanged(QString)");
            e << QStringLiteral("/home/a b");
        }
        QVERIFY(listener.waitForReadyRead(5000));
        QCOMPARE(listener.readLine(), QByteArray("linkChanged(QString) /home/a b\n"));
        listener.kill();
        listener.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestChannel)
#include "tst_channel.moc"
