#include "platform/doclnk.h"
#include "platform/filemanager.h"
#include "platform/safefile.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class TestSafeFile : public QObject
{
    Q_OBJECT
private slots:
    void replacesContentAndKeepsPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        writeAll(path, "old old old");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(FileManager().saveFile(DocLnk(path), QStringLiteral("neu \u3042")));
        QCOMPARE(readAll(path), QByteArray("neu \xe3\x81\x82"));
        QCOMPARE(QFile::permissions(path) & 0x7077,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.txt")});
    }

    void writesThroughSymbolicLinks()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("target.txt"));
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        writeAll(target, "old");
        QVERIFY(QFile::link(QStringLiteral("target.txt"), link));
        QVERIFY(FileManager().saveFile(DocLnk(link), QStringLiteral("new")));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readAll(target), QByteArray("new"));
    }

    void writesHardLinkedFilesInPlace()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a"));
        const QString b = dir.filePath(QStringLiteral("b"));
        writeAll(a, "old");
        QCOMPARE(::link(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()), 0);
        SafeFile file(a);
        QVERIFY(file.open());
        QVERIFY(file.inPlace());
        QVERIFY(file.write("shared"));
        QCOMPARE(file.writtenSize(), qint64(6));
        QVERIFY(file.commit());
        QCOMPARE(readAll(b), QByteArray("shared"));
    }

    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.txt"));
        writeAll(path, "precious");
        rlimit old {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved = FileManager().saveFile(DocLnk(path), QString(4096, QLatin1Char('x')));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!saved);
        QCOMPARE(readAll(path), QByteArray("precious"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.txt")});
    }

    void cancelLeavesNothingBehind()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("new.txt"));
        {
            SafeFile file(path);
            QVERIFY(file.open());
            QVERIFY(file.write("half"));
            file.cancel();
        }
        QVERIFY(!QFile::exists(path));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    void loadsMissingFilesAsFailure()
    {
        QByteArray bytes;
        QVERIFY(!FileManager().loadFile(DocLnk(QStringLiteral("/nonexistent/x")), bytes));
        QTemporaryDir dir;
        QString text;
        QVERIFY(!FileManager().loadFile(DocLnk(dir.path()), text));  // a folder is not a document
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
