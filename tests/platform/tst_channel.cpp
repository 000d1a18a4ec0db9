#include "platform/channelserver.h"
#include "platform/qcopenvelope.h"
#include "platform/qcopframe.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

using Message = QPair<QByteArray, QByteArray>;

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
