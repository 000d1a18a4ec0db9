#include "platform/channelserver.h"
#include "platform/config.h"
#include "platform/qcopenvelope.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The program as a user starts it: one window, later starts handing their
// documents to it, and what it remembers when asked to close.
class TestVelinoProcess : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    const QString channel = QStringLiteral("QPE/Application/velino");

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }

    bool waitUntilServed()
    {
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            if (ChannelServer::isServed(channel))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    static QString history(int n, const char* field = "")
    {
        Config conf(QStringLiteral("VElino"));
        conf.setGroup(QStringLiteral("LastFile"));
        return conf.readEntry(QStringLiteral("LastFile%1%2").arg(n).arg(QLatin1String(field)));
    }

private slots:
    void init() { QFile::remove(Config::filePath(QStringLiteral("VElino"))); }

    void laterStartsHandTheirDocumentToTheRunningWindow()
    {
        const QString a = file(QStringLiteral("a.txt"), "first\n");
        const QString b = file(QStringLiteral("b.txt"), "second\n");
        const QString c = file(QStringLiteral("c.txt"), "third\n");

        QProcess first;
        first.start(QStringLiteral(VELINO_PROGRAM), {a});
        QVERIFY(first.waitForStarted());
        QVERIFY(waitUntilServed());

        for (const QString& path : {b, c}) {
            QProcess second;
            second.start(QStringLiteral(VELINO_PROGRAM), {path});
            QVERIFY(second.waitForFinished(10000));
            QCOMPARE(second.exitCode(), 0);
            QCOMPARE(first.state(), QProcess::Running);
        }

        QVERIFY(QCopEnvelope::send(channel, "quit()", QByteArray()));
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
        // Each document entered the history when the next one replaced it, the last on closing.
        QCOMPARE(history(1), c);
        QCOMPARE(history(2), b);
        QCOMPARE(history(3), a);
    }

    void laterStartHandsItsLineOverToo()
    {
        const QString a = file(QStringLiteral("first.txt"), "first\n");
        const QString lines = file(QStringLiteral("ten.txt"), "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n");
        QProcess first;
        first.start(QStringLiteral(VELINO_PROGRAM), {a});
        QVERIFY(waitUntilServed());
        QProcess second;
        second.start(QStringLiteral(VELINO_PROGRAM), {lines, QStringLiteral("6")});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QTest::qWait(200);
        QVERIFY(QCopEnvelope::send(channel, "quit()", QByteArray()));
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(history(1), lines);
        QCOMPARE(history(1, "_line"), QStringLiteral("6"));
    }

    void fileAndLineOnTheCommandLine()
    {
        const QString path = file(QStringLiteral("lines.txt"), "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
        QProcess velino;
        velino.start(QStringLiteral(VELINO_PROGRAM), {path, QStringLiteral("9")});
        QVERIFY(waitUntilServed());
        {
            // Moved further by a message, as a script would do it.
            QCopEnvelope e(channel, "JumpTo(int)");
            e << qint32(4);
        }
        QTest::qWait(200);
        QVERIFY(QCopEnvelope::send(channel, "quit()", QByteArray()));
        QVERIFY(velino.waitForFinished(10000));
        QCOMPARE(history(1), path);
        QCOMPARE(history(1, "_line"), QStringLiteral("4"));

        velino.start(QStringLiteral(VELINO_PROGRAM), {path, QStringLiteral("9")});
        QVERIFY(waitUntilServed());
        QVERIFY(QCopEnvelope::send(channel, "quit()", QByteArray()));
        QVERIFY(velino.waitForFinished(10000));
        QCOMPARE(history(1, "_line"), QStringLiteral("9"));
    }
};

QTEST_GUILESS_MAIN(TestVelinoProcess)
#include "tst_velino_process.moc"
