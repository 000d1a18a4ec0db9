#include "platform/config.h"
#include "pipeguard.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestConfig : public QObject
{
    Q_OBJECT
private slots:
    void init() { QFile::remove(Config::filePath(QStringLiteral("sample"))); }

    void absentKeysGiveDefaults()
    {
        Config c(QStringLiteral("sample"));
        c.setGroup(QStringLiteral("View"));
        QCOMPARE(c.readEntry(QStringLiteral("Name"), QStringLiteral("dflt")), QStringLiteral("dflt"));
        QVERIFY(c.readEntry(QStringLiteral("Name")).isNull());
        QCOMPARE(c.readNumEntry(QStringLiteral("Size"), 10), 10);
        QCOMPARE(c.readBoolEntry(QStringLiteral("On"), true), true);
        QVERIFY(!c.hasKey(QStringLiteral("Size")));
    }

    void handWrittenValues()
    {
        const QString path = Config::filePath(QStringLiteral("sample"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[View]\nEmpty=\nWord=abc\nNum=12\nBad=x1\nSpaced= 7 \nYes=true\nOne=1\nNo=0\n"
                "List=int,char\nWords=\\bint\\b;\\s*$ = x\n  Key with spaces  =  a # b ; c\r\n"
                "# a note\n[Other]\nNum=99\n");
        f.close();

        Config c(QStringLiteral("sample"));
        c.setGroup(QStringLiteral("View"));
        const QString empty = c.readEntry(QStringLiteral("Empty"), QStringLiteral(""));
        QVERIFY(empty.isNull());  // told apart from an empty default
        QCOMPARE(c.readEntry(QStringLiteral("Word"), QStringLiteral("d")), QStringLiteral("abc"));
        QCOMPARE(c.readNumEntry(QStringLiteral("Num"), 5), 12);
        QCOMPARE(c.readNumEntry(QStringLiteral("Bad"), 5), 0);
        QCOMPARE(c.readNumEntry(QStringLiteral("Empty"), 5), 0);
        QCOMPARE(c.readNumEntry(QStringLiteral("Spaced"), 5), 7);
        QCOMPARE(c.readBoolEntry(QStringLiteral("Yes"), false), true);
        QCOMPARE(c.readBoolEntry(QStringLiteral("One"), false), true);
        QCOMPARE(c.readBoolEntry(QStringLiteral("No"), true), false);
        // Values stand as written: no lists, escapes or comments.
        QCOMPARE(c.readEntry(QStringLiteral("List")), QStringLiteral("int,char"));
        QCOMPARE(c.readEntry(QStringLiteral("Words")), QStringLiteral("\\bint\\b;\\s*$ = x"));
        QCOMPARE(c.readEntry(QStringLiteral("Key with spaces")), QStringLiteral("a # b ; c"));
        c.setGroup(QStringLiteral("Other"));
        QCOMPARE(c.readNumEntry(QStringLiteral("Num"), 5), 99);
    }

    void writesReachTheFileOnDestruction()
    {
        {
            Config c(QStringLiteral("sample"));
            c.setGroup(QStringLiteral("LastFile"));
            c.writeEntry(QStringLiteral("LastFile1"), QStringLiteral("/tmp/a b,c.txt"));
            c.writeEntry(QStringLiteral("LastFile1_col"), -1);
            c.setGroup(QStringLiteral("View"));
            c.writeEntry(QStringLiteral("Zoom"), 2);
            c.setGroup(QStringLiteral("LastFile"));
            c.writeEntry(QStringLiteral("Flag"), true);
            c.writeEntry(QStringLiteral("Blank"), QString());
        }
        // Groups and keys in the order written.
        QCOMPARE(readAll(Config::filePath(QStringLiteral("sample"))),
                 QByteArray("[LastFile]\nLastFile1=/tmp/a b,c.txt\nLastFile1_col=-1\nFlag=true\nBlank=\n"
                            "\n[View]\nZoom=2\n"));

        Config c(QStringLiteral("sample"));
        c.setGroup(QStringLiteral("LastFile"));
        QCOMPARE(c.readEntry(QStringLiteral("LastFile1")), QStringLiteral("/tmp/a b,c.txt"));
        QCOMPARE(c.readNumEntry(QStringLiteral("LastFile1_col"), 3), -1);
        QCOMPARE(c.readBoolEntry(QStringLiteral("Flag"), false), true);
        QVERIFY(c.hasKey(QStringLiteral("Blank")));
        QVERIFY(c.readEntry(QStringLiteral("Blank"), QStringLiteral("d")).isNull());
    }

    void awkwardValuesReadBackExactly()
    {
        const QStringList values{QStringLiteral("two\nlines\r\n"), QStringLiteral(" lead"), QStringLiteral("trail "),
                                 QStringLiteral("\"quoted\""), QStringLiteral("back\\slash\\n"), QStringLiteral("\""),
                                 QStringLiteral("a=b;c")};
        {
            Config c(QStringLiteral("sample"));
            c.setGroup(QStringLiteral("G"));
            for (int i = 0; i < values.size(); ++i)
                c.writeEntry(QStringLiteral("K%1").arg(i), values.at(i));
        }
        Config c(QStringLiteral("sample"));
        c.setGroup(QStringLiteral("G"));
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(c.readEntry(QStringLiteral("K%1").arg(i)), values.at(i));
        QVERIFY(readAll(Config::filePath(QStringLiteral("sample"))).contains("K4=back\\slash\\n\n"));
    }

    void handEditsMadeMeanwhileSurvive()
    {
        const QString path = Config::filePath(QStringLiteral("sample"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeAll(path, "# kept\n[View]\nA=1\nB=2\n");
        {
            Config c(QStringLiteral("sample"));
            c.setGroup(QStringLiteral("View"));
            c.writeEntry(QStringLiteral("A"), 5);
            c.writeEntry(QStringLiteral("B"), 2); // unchanged: not written
            writeAll(path, "# kept\n[View]\nA=1\nB=3\nC=hand\n");
        }
        QCOMPARE(readAll(path), QByteArray("# kept\n\n[View]\nA=5\nB=3\nC=hand\n"));
    }

    void untouchedLinesKeepTheirBytes()
    {
        // A value typed in Shift JIS, and a line end from another system.
        const QString path = Config::filePath(QStringLiteral("sample"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeAll(path, "[View]\nIdiom=\x93\xfa\x96\x7b\r\nNote \xff\nA=1\n");
        {
            Config c(QStringLiteral("sample"));
            c.setGroup(QStringLiteral("View"));
            c.writeEntry(QStringLiteral("Idiom"), c.readEntry(QStringLiteral("Idiom")));
            c.writeEntry(QStringLiteral("A"), 2);
        }
        QCOMPARE(readAll(path), QByteArray("[View]\nIdiom=\x93\xfa\x96\x7b\r\nNote \xff\nA=2\n"));
    }

    // A settings file that was a named pipe hung the program at start, and a change
    // then replaced the pipe by a plain file.
    void pipeIsNeitherWaitedOnNorReplaced()
    {
        const QString path = Config::filePath(QStringLiteral("sample"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        PipeGuard pipe(path);
        QVERIFY(pipe.made());
        {
            Config c(QStringLiteral("sample"));
            QCOMPARE(c.readNumEntry(QStringLiteral("Size"), 10), 10);
            c.writeEntry(QStringLiteral("Size"), 12);
        }
        QVERIFY(!pipe.released());
        QVERIFY(!QFileInfo(path).isFile());
        QFile::remove(path);
    }

    void fileFollowsXdgConfigHome()
    {
        QVERIFY(Config::filePath(QStringLiteral("VElino"))
                    .startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/palmtop/")));
        QVERIFY(Config::filePath(QStringLiteral("VElino")).endsWith(QStringLiteral("/VElino.conf")));
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
