#include "ctllistview.h"
#include "ctllistviewitem.h"
#include "ctltreeview.h"
#include "ctltreeviewitem.h"
#include "frmmain.h"
#include "kxconfig.h"
#include "kxicons.h"
#include "kxtestfiles.h"
#include "modalanswer.h"
#include "platform/config.h"
#include "platform/qpeapplication.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>

// The file commands on real folders, given as a user gives them: keys on the list and the
// tree, with the questions and dialogs answered.
class TestFrmMainCommands : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tmp;
    QString src, dst;

    static void go(frmMain& w, const QString& path)
    {
        w.slotAddressComboChanged(path.size() > 1 ? path.chopped(1) : path);
        QTRY_COMPARE(w.treeView->fullPath(), path);
        w.listView->setFocus();
    }
    static void key(QWidget* pane, int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(pane, Qt::Key(key), modifiers);
    }
    static QStringList names(const frmMain& w, bool selectedOnly = false)
    {
        QStringList result;
        for (int i = 0; i < w.listView->childCount(); ++i)
            if (!selectedOnly || w.listView->row(i)->isSelected())
                result << w.listView->row(i)->name();
        return result;
    }
    static void selectRows(frmMain& w, const QStringList& wanted)
    {
        if (!w.btnMultiSel->isChecked())
            w.btnMultiSel->toggle();
        for (int i = 0; i < w.listView->childCount(); ++i)
            w.listView->row(i)->setSelected(wanted.contains(w.listView->row(i)->name()));
    }
    static void selectRow(frmMain& w, const QString& name)
    {
        if (w.btnMultiSel->isChecked())
            w.btnMultiSel->toggle();
        for (int i = 0; i < w.listView->childCount(); ++i)
            if (w.listView->row(i)->name() == name)
                w.listView->setCurrentItem(w.listView->row(i));
    }
    // Runs act on the next modal dialog once it is open.
    static void onModal(const std::function<void(QWidget*)>& act)
    {
        auto* timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                timer->stop();
                timer->deleteLater();
                act(dialog);
            }
        });
        timer->start();
    }
    // Answers the name dialog with name; returns the name it proposed.
    static std::shared_ptr<QString> typeName(const QString& name)
    {
        auto proposed = std::make_shared<QString>();
        onModal([name, proposed](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>();
            *proposed = edit->text();
            edit->setText(name);
            for (QPushButton* b : dialog->findChildren<QPushButton*>())
                if (b->text() == QLatin1String("Execute"))
                    b->click();
        });
        return proposed;
    }
    static struct stat entry(const QString& path)
    {
        struct stat st = {};
        ::lstat(bytes(path).constData(), &st);
        return st;
    }

private slots:
    void init()
    {
        QFile::remove(Config::filePath(QStringLiteral("korvex")));
        QDir(tmp.path()).removeRecursively();
        src = tmp.path() + QStringLiteral("/src/");
        dst = tmp.path() + QStringLiteral("/dst/");
        QVERIFY(QDir().mkpath(src) && QDir().mkpath(dst));
    }

    // Three files copied with Ctrl+C and Ctrl+V keep bytes, times and modes; Ctrl+X and
    // Ctrl+V move them once.
    void copyThenMoveThree()
    {
        makeTree(src, {"a=alpha", "b=" + QString(70000, QLatin1Char('b')), "c.sh=#!/bin/sh", "other=x"});
        const mode_t modes[] = {0640, 0600, 0750};
        const QStringList three{"a", "b", "c.sh"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(::chmod(bytes(src + three[i]).constData(), modes[i]), 0);
            const struct timespec times[2] = {{1000000000 + i, 123456789}, {1100000000 + i, 987654321}};
            QCOMPARE(::utimensat(AT_FDCWD, bytes(src + three[i]).constData(), times, 0), 0);
        }
        frmMain w;
        w.show();
        go(w, src);
        selectRows(w, three);
        key(w.listView, Qt::Key_C);
        QCOMPARE(w.clipMode, 2);
        go(w, dst);
        key(w.listView, Qt::Key_V);
        for (const QString& name : three) {
            QCOMPARE(readAll(dst + name), readAll(src + name));
            const struct stat from = entry(src + name), to = entry(dst + name);
            QCOMPARE(to.st_mode, from.st_mode);
            QCOMPARE(to.st_mtim.tv_sec, from.st_mtim.tv_sec);
            QCOMPARE(to.st_mtim.tv_nsec, from.st_mtim.tv_nsec);
        }
        QCOMPARE(names(w, true), three);
        QCOMPARE(w.statusLeft->text(), QStringLiteral(" 3 objects  selected (total 69KB) "));

        // A second paste of a copy asks before it replaces.
        {
            ModalAnswer answer(QStringLiteral("Cancel"));
            key(w.listView, Qt::Key_V);
            QCOMPARE(answer.title(), QStringLiteral("Confirm File Replace"));
        }

        const QString third = tmp.path() + QStringLiteral("/third/");
        QVERIFY(QDir().mkpath(third));
        selectRows(w, three);
        key(w.listView, Qt::Key_X);
        QCOMPARE(w.clipMode, 1);
        go(w, third);
        key(w.listView, Qt::Key_V);
        QCOMPARE(tree(third), tree(src).filter(QRegularExpression(QStringLiteral("^(a|b|c\\.sh)="))));
        QCOMPARE(tree(dst), QStringList());
        QCOMPARE(w.clipMode, 0);
        ModalAnswer none(QStringLiteral("OK"));
        key(w.listView, Qt::Key_V);
        QTest::qWait(50);
        QVERIFY(!none.answered());
        QCOMPARE(tree(third).size(), 3);
    }

    // Links are made without a shell: names and targets exact, whatever they hold. After a
    // Cut, Paste as link does nothing.
    void pasteAsLinks()
    {
        const QStringList hostile{"q\"uote", "$(touch pwned)", "-dash", "`x` 'y'", "two\nlines"};
        for (const QString& name : hostile)
            makeTree(src, {name + QStringLiteral("=x")});
        frmMain w;
        w.show();
        go(w, src);
        selectRow(w, QStringLiteral("-dash"));
        key(w.listView, Qt::Key_X);
        go(w, dst);
        w.slotCmdEditSymblnk();
        QCOMPARE(tree(dst), QStringList());
        go(w, src);
        key(w.listView, Qt::Key_A);
        key(w.listView, Qt::Key_C);
        go(w, dst);
        w.slotCmdEditSymblnk();
        for (const QString& name : hostile)
            QCOMPARE(kxReadLink(dst + name), src + name);
        QCOMPARE(tree(dst).size(), hostile.size());
        QCOMPARE(w.clipMode, 2);
        QVERIFY(!QFile::exists(QStringLiteral("pwned")) && !QFile::exists(dst + QStringLiteral("pwned")));
    }

    void noticesWhenNothingIsSelected_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("notice");
        QTest::newRow("delete") << int(Qt::Key_Delete) << QStringLiteral("Please choose the file or folder to delete.");
        QTest::newRow("rename") << int(Qt::Key_B) << QStringLiteral("名前を変更するファイルまたは\nフォルダを選択してください。");
        QTest::newRow("properties") << int(Qt::Key_P) << QStringLiteral("ファイルまたは\nフォルダを選択してください。");
        QTest::newRow("cut") << int(Qt::Key_X) << QStringLiteral("コピーするファイルまたは\nフォルダを選択してください。");
    }

    // With multiple selection on and nothing chosen, and for rename and properties even
    // with rows chosen.
    void noticesWhenNothingIsSelected()
    {
        QFETCH(int, key);
        QFETCH(QString, notice);
        makeTree(src, {"f=1"});
        frmMain w;
        w.show();
        go(w, src);
        w.clipMode = 2;
        selectRows(w, key == Qt::Key_B || key == Qt::Key_P ? QStringList{"f"} : QStringList());
        ModalAnswer answer(QStringLiteral("OK"));
        TestFrmMainCommands::key(w.listView, key, key == Qt::Key_Delete ? Qt::NoModifier : Qt::ControlModifier);
        QCOMPARE(answer.title() + QLatin1Char('|') + answer.text(), QStringLiteral("Korvex QT|") + notice);
        QCOMPARE(w.clipMode, key == Qt::Key_X ? 0 : 2);
        QCOMPARE(tree(src), QStringList{"f=1"});
    }

    void deleteAsks_data()
    {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("question");
        QTest::newRow("file") << QStringList{"f"}
                              << QStringLiteral("Confirm File Delete|Are you sure you want to delete\n'f'?");
        QTest::newRow("folder") << QStringList{"d"}
                                << QStringLiteral("Confirm Folder Delete|Are you sure you want to remove the folder\n'd' and all its contents?");
        QTest::newRow("link") << QStringList{"l"}
                              << QStringLiteral("Confirm SymbolicLink Delete|Are you sure you want to delete the symbolic link\n'l'?");
        QTest::newRow("three") << QStringList{"d", "f", "l"}
                               << QStringLiteral("Confirm Multiple File Delete|Are you sure you want to delete these 3 items?");
    }

    // Cancel keeps everything; OK deletes, the rows go, the status bar counts again and
    // multiple selection is off.
    void deleteAsks()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QString, question);
        makeTree(src, {"d/inner=1", "f=22", "l->d", "keep=333"});
        frmMain w;
        w.show();
        go(w, src);
        if (chosen.size() == 1)
            selectRow(w, chosen.first());
        else
            selectRows(w, chosen);
        const QStringList before = tree(src);
        for (const QString button : {"Cancel", "OK"}) {
            ModalAnswer answer{button};
            key(w.listView, Qt::Key_Delete, Qt::NoModifier);
            QCOMPARE(answer.title() + QLatin1Char('|') + answer.text(), question);
            if (button == QLatin1String("Cancel"))
                QCOMPARE(tree(src), before);
        }
        for (const QString& name : chosen)
            QVERIFY(!names(w).contains(name) && !QFileInfo::exists(src + name) && !QFileInfo(src + name).isSymLink());
        QVERIFY(names(w).contains(QStringLiteral("keep")));
        QVERIFY(!w.btnMultiSel->isChecked());
        QCOMPARE(w.statusLeft->text().contains(QStringLiteral(" objects (total ")), true);
        if (chosen.contains(QStringLiteral("l")) && !chosen.contains(QStringLiteral("d")))
            QCOMPARE(readAll(src + QStringLiteral("d/inner")), QByteArray("1"));
    }

    // A name that is not text in the system's encoding is refused, never reported deleted.
    void undecodableNames()
    {
        const QByteArray raw = bytes(src) + "bad\xff";
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        frmMain w;
        w.show();
        go(w, src);
        QCOMPARE(w.listView->childCount(), 1);
        selectRow(w, w.listView->row(0)->name());
        for (int command : {int(Qt::Key_Delete), int(Qt::Key_X)}) {
            ModalAnswer answer(QStringLiteral("OK"));
            key(w.listView, command, command == Qt::Key_Delete ? Qt::NoModifier : Qt::ControlModifier);
            QVERIFY(answer.text().endsWith(QStringLiteral("is not valid text in this system's encoding:\nit cannot be handled here.")));
        }
        QCOMPARE(w.listView->childCount(), 1);
        QCOMPARE(w.clipMode, 0);
        QCOMPARE(::unlink(raw.constData()), 0); // still there; QDir could not remove it
    }

    // On the tree: the root is refused; a folder chosen by keys but not yet announced is
    // the one deleted, never a folder of the same name beside the previous one.
    void treeCommands()
    {
        makeTree(src, {"child/f=1"});
        makeTree(tmp.path(), {"child/decoy=keep"});
        frmMain w;
        w.show();
        go(w, QStringLiteral("/"));
        w.treeView->setFocus();
        const struct {
            int key;
            const char* notice;
        } refusals[] = {{Qt::Key_Delete, "rootフォルダは削除できません。"},
                        {Qt::Key_B, "このフォルダは変更できません。"},
                        {Qt::Key_X, "このフォルダはコピーできません。"}};
        w.clipMode = 2;
        for (const auto& r : refusals) {
            ModalAnswer answer(QStringLiteral("OK"));
            key(w.treeView, r.key, r.key == Qt::Key_Delete ? Qt::NoModifier : Qt::ControlModifier);
            QCOMPARE(answer.text(), QString::fromUtf8(r.notice));
        }
        QCOMPARE(w.clipMode, 2);

        go(w, src);
        w.treeView->setFocus();
        ctlTreeViewItem* node = w.treeView->selectedFolder();
        node->setOpen(true);
        w.treeView->setCurrentItem(node->child(0)); // the key's announcement is still pending
        ModalAnswer answer(QStringLiteral("OK"));
        key(w.treeView, Qt::Key_Delete, Qt::NoModifier);
        QCOMPARE(answer.title() + QLatin1Char('|') + answer.text(),
                 QStringLiteral("フォルダの削除の確認|フォルダ 'child' と\nフォルダ内の全てのファイルを削除します。"));
        QCOMPARE(tree(src), QStringList());
        QCOMPARE(readAll(tmp.path() + QStringLiteral("/child/decoy")), QByteArray("keep"));
        QTRY_COMPARE(w.treeView->fullPath(), src);
    }

    // Ctrl+N proposes "New Folder"; the new row is chosen and shown and the tree has the
    // folder. "_" renames the chosen row.
    void newAndRenameOnTheList()
    {
        makeTree(src, {"f=1"});
        frmMain w;
        w.show();
        go(w, src);
        auto proposed = typeName(QStringLiteral("made"));
        key(w.listView, Qt::Key_N);
        QCOMPARE(*proposed, QStringLiteral("New Folder"));
        QVERIFY(QFileInfo(src + QStringLiteral("made")).isDir());
        QCOMPARE(names(w, true), QStringList{"made"});
        QCOMPARE(w.listView->currentItem(), w.listView->selectedItems().first());
        QCOMPARE(w.treeView->selectedFolder()->child(0)->text(0), QStringLiteral("made"));

        proposed = typeName(QStringLiteral("renamed"));
        key(w.listView, Qt::Key_Underscore, Qt::NoModifier);
        QCOMPARE(*proposed, QStringLiteral("made"));
        QCOMPARE(tree(src), QStringList({"f=1", "renamed/"}));
        QCOMPARE(names(w), QStringList({"renamed", "f"}));

        proposed = typeName(QStringLiteral("note.txt"));
        key(w.listView, Qt::Key_M);
        QCOMPARE(*proposed, QStringLiteral("New Text.txt"));
        QCOMPARE(tree(src), QStringList({"f=1", "note.txt=", "renamed/"}));
    }

    // Hiding hidden entries in the options re-reads the list; the settings are stored.
    void optionsRefreshThePanes()
    {
        makeTree(src, {".hidden=1", "shown=2"});
        kxcfgListShowHidden = 1;
        frmMain w;
        w.show();
        go(w, src);
        QCOMPARE(w.listView->childCount(), 2);
        onModal([](QWidget* dialog) {
            for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
                if (box->text() == QLatin1String("Show hidden objects"))
                    box->setChecked(false);
            for (QPushButton* b : dialog->findChildren<QPushButton*>())
                if (b->text() == QLatin1String("OK"))
                    b->click();
        });
        w.slotCmdEditOption();
        QCOMPARE(names(w), QStringList{"shown"});
        Config config(QStringLiteral("korvex"));
        config.setGroup(QStringLiteral("main"));
        QCOMPARE(config.readNumEntry(QStringLiteral("ListShowHidden"), -1), 0);
    }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestFrmMainCommands test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmmain_commands.moc"
