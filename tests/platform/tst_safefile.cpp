#include "platform/doclnk.h"
#include "platform/filemanager.h"
#include "platform/safefile.h"
#include "pipeguard.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <QScopeGuard>

#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {
// Runs a save as another user (uid, primary group, one supplementary group or none) in a
// child process; true when the save reported success.
bool saveAs(uid_t uid, gid_t gid, int group, const QString& path, const QByteArray& bytes)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[1] = {gid_t(group)};
        if (::setgroups(group < 0 ? 0 : 1, groups) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(2);
        SafeFile file(path);
        const bool ok = file.open() && file.write(bytes) && file.writtenSize() == bytes.size() && file.commit();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
} // namespace

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

    void keepsAccessListsAndOtherAttributes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shared.txt"));
        writeAll(path, "old");
        const QByteArray name = QFile::encodeName(path);
        if (::setxattr(name.constData(), "user.note", "kept", 4, 0) != 0)
            QSKIP("no extended attributes on this file system");
        QVERIFY(FileManager().saveFile(DocLnk(path), QStringLiteral("new")));
        QCOMPARE(readAll(path), QByteArray("new"));
        char value[8] = {};
        QCOMPARE(::getxattr(name.constData(), "user.note", value, sizeof value), ssize_t(4));
        QCOMPARE(QByteArray(value), QByteArray("kept"));
    }

    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("hardLinked");
        QTest::newRow("replaced") << false;
        QTest::newRow("in place") << true;
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(bool, hardLinked);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.txt"));
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        writeAll(path, "precious");
        if (hardLinked)
            QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
        bool saved = true;
        {
            FileSizeLimit limit(1024);
            saved = FileManager().saveFile(DocLnk(path), QString(4096, QLatin1Char('x')));
        }
        QVERIFY(!saved);
        QCOMPARE(readAll(path), QByteArray("precious"));
        if (hardLinked)
            QCOMPARE(readAll(link), QByteArray("precious"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), hardLinked ? 2 : 1);
    }

    void fullDiskKeepsBothHardLinks()
    {
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("no small file system can be mounted here");
        auto unmount = qScopeGuard([&] { ::umount2(mountPoint.constData(), MNT_DETACH); });
        const QString a = dir.filePath(QStringLiteral("a")), b = dir.filePath(QStringLiteral("b"));
        const QByteArray old(24 * 1024, 'o');
        writeAll(a, old);
        QCOMPARE(::link(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()), 0);
        {
            QFile filler(dir.filePath(QStringLiteral("filler")));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(4096, 'f')) == 4096 && filler.flush()) {
            }
        }
        const QByteArray bigger(40 * 1024, 'n');
        SafeFile full(a);
        QVERIFY(full.open());
        QVERIFY(full.inPlace());
        QVERIFY(!full.write(bigger) || full.writtenSize() != bigger.size() || !full.commit());
        full.cancel();
        QCOMPARE(readAll(a), old);
        QCOMPARE(readAll(b), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);

        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("filler"))));
        SafeFile roomy(a);
        QVERIFY(roomy.open() && roomy.write(bigger) && roomy.writtenSize() == bigger.size() && roomy.commit());
        QCOMPARE(readAll(b), bigger);
    }

    void keepsOwnerGroupAndMode_data()
    {
        QTest::addColumn<uid_t>("saver");
        QTest::addColumn<int>("supplementary");
        QTest::addColumn<int>("mode");
        // The file belongs to uid 65534 and group 100.
        QTest::newRow("root, set-id bits") << uid_t(0) << -1 << 06755;
        QTest::newRow("owner, member of the group") << uid_t(65534) << 100 << 0640;
        QTest::newRow("owner, not in the group") << uid_t(65534) << -1 << 0640;
    }
    void keepsOwnerGroupAndMode()
    {
        QFETCH(uid_t, saver);
        QFETCH(int, supplementary);
        QFETCH(int, mode);
        if (::geteuid() != 0)
            QSKIP("files of other users need root");
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        QCOMPARE(::chmod(folder.constData(), 0755), 0);
        QCOMPARE(::chown(folder.constData(), 65534, 65534), 0);
        const QString path = dir.filePath(QStringLiteral("shared.txt"));
        writeAll(path, "old");
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(::chown(name.constData(), 65534, 100), 0);
        QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);

        QVERIFY(saveAs(saver, saver == 0 ? 0 : 65534, supplementary, path, "new"));
        QCOMPARE(readAll(path), QByteArray("new"));
        struct stat st {};
        QCOMPARE(::stat(name.constData(), &st), 0);
        QCOMPARE(st.st_uid, uid_t(65534));
        QCOMPARE(st.st_gid, gid_t(100));
        QCOMPARE(int(st.st_mode & 07777), mode);
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
        PipeGuard pipe(dir.filePath(QStringLiteral("pipe")));  // nor a pipe, which used to hang
        QVERIFY(pipe.made());
        QVERIFY(!FileManager().loadFile(DocLnk(dir.filePath(QStringLiteral("pipe"))), bytes));
        QVERIFY(!pipe.released());
    }

    // A pipe or a device under the name was replaced by a plain file.
    void refusesPipesAndDevices_data()
    {
        QTest::addColumn<bool>("device");
        QTest::newRow("pipe") << false;
        QTest::newRow("device") << true;
    }
    void refusesPipesAndDevices()
    {
        QFETCH(bool, device);
        if (device && ::geteuid() != 0)
            QSKIP("making a device needs root");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("special"));
        const QByteArray raw = QFile::encodeName(path);
        QCOMPARE(device ? ::mknod(raw.constData(), S_IFCHR | 0666, makedev(1, 3)) : ::mkfifo(raw.constData(), 0600), 0);
        SafeFile file(path);
        QVERIFY(!file.open());
        QVERIFY(!file.errorString().isEmpty());
        QVERIFY(!FileManager().saveFile(DocLnk(path), QStringLiteral("text")));
        struct stat st {};
        QCOMPARE(::stat(raw.constData(), &st), 0);
        QVERIFY(device ? S_ISCHR(st.st_mode) : S_ISFIFO(st.st_mode));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
