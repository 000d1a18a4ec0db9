#include "frmprogress.h"
#include "kxcommon.h"
#include "kxtestfiles.h"
#include "modalanswer.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The batches' rules: free names, conflict questions and their flow, the
// trimmed name lists and what a copy keeps.
class TestKxCommon : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tmp;
    QString src, dst;

    static void setTimes(const QString& path, const QDateTime& when)
    {
        const struct timespec times[2] = {{when.toSecsSinceEpoch(), 0}, {when.toSecsSinceEpoch(), 0}};
        QCOMPARE(::utimensat(AT_FDCWD, bytes(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
    }

private slots:
    void init()
    {
        QDir(tmp.path()).removeRecursively();
        src = tmp.path() + QStringLiteral("/src/");
        dst = tmp.path() + QStringLiteral("/dst/");
        QVERIFY(QDir().mkpath(src) && QDir().mkpath(dst));
    }

    void freeNames()
    {
        makeTree(src, {QStringLiteral("x.txt=1"), QStringLiteral("a.tar.gz=2"), QStringLiteral("notes=3"),
                       QStringLiteral("dangling_link->nowhere")});
        QStringList names{QStringLiteral("x.txt")};
        for (int i = 0; i < 3; ++i) {
            ScriptedCommon kx;
            QStringList one{QStringLiteral("x.txt")};
            kx.allItemCpMv(nullptr, 2, src, src, &one);
            names << one;
        }
        QCOMPARE(names, QStringList({QStringLiteral("x.txt"), QStringLiteral("xのコピー.txt"),
                                     QStringLiteral("xのコピー(2).txt"), QStringLiteral("xのコピー(3).txt")}));
        QCOMPARE(readAll(src + QStringLiteral("xのコピー(3).txt")), QByteArray("1"));
        QCOMPARE(kxCommon::calcCpNameSameDir(src, QStringLiteral("a.tar.gz")), QStringLiteral("aのコピー.tar.gz"));
        QCOMPARE(kxCommon::calcLnkNameSameDir(src, QStringLiteral("notes")), QStringLiteral("notes_link"));
        // A dangling link holds its name.
        QCOMPARE(kxCommon::calcLnkNameSameDir(src, QStringLiteral("dangling")), QStringLiteral("dangling_link(2)"));
    }

    // Hidden entries, sub-folders, relative and dangling links, modes and times.
    void copyKeepsEverything()
    {
        makeTree(src, {QStringLiteral("d/sub/"), QStringLiteral("d/.hidden=h"), QStringLiteral("d/sub/f=data"),
                       QStringLiteral("d/rel->sub/f"), QStringLiteral("d/gone->../missing")});
        QVERIFY(::chmod(bytes(src + QStringLiteral("d/sub/f")).constData(), 0640) == 0);
        const QDateTime when(QDate(2001, 2, 3), QTime(4, 5, 6));
        setTimes(src + QStringLiteral("d/sub/f"), when);
        QStringList names{QStringLiteral("d")};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QCOMPARE(kx.told, QStringList());
        QCOMPARE(names, QStringList{QStringLiteral("d")});
        QCOMPARE(tree(dst), tree(src));
        const QFileInfo copy(dst + QStringLiteral("d/sub/f"));
        QCOMPARE(copy.lastModified(), when);
        QCOMPARE(int(copy.permissions() & 0x7777), int(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
                                                         | QFile::WriteUser | QFile::ReadGroup));
        QCOMPARE(QDir(dst + QStringLiteral("d")).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral("korvex")),
                 QStringList());
    }

    void moveMovesEverything()
    {
        makeTree(src, {QStringLiteral("d/sub/"), QStringLiteral("d/sub/f=data"), QStringLiteral("d/l->sub"),
                       QStringLiteral("g=file"), QStringLiteral("k->g")});
        const QStringList before = tree(src);
        QStringList names{QStringLiteral("d"), QStringLiteral("g"), QStringLiteral("k")};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 1, src, dst, &names);
        QCOMPARE(kx.told, QStringList());
        QCOMPARE(names.size(), 3);
        QCOMPARE(tree(dst), before);
        QCOMPARE(tree(src), QStringList());
    }

    // A moved folder is made anew entry by entry, and keeps its modes, times and owner.
    void movedFoldersKeepTheirAttributes()
    {
        makeTree(src, {QStringLiteral("d/sub/f=data")});
        const QString d = QStringLiteral("d");
        const QString sub = QStringLiteral("d/sub");
        QCOMPARE(::chmod(bytes(src + d).constData(), 0750), 0);
        QCOMPARE(::chmod(bytes(src + sub).constData(), 02700), 0);
        const bool root = ::geteuid() == 0;
        if (root)
            QCOMPARE(::chown(bytes(src + sub).constData(), 65534, 65534), 0);
        const QDateTime when(QDate(2010, 1, 2), QTime(3, 4, 5));
        setTimes(src + sub, when);
        setTimes(src + d, when);
        QStringList names{d};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 1, src, dst, &names);
        QCOMPARE(kx.told, QStringList());
        struct stat st;
        QVERIFY(::stat(bytes(dst + d).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0750));
        QVERIFY(::stat(bytes(dst + sub).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(02700));
        if (root)
            QCOMPARE(st.st_uid, uid_t(65534));
        QCOMPARE(QFileInfo(dst + d).lastModified(), when);
        QCOMPARE(QFileInfo(dst + sub).lastModified(), when);
    }

    void copyInTheSameFolderTakesNewNames()
    {
        makeTree(src, {QStringLiteral("d/f=1"), QStringLiteral("n.txt=2"), QStringLiteral("l->n.txt")});
        QStringList names{QStringLiteral("d"), QStringLiteral("n.txt"), QStringLiteral("l")};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 2, src, src, &names);
        QCOMPARE(names, QStringList({QStringLiteral("dのコピー"), QStringLiteral("nのコピー.txt"), QStringLiteral("l_link")}));
        QCOMPARE(tree(src + QStringLiteral("dのコピー")), QStringList{QStringLiteral("f=1")});
        QCOMPARE(QFile::symLinkTarget(src + QStringLiteral("l_link")), src + QStringLiteral("n.txt"));
    }

    void moveInTheSameFolderIsRefused_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("title");
        QTest::newRow("folder") << QStringLiteral("d/") << QStringLiteral("フォルダの移動");
        QTest::newRow("file") << QStringLiteral("d=1") << QStringLiteral("ファイルの移動");
        QTest::newRow("link") << QStringLiteral("d->x") << QStringLiteral("リンクの移動");
    }

    void moveInTheSameFolderIsRefused()
    {
        QFETCH(QString, entry);
        QFETCH(QString, title);
        makeTree(src, {entry, QStringLiteral("z=2")});
        const QStringList before = tree(src);
        // Also when the folder is reached through a link to it.
        QVERIFY(QFile::link(src, tmp.path() + QStringLiteral("/alias")));
        QStringList names{QStringLiteral("d"), QStringLiteral("z")};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 1, src, tmp.path() + QStringLiteral("/alias/"), &names);
        QCOMPARE(kx.told, QStringList{title + QStringLiteral("|d を移動できません。\n受け側のフォルダが同じです。")});
        QCOMPARE(names, QStringList());
        QCOMPARE(tree(src), before);
    }

    void folderIntoItselfIsRefused()
    {
        makeTree(src, {QStringLiteral("d/sub/"), QStringLiteral("d/f=1")});
        QVERIFY(QFile::link(src + QStringLiteral("d/sub"), dst + QStringLiteral("into")));
        const QStringList before = tree(src);
        for (const QString& target : {src + QStringLiteral("d/sub/"), dst + QStringLiteral("into/")}) {
            QStringList names{QStringLiteral("d")};
            ScriptedCommon kx;
            kx.allItemCpMv(nullptr, 2, src, target, &names);
            QCOMPARE(kx.told, QStringList{QStringLiteral("フォルダのコピー|d をコピーできません。\n受け側のフォルダはサブフォルダです。")});
            QCOMPARE(names, QStringList());
            QCOMPARE(tree(src), before);
        }
    }

    void conflictsOfKind_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("message");
        const QString taken = QStringLiteral("このフォルダには既に%1\n'e'\nが存在します。\n%2はできません。");
        QTest::newRow("file over folder") << "e=1" << "e/" << "ファイルのコピー|" + taken.arg("フォルダ", "ファイルコピー");
        QTest::newRow("file over link") << "e=1" << "e->x" << "ファイルのコピー|" + taken.arg("シンボリックリンク", "ファイルコピー");
        QTest::newRow("folder over file") << "e/" << "e=2" << "フォルダのコピー|" + taken.arg("ファイル", "フォルダコピー");
        QTest::newRow("folder over link") << "e/" << "e->x" << "フォルダのコピー|" + taken.arg("シンボリックリンク", "フォルダコピー");
        QTest::newRow("link over file") << "e->x" << "e=2" << "リンクの貼り付け|" + taken.arg("ファイル", "シンボリックリンクの作成");
        QTest::newRow("link over folder") << "e->x" << "e/" << "リンクの貼り付け|" + taken.arg("フォルダ", "シンボリックリンクの作成");
    }

    void conflictsOfKind()
    {
        QFETCH(QString, source);
        QFETCH(QString, existing);
        QFETCH(QString, message);
        makeTree(src, {QStringLiteral("a=0"), source, QStringLiteral("z=9")});
        makeTree(dst, {existing});
        QStringList after = tree(dst) << QStringLiteral("a=0");
        after.sort();
        QStringList names{QStringLiteral("a"), QStringLiteral("e"), QStringLiteral("z")};
        ScriptedCommon kx;
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QCOMPARE(kx.told, QStringList{message});
        QCOMPARE(names, QStringList{QStringLiteral("a")});
        QCOMPARE(tree(dst), after);
    }

    // Answers to I and K over two existing files, and what stays of them.
    void replaceFlow_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QStringList>("names");
        const QStringList both{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("no skips one") << QList<int>{kxCommon::No, kxCommon::Yes, kxCommon::No} << 3 << "old a" << "new b" << both;
        QTest::newRow("replace all") << QList<int>{kxCommon::Yes, kxCommon::Yes} << 2 << "new a" << "new b" << both;
        QTest::newRow("cancel stops") << QList<int>{kxCommon::Yes, kxCommon::No, kxCommon::Cancel} << 3 << "new a"
                                      << "old b" << QStringList{QStringLiteral("a")};
    }

    void replaceFlow()
    {
        QFETCH(QList<int>, answers);
        QFETCH(int, questions);
        makeTree(src, {QStringLiteral("a=new a"), QStringLiteral("b=new b")});
        makeTree(dst, {QStringLiteral("a=old a"), QStringLiteral("b=old b")});
        QStringList names{QStringLiteral("a"), QStringLiteral("b")};
        ScriptedCommon kx;
        kx.answers = answers;
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QCOMPARE(kx.asked.size(), questions);
        QVERIFY(kx.asked.first().startsWith(QStringLiteral("Confirm File Replace|")));
        QTEST(QString::fromUtf8(readAll(dst + QStringLiteral("a"))), "a");
        QTEST(QString::fromUtf8(readAll(dst + QStringLiteral("b"))), "b");
        QTEST(names, "names");
    }

    void replaceQuestionText()
    {
        writeAll(src + QStringLiteral("f"), QByteArray(2049, 'n'));
        writeAll(dst + QStringLiteral("f"), QByteArray(1999, 'o'));
        setTimes(src + QStringLiteral("f"), QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58)));
        setTimes(dst + QStringLiteral("f"), QDateTime(QDate(2003, 4, 5), QTime(6, 7, 8)));
        QCOMPARE(kxCommon::replaceQuestion(src + QStringLiteral("f"), dst + QStringLiteral("f")),
                 QStringLiteral("このフォルダには既に 'f'\nが存在します。\n\n現在のファイル\n    1999 バイト\n"
                                "    2003年04月05日 06:07:08\n\nに次のファイルを上書きしますか？\n    3 KB\n"
                                "    2024年12月31日 23:59:58"));
        // Sizes past 4 GiB (a sparse file) stay whole.
        QFile big(src + QStringLiteral("f"));
        QVERIFY(big.resize(qint64(5) << 30));
        QVERIFY(kxCommon::replaceQuestion(src + QStringLiteral("f"), dst + QStringLiteral("f"))
                    .contains(QStringLiteral("    5242880 KB\n")));
    }

    // An existing folder: H, then K; the folders merge, files inside ask again only until K.
    void folderMerge()
    {
        makeTree(src, {QStringLiteral("d/a=new"), QStringLiteral("d/b=new"), QStringLiteral("d/c=new")});
        makeTree(dst, {QStringLiteral("d/a=old"), QStringLiteral("d/b=old"), QStringLiteral("d/keep=old")});
        QStringList names{QStringLiteral("d")};
        ScriptedCommon kx;
        kx.answers = {kxCommon::Yes, kxCommon::No, kxCommon::No, kxCommon::Yes};
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QCOMPARE(kx.asked.size(), 4); // H, K, then I for a and b (a single item asks no K)
        QCOMPARE(kx.asked.at(0), QStringLiteral("Confirm Folder Replace|This folder already contains a folder named \n'd'. \n\nDo you want to move or copy the folder?"));
        QCOMPARE(kx.asked.at(1), QStringLiteral("Confirm Folder Replace|今後このメッセージを表示せず\n全て上書きしますか？"));
        QCOMPARE(tree(dst), QStringList({QStringLiteral("d/"), QStringLiteral("d/a=old"), QStringLiteral("d/b=new"),
                                         QStringLiteral("d/c=new"), QStringLiteral("d/keep=old")}));
        QCOMPARE(names, QStringList{QStringLiteral("d")});
    }

    void linkBatch()
    {
        makeTree(src, {QStringLiteral("f=1"), QStringLiteral("g=2")});
        makeTree(dst, {QStringLiteral("g->old")});
        QStringList names{QStringLiteral("f"), QStringLiteral("g")};
        ScriptedCommon kx;
        kx.answers = {kxCommon::Yes, kxCommon::No};
        kx.allItemSymblnk(nullptr, src, dst, &names);
        QCOMPARE(kx.asked.first(),
                 QStringLiteral("リンクの上書きの確認|このフォルダには既に 'g'\nが存在します。\n\n現在のシンボリックリンク\n"
                                "    リンク先:\n    old\n\nに次のシンボリックリンクを上書きしますか？\n    リンク先:\n    ")
                     + src + QStringLiteral("g"));
        QCOMPARE(kx.asked.size(), 2);
        QCOMPARE(tree(dst), QStringList({QStringLiteral("f->") + src + QStringLiteral("f"), QStringLiteral("g->") + src + QStringLiteral("g")}));
        QCOMPARE(names.size(), 2);

        // In the same folder the links take free names; a file in the way stops the batch with G.
        names = QStringList{QStringLiteral("f"), QStringLiteral("g")};
        ScriptedCommon same;
        same.allItemSymblnk(nullptr, src, src, &names);
        QCOMPARE(names, QStringList({QStringLiteral("f_link"), QStringLiteral("g_link")}));
        makeTree(dst, {QStringLiteral("h=file")});
        makeTree(src, {QStringLiteral("h=3")});
        names = QStringList{QStringLiteral("h")};
        ScriptedCommon blocked;
        blocked.allItemSymblnk(nullptr, src, dst, &names);
        QCOMPARE(blocked.told, QStringList{QStringLiteral("リンクの貼り付け|このフォルダには既にファイル\n'h'\nが存在します。\nシンボリックリンクの作成はできません。")});
        QCOMPARE(names, QStringList());
    }

    void deleteBatch()
    {
        makeTree(src, {QStringLiteral("d/.hidden/.x=1"), QStringLiteral("d/f=2"), QStringLiteral("target/t=3"),
                       QStringLiteral("tolink->target"), QStringLiteral("dangling->none"), QStringLiteral("f=4")});
        QStringList names{QStringLiteral("d"), QStringLiteral("tolink"), QStringLiteral("dangling"), QStringLiteral("f")};
        ScriptedCommon kx;
        kx.allItemDel(nullptr, src, &names);
        QCOMPARE(kx.told, QStringList());
        QCOMPARE(names.size(), 4);
        QCOMPARE(tree(src), QStringList({QStringLiteral("target/"), QStringLiteral("target/t=3")}));
    }

    // The memory-card rule: a copy from a card gets a new file's permissions and owner.
    void cardRule()
    {
        if (::geteuid() != 0)
            QSKIP("changing a file's owner needs root");
        const QString card = tmp.path() + QStringLiteral("/mnt/card/");
        makeTree(card, {QStringLiteral("c=card")});
        makeTree(src, {QStringLiteral("c=home")});
        for (const QString& from : {card, src}) {
            QVERIFY(::chown(bytes(from + QStringLiteral("c")).constData(), 65534, 65534) == 0);
            QVERIFY(::chmod(bytes(from + QStringLiteral("c")).constData(), 0604) == 0);
        }
        const QDateTime when(QDate(2010, 1, 1), QTime(0, 0));
        setTimes(card + QStringLiteral("c"), when);
        QStringList names{QStringLiteral("c")};
        ScriptedCommon fromCard;
        fromCard.allItemCpMv(nullptr, 2, card, dst, &names);
        struct stat st;
        QVERIFY(::stat(bytes(dst + QStringLiteral("c")).constData(), &st) == 0);
        const mode_t mask = ::umask(0);
        ::umask(mask);
        QCOMPARE(st.st_mode & 07777, 0666 & ~mask);
        QCOMPARE(st.st_uid, ::geteuid());
        QCOMPARE(QFileInfo(dst + QStringLiteral("c")).lastModified(), when);

        ScriptedCommon fromHome;
        fromHome.answers = {kxCommon::Yes};
        fromHome.allItemCpMv(nullptr, 2, src, dst, &names);
        QVERIFY(::stat(bytes(dst + QStringLiteral("c")).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0604));
        QCOMPARE(st.st_uid, uid_t(65534));
        QCOMPARE(readAll(dst + QStringLiteral("c")), QByteArray("home"));
    }

    // The real boxes: button texts, the default, Escape, and the answer read back.
    void questionBoxes()
    {
        makeTree(src, {QStringLiteral("f=new")});
        makeTree(dst, {QStringLiteral("f=old")});
        QStringList names{QStringLiteral("f")};
        kxCommon kx;
        ModalAnswer no(QStringLiteral("No"));
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QVERIFY(no.answered());
        QCOMPARE(no.title(), QStringLiteral("Confirm File Replace"));
        QVERIFY(no.text().startsWith(QStringLiteral("このフォルダには既に 'f'\n")));
        QCOMPARE(readAll(dst + QStringLiteral("f")), QByteArray("old"));
        QCOMPARE(names, QStringList{QStringLiteral("f")});

        QTimer::singleShot(0, [] {
            QTimer* poll = new QTimer;
            QObject::connect(poll, &QTimer::timeout, [poll] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                poll->deleteLater();
                QCOMPARE(box->defaultButton()->text(), QStringLiteral("Yes"));
                QTest::keyClick(box, Qt::Key_Escape);
            });
            poll->start(10);
        });
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QCOMPARE(names, QStringList());
        QCOMPARE(readAll(dst + QStringLiteral("f")), QByteArray("old"));
    }

    // A name that looks like markup is shown as it is, in the questions and the progress window.
    void namesAreNotMarkup()
    {
        makeTree(src, {QStringLiteral("<b>f=new")});
        makeTree(dst, {QStringLiteral("<b>f=old")});
        QStringList names{QStringLiteral("<b>f")};
        kxCommon kx;
        Qt::TextFormat question = Qt::AutoText;
        Qt::TextFormat label = Qt::AutoText;
        ModalAnswer no(QStringLiteral("No"), [&](QDialog* box) {
            question = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->textFormat();
            label = kx.progress->findChild<QLabel*>()->textFormat();
        });
        kx.allItemCpMv(nullptr, 2, src, dst, &names);
        QVERIFY(no.answered());
        QCOMPARE(question, Qt::PlainText);
        QCOMPARE(label, Qt::PlainText);
    }
};

QTEST_MAIN(TestKxCommon)
#include "tst_kxcommon.moc"
