#include "platform/channelserver.h"
#include "platform/qcopenvelope.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

// The program as a user starts it: one window for the one set of page files.
class TestMervoProcess : public QObject
{
    Q_OBJECT

private slots:
    void secondStartRaisesTheRunningWindowAndEnds()
    {
        const QString channel = QStringLiteral("QPE/Application/mervo");
        QProcess first;
        first.start(QStringLiteral(MERVO_PROGRAM), {});
        QVERIFY(first.waitForStarted());
        QDeadlineTimer deadline(10000);
        while (!ChannelServer::isServed(channel) && !deadline.hasExpired())
            QTest::qWait(50);
        QVERIFY(ChannelServer::isServed(channel));

        // Two windows on the same files would overwrite each other's pages.
        QProcess second;
        second.start(QStringLiteral(MERVO_PROGRAM), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // Ended by the session (SIGTERM), it closes as the user would, saving its page.
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMervoProcess)
#include "tst_mervo_process.moc"
