#include "frmprogress.h"
#include "kxcommon.h"
#include "kxtestfiles.h"

#include <QDateTime>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Presses Cancel on a batch's progress window (or closes it) once the window
// shows `label` with the bar at `percent` or more. Records the bar's value then.
class CancelAt : public QObject
{
public:
    int pressedAt = -1;

    CancelAt(kxCommon* kx, const QString& label, int percent, bool close = false)
    {
        kx->setRefreshInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [=] {
            if (!kx->progress || pressedAt >= 0)
                return;
            const int value = kx->progress->findChild<QProgressBar*>()->value();
            if (kx->progress->findChild<QLabel*>()->text() != label || value < percent)
                return;
            pressedAt = value;
            if (close)
                kx->progress->close();
            else
                kx->progress->findChild<QPushButton*>()->click();
        });
        m_timer.start(0);
    }

private:
    QTimer m_timer;
};

// A small file system of its own, mounted for the test where mounting works.
struct SmallDisk
{
    QString path;
    bool mounted = false;

    SmallDisk(const QString& where, const char* size) : path(where)
    {
        QDir().mkpath(path);
        const QByteArray options = QByteArray("size=") + size;
        mounted = ::mount("tmpfs", bytes(path).constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(bytes(path).constData(), MNT_DETACH);
    }
};

// Runs fn as the unprivileged user 65534 in a child process and returns the
// text it gives back.
QString asAnotherUser(const std::function<QString()>& fn)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return QStringLiteral("<no pipe>");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const QByteArray out = fn().toUtf8();
        ::_exit(::write(pipeFds[1], out.constData(), size_t(out.size())) == out.size() ? 0 : 3);
    }
    ::close(pipeFds[1]);
    QByteArray out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, int(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? QString::fromUtf8(out) : QStringLiteral("<child failed>");
}

// Entries a failed copy might leave behind under its temporary names.
QStringList leftovers(const QString& dir)
{
    return tree(dir).filter(QStringLiteral(".korvex-"));
}

} // namespace

// Faults and hostile input: nothing that existed before is lost, and the batch
// stops with a message.
class TestKxCommonFaults : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tmp;
    QString src, dst;

private slots:
    void init()
    {
        QDir(tmp.path()).removeRecursively();
        src = tmp.path() + QStringLiteral("/src/");
        dst = tmp.path() + QStringLiteral("/dst/");
        QVERIFY(QDir().mkpath(src) && QDir().mkpath(dst));
    }

    // Names are never handed to a shell.
    void hostileLinkNames()
    {
        const QStringList names{QStringLiteral("q\"; touch pwned; \""), QStringLiteral("$(touch pwned)"),
                                QStringLiteral("`touch pwned`")};
        for (const QString& name : names)
            makeTree(src, {name + QStringLiteral("=x")});
        QStringList done = names;
        ScriptedCommon kx;
        kx.allItemSymblnk(nullptr, src, dst, &done);
        QCOMPARE(kx.told, QStringList());
        QCOMPARE(done, names);
        for (const QString& name : names)
            QCOMPARE(QFile::symLinkTarget(dst + name), src + name);
        QVERIFY(!QFile::exists(QStringLiteral("pwned")) && !QFile::exists(src + QStringLiteral("pwned")));
    }

    // A hard link is the source under another name: neither copied onto nor moved over.
    void sameFileUnderTwoNames()
    {
        makeTree(src, {QStringLiteral("f=only copy")});
        QCOMPARE(::link(bytes(src + QStringLiteral("f")).constData(), bytes(dst + QStringLiteral("f")).constData()), 0);
        for (int mode : {2, 1}) {
            QStringList names{QStringLiteral("f")};
            ScriptedCommon kx;
            kx.answers = {kxCommon::Yes};
            kx.allItemCpMv(nullptr, mode, src, dst, &names);
            QCOMPARE(kx.asked, QStringList());
            QCOMPARE(kx.told, QStringList{mode == 1 ? QStringLiteral("ファイルの移動|f を移動できません。\n受け側は同じファイルです。")
                                                    : QStringLiteral("ファイルのコピー|f をコピーできません。\n受け側は同じファイルです。")});
            QCOMPARE(names, QStringList());
            QCOMPARE(readAll(src + QStringLiteral("f")), QByteArray("only copy"));
            QCOMPARE(readAll(dst + QStringLiteral("f")), QByteArray("only copy"));
        }
    }

    // The same folder mounted twice is one folder: a copy takes a free name.
    void sameFolderThroughAnotherMount()
    {
        makeTree(src, {QStringLiteral("f=data"), QStringLiteral("d/g=1")});
        const QString bind = tmp.path() + QStringLiteral("/bind");
        QDir().mkpath(bind);
        if (::mount(bytes(src).constData(), bytes(bind).constData(), nullptr, MS_BIND, nullptr) != 0)
            QSKIP("bind mounts need privileges this machine does not give");
        QStringList names{QStringLiteral("f"), QStringLiteral("d")};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 2, src, bind + QLatin1Char('/'), &names);
        ::umount2(bytes(bind).constData(), MNT_DETACH);
        QCOMPARE(kx.told, QStringList());
        QCOMPARE(names, QStringList({QStringLiteral("fのコピー"), QStringLiteral("dのコピー")}));
        QCOMPARE(readAll(src + QStringLiteral("f")), QByteArray("data"));
        QCOMPARE(readAll(src + QStringLiteral("dのコピー/g")), QByteArray("1"));
    }

    // A file-size limit stops the write half-way: an old file is kept whole
    // and a new one is not left behind.
    void sizeLimitKeepsTheOldFile()
    {
        writeAll(src + QStringLiteral("big"), QByteArray(3 << 20, 'n'));
        makeTree(dst, {QStringLiteral("old/big=old"), QStringLiteral("new/")});
        struct rlimit old;
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        struct rlimit limit = old;
        limit.rlim_cur = 1 << 20;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        QStringList told;
        for (const QString& folder : {QStringLiteral("old/"), QStringLiteral("new/")}) {
            QStringList names{QStringLiteral("big")};
            ScriptedCommon kx;
            kx.answers = {kxCommon::Yes};
            kx.allItemCpMv(nullptr, 2, src, dst + folder, &names);
            QCOMPARE(names, QStringList());
            told << kx.told;
        }
        ::setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(told.first(), QStringLiteral("ファイルのコピーエラー|") + dst
                                   + QStringLiteral("old/big\nに書込みできません。\nディスクが一杯の可能性があります。"));
        QCOMPARE(told.size(), 2);
        QCOMPARE(tree(dst), QStringList({QStringLiteral("new/"), QStringLiteral("old/"), QStringLiteral("old/big=old")}));
    }

    // A full disk half-way through a large file and through a folder; a move
    // across file systems keeps its source until the copy is whole.
    void fullDisk()
    {
        SmallDisk disk(tmp.path() + QStringLiteral("/disk"), "1m");
        if (!disk.mounted)
            QSKIP("mounting a small file system needs privileges this machine does not give");
        const QString full = disk.path + QLatin1Char('/');
        writeAll(src + QStringLiteral("big"), QByteArray(3 << 20, 'n'));
        QVERIFY(QDir().mkpath(src + QStringLiteral("d")));
        for (const char* name : {"d/1", "d/2", "d/3", "d/4"})
            writeAll(src + QLatin1String(name), QByteArray(300 << 10, name[2]));
        makeTree(full, {QStringLiteral("big=old")});

        QStringList names{QStringLiteral("big")};
        ScriptedCommon kx;
        kx.answers = {kxCommon::Yes};
        kx.allItemCpMv(nullptr, 1, src, full, &names);
        QCOMPARE(kx.told.size(), 1);
        QVERIFY(kx.told.first().contains(QStringLiteral("ディスクが一杯")));
        QCOMPARE(readAll(full + QStringLiteral("big")), QByteArray("old"));
        QCOMPARE(QFileInfo(src + QStringLiteral("big")).size(), qint64(3 << 20));

        names = QStringList{QStringLiteral("d")};
        ScriptedCommon folder;
        folder.allItemCpMv(nullptr, 2, src, full, &names);
        QCOMPARE(folder.told.size(), 1);
        QVERIFY(folder.told.first().contains(QStringLiteral("ディスクが一杯")));
        QCOMPARE(names, QStringList{QStringLiteral("d")}); // partly copied, so it is shown
        const QStringList copied = tree(full + QStringLiteral("d"));
        QVERIFY(!copied.isEmpty() && copied.size() < 4);
        for (const QString& line : copied)
            QCOMPARE(readAll(full + QStringLiteral("d/") + line.section(QLatin1Char('='), 0, 0)),
                     readAll(src + QStringLiteral("d/") + line.section(QLatin1Char('='), 0, 0)));
        QCOMPARE(leftovers(full), QStringList());

        // Room again: a move to another file system keeps time and mode and removes the source.
        QVERIFY(QFile::remove(full + QStringLiteral("big")));
        QDir(full + QStringLiteral("d")).removeRecursively();
        QVERIFY(QFile::remove(src + QStringLiteral("d/3")) && QFile::remove(src + QStringLiteral("d/4")));
        QCOMPARE(::chmod(bytes(src + QStringLiteral("d/1")).constData(), 0640), 0);
        const QDateTime before = QFileInfo(src + QStringLiteral("d/1")).lastModified();
        names = QStringList{QStringLiteral("d")};
        ScriptedCommon move;
        move.allItemCpMv(nullptr, 1, src, full, &names);
        QCOMPARE(move.told, QStringList());
        QVERIFY(!QFile::exists(src + QStringLiteral("d")));
        QCOMPARE(QFileInfo(full + QStringLiteral("d/1")).lastModified(), before);
        QCOMPARE(int(QFileInfo(full + QStringLiteral("d/1")).permissions() & 0x0777), 0x0640);
    }

    // Cancel, or closing the window, at each kind of step: the step stops,
    // earlier entries stay done, a file being replaced stays as it was.
    void cancelAtEachStep_data()
    {
        QTest::addColumn<int>("mode"); // 1 move, 2 copy, 3 link, 4 delete
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("close");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("dstTree");
        const QString big = QStringLiteral("big=old");
        QTest::newRow("file copy") << 2 << "big" << 1 << false << QStringList{"a"} << QStringList{"a=a", big};
        QTest::newRow("file copy, closed") << 2 << "big" << 1 << true << QStringList{"a"} << QStringList{"a=a", big};
        QTest::newRow("folder") << 2 << "d" << 0 << false << QStringList{"a", "big", "d"}
                                << QStringList{"a=a", "big=" + QString(4 << 20, 'n')};
        QTest::newRow("link") << 2 << "l" << 0 << false << QStringList{"a", "big", "d"}
                              << QStringList{"a=a", "big=" + QString(4 << 20, 'n'), "d/", "d/f=f"};
        QTest::newRow("link batch") << 3 << "d" << 0 << false << QStringList{"a", "big"} << QStringList{};
        QTest::newRow("delete") << 4 << "f" << 0 << false << QStringList{"a", "big"} << QStringList{};
    }

    void cancelAtEachStep()
    {
        QFETCH(int, mode);
        QFETCH(QString, label);
        QFETCH(int, percent);
        QFETCH(bool, close);
        writeAll(src + QStringLiteral("big"), QByteArray(4 << 20, 'n'));
        makeTree(src, {QStringLiteral("a=a"), QStringLiteral("d/f=f"), QStringLiteral("l->a"), QStringLiteral("z=z")});
        makeTree(dst, {QStringLiteral("big=old")});
        QStringList names{QStringLiteral("a"), QStringLiteral("big"), QStringLiteral("d"), QStringLiteral("l"),
                          QStringLiteral("z")};
        ScriptedCommon kx;
        kx.answers = {kxCommon::Yes, kxCommon::Yes};
        CancelAt cancel(&kx, label, percent, close);
        if (mode == 3) {
            QVERIFY(QFile::remove(dst + QStringLiteral("big")));
            kx.allItemSymblnk(nullptr, src, dst, &names);
        } else if (mode == 4) {
            kx.allItemDel(nullptr, src, &names);
        } else {
            kx.allItemCpMv(nullptr, mode, src, dst, &names);
        }
        QVERIFY(cancel.pressedAt >= percent);
        QCOMPARE(kx.told, QStringList());
        QTEST(names, "names");
        if (mode == 3) {
            QCOMPARE(tree(dst), QStringList({QStringLiteral("a->") + src + QStringLiteral("a"),
                                             QStringLiteral("big->") + src + QStringLiteral("big")}));
        } else if (mode == 4) {
            QCOMPARE(tree(src), QStringList({QStringLiteral("d/"), QStringLiteral("d/f=f"), QStringLiteral("l->a"),
                                             QStringLiteral("z=z")}));
        } else {
            QTEST(tree(dst), "dstTree");
        }
    }

    // Over 4 GiB the bar still counts from 1 percent (a sparse file).
    void hugeFilePercentage()
    {
        QFile huge(src + QStringLiteral("huge"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(5) << 30));
        huge.close();
        QStringList names{QStringLiteral("huge")};
        ScriptedCommon kx;
        CancelAt cancel(&kx, QStringLiteral("huge"), 1);
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QCOMPARE(cancel.pressedAt, 1);
        QCOMPARE(names, QStringList());
        QCOMPARE(tree(dst), QStringList());
    }

    // Run as a user without rights: unreadable sources, closed destinations and
    // the two wordings of the delete errors.
    void withoutPermission()
    {
        QCOMPARE(::chmod(bytes(tmp.path()).constData(), 0755), 0);
        makeTree(src, {QStringLiteral("secret=s"), QStringLiteral("open=o"), QStringLiteral("shared=x"),
                       QStringLiteral("mine=x"), QStringLiteral("free/"), QStringLiteral("locked/")});
        QCOMPARE(::chmod(bytes(src + QStringLiteral("secret")).constData(), 0600), 0);
        QCOMPARE(::chmod(bytes(src + QStringLiteral("shared")).constData(), 0666), 0);
        QCOMPARE(::chmod(bytes(src + QStringLiteral("free")).constData(), 0777), 0);
        QCOMPARE(::chmod(bytes(src + QStringLiteral("mine")).constData(), 0644), 0);
        QCOMPARE(::chmod(bytes(src + QStringLiteral("locked")).constData(), 0755), 0);
        if (::geteuid() != 0)
            QSKIP("needs root to act as another user");
        const QString told = asAnotherUser([&] {
            ScriptedCommon kx;
            QStringList results;
            results << QString::number(kx.m_fileCpMv(nullptr, 2, src + QStringLiteral("secret"), tmp.path() + QStringLiteral("/x")));
            results << QString::number(kx.m_fileCpMv(nullptr, 2, src + QStringLiteral("open"), dst + QStringLiteral("open")));
            results << QString::number(kx.m_fileDel(nullptr, src + QStringLiteral("shared")));
            results << QString::number(kx.m_fileDel(nullptr, src + QStringLiteral("mine")));
            results << QString::number(kx.m_dirDel(nullptr, src + QStringLiteral("free/")));
            results << QString::number(kx.m_dirDel(nullptr, src + QStringLiteral("locked/")));
            return (results + kx.told).join(QLatin1Char('\n'));
        });
        QCOMPARE(told.split(QLatin1Char('\n')).mid(0, 6), QStringList({"0", "0", "0", "0", "0", "0"}));
        QCOMPARE(told.section(QLatin1Char('\n'), 6),
                 QStringList({QStringLiteral("ファイルのコピーエラー|") + src + QStringLiteral("secret\nを読み込みできません。\nファイルが使用中の可能性があります。"),
                              QStringLiteral("ファイルのコピーエラー|") + dst + QStringLiteral("open\nに書込みできません。\n権限がないかファイルが使用中の可能性があります。"),
                              QStringLiteral("ファイルの削除エラー|shared を削除できません。\nファイルが使用中の可能性があります。"),
                              QStringLiteral("ファイルの削除エラー|mine を削除できません。\n権限がありません。"),
                              QStringLiteral("フォルダの削除エラー|free を削除できません。\nファイルが使用中の可能性があります。"),
                              QStringLiteral("フォルダの削除エラー|locked を削除できません。\n権限がありません。")})
                     .join(QLatin1Char('\n')));
        QCOMPARE(tree(dst), QStringList());
    }

    void vanishedSource()
    {
        makeTree(src, {QStringLiteral("a=1")});
        QStringList names{QStringLiteral("a"), QStringLiteral("gone"), QStringLiteral("a")};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QCOMPARE(kx.told, QStringList{QStringLiteral("ファイルのコピーエラー|") + src
                                      + QStringLiteral("gone\nを読み込みできません。\nファイルが使用中の可能性があります。")});
        QCOMPARE(names, QStringList{QStringLiteral("a")});

        // Nothing is asked about replacing a file with one that is not there.
        makeTree(dst, {QStringLiteral("gone=old")});
        for (int mode : {1, 2}) {
            QStringList again{QStringLiteral("gone")};
            ScriptedCommon over;
            over.answers = {kxCommon::Yes};
            over.allItemCpMv(nullptr, mode, src, dst, &again);
            QCOMPARE(over.asked, QStringList());
            QCOMPARE(over.told.size(), 1);
            QCOMPARE(again, QStringList());
            QCOMPARE(readAll(dst + QStringLiteral("gone")), QByteArray("old"));
        }
    }

    // Paste as link of an entry removed since Copy: reported, and no link to nowhere made.
    void linkToVanishedSource()
    {
        makeTree(src, {QStringLiteral("a=1"), QStringLiteral("dangling->nowhere")});
        QStringList names{QStringLiteral("a"), QStringLiteral("dangling"), QStringLiteral("gone"), QStringLiteral("a")};
        ScriptedCommon kx;
        kx.allItemSymblnk(nullptr, src, dst, &names);
        QCOMPARE(kx.told, QStringList{QStringLiteral("リンクの貼り付け|") + src
                                      + QStringLiteral("gone\nが見つかりません。\nシンボリックリンクを作成できません。")});
        QCOMPARE(names, QStringList({QStringLiteral("a"), QStringLiteral("dangling")}));
        QCOMPARE(tree(dst), QStringList({QStringLiteral("a->") + src + QStringLiteral("a"),
                                         QStringLiteral("dangling->") + src + QStringLiteral("dangling")}));
    }

    // FIFOs and sockets are made anew, never opened (a FIFO would never end).
    void specialFiles()
    {
        makeTree(src, {QStringLiteral("d/pipe|"), QStringLiteral("p|")});
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        struct sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const QByteArray socketPath = bytes(src + QStringLiteral("d/sock"));
        QVERIFY(socketPath.size() < int(sizeof address.sun_path));
        qstrcpy(address.sun_path, socketPath.constData());
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
        QStringList names{QStringLiteral("d"), QStringLiteral("p")};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QCOMPARE(kx.told, QStringList());
        QCOMPARE(tree(dst), tree(src));
    }

    void longAndExhaustedNames()
    {
        const QString longName = QString(251, QLatin1Char('n')) + QStringLiteral(".txt");
        makeTree(src, {longName + QStringLiteral("=1"), QStringLiteral("x.txt=original")});
        QStringList names{longName};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 2, src, src, &names);
        QCOMPARE(kx.told, QStringList{QStringLiteral("ファイルのコピー|") + longName + QStringLiteral(" をコピーできません。\n名前が長すぎます。")});
        QCOMPARE(names, QStringList());

        writeAll(src + QStringLiteral("xのコピー.txt"), "copy");
        for (int n = 2; n < 10000; ++n) {
            const int fd = ::open(bytes(src + QStringLiteral("xのコピー(%1).txt").arg(n)).constData(), O_CREAT | O_WRONLY, 0644);
            QVERIFY(fd >= 0);
            ::close(fd);
        }
        writeAll(src + QStringLiteral("xのコピー(9999).txt"), "kept");
        names = QStringList{QStringLiteral("x.txt")};
        ScriptedCommon full;
        full.answers = {kxCommon::Yes};
        full.allItemCpMv(nullptr, 2, src, src, &names);
        QCOMPARE(full.asked, QStringList());
        QCOMPARE(full.told, QStringList{QStringLiteral("ファイルのコピー|x.txt をコピーできません。\n空いている名前がありません。")});
        QCOMPARE(readAll(src + QStringLiteral("xのコピー(9999).txt")), QByteArray("kept"));
    }

    // Links that loop or point back up are copied and deleted as links.
    void linkLoops()
    {
        makeTree(src, {QStringLiteral("d/a->b"), QStringLiteral("d/b->a"), QStringLiteral("d/up->.."), QStringLiteral("d/self->.")});
        QStringList names{QStringLiteral("d")};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QCOMPARE(kx.told, QStringList());
        QCOMPARE(tree(dst), tree(src));
        ScriptedCommon del;
        del.allItemDel(nullptr, dst, &names);
        QCOMPARE(names, QStringList{QStringLiteral("d")});
        QCOMPARE(tree(dst), QStringList());
        QCOMPARE(tree(src).size(), 5);
    }
};

QTEST_MAIN(TestKxCommonFaults)
#include "tst_kxcommon_faults.moc"
