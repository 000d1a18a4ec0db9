#include "ctltreeview.h"
#include "ctltreeviewitem.h"
#include "kxconfig.h"
#include "kxicons.h"
#include "platform/qpeapplication.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestTreeView : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir root;
    QString top; // ends in "/"

    static ctlTreeViewItem* child(ctlTreeViewItem* node, const QString& name)
    {
        for (int i = 0; i < node->childCount(); ++i)
            if (static_cast<ctlTreeViewItem*>(node->child(i))->folderName == name)
                return static_cast<ctlTreeViewItem*>(node->child(i));
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        kxLoadIcons(0);
        top = root.path() + QLatin1Char('/');
        for (const char* dir : {"a/empty", "a/b/c", "B", ".hidden", "d"})
            QVERIFY(QDir().mkpath(top + QLatin1String(dir)));
        QFile(top + QStringLiteral("file.txt")).open(QIODevice::WriteOnly);
        QVERIFY(QFile::link(top + QStringLiteral("a"), top + QStringLiteral("linked")));
    }
    void cleanupTestCase() { kxDeleteIcons(); }

    void lazyExpansionAndOrder()
    {
        kxcfgListShowHidden = 1;
        ctlTreeView tree(nullptr, 0);
        tree.activeFolder(top, false);
        ctlTreeViewItem* node = tree.selectedFolder();
        QVERIFY(node);
        QCOMPARE(node->folderPath, top);
        QStringList names;
        for (int i = 0; i < node->childCount(); ++i)
            names << node->child(i)->text(0);
        // Folders only, by their plain text: upper case first; links to folders are folders.
        QCOMPARE(names, QStringList({".hidden", "B", "a", "d", "linked"}));
        QVERIFY(child(node, "linked")->isLink);
        QVERIFY(!child(node, "a")->isLink);

        ctlTreeViewItem* empty = child(child(node, "a"), "empty");
        QVERIFY(!empty); // "a" is not read until it is opened
        ctlTreeViewItem* a = child(node, "a");
        QVERIFY(a->isExpandable());
        a->setOpen(true);
        empty = child(a, "empty");
        QVERIFY(empty->isExpandable());
        empty->setOpen(true);
        QVERIFY(!empty->isExpandable());
        QCOMPARE(empty->data(0, Qt::DecorationRole).value<QPixmap>().cacheKey(), kxpixFolder2->cacheKey());

        kxcfgListShowHidden = 0;
        node->setOpen(true);
        QVERIFY(!child(node, ".hidden"));
        kxcfgListShowHidden = 1;
    }

    void walkStopsAtDeepestExisting()
    {
        ctlTreeView tree(nullptr, 0);
        tree.openFolder(top + QStringLiteral("a/b/missing/more"), true);
        QCOMPARE(tree.selectedFolder()->folderPath, top + QStringLiteral("a/b/"));
        QTRY_COMPARE(tree.fullPath(), top + QStringLiteral("a/b/"));
        QCOMPARE(tree.cdUpPath(), top + QStringLiteral("a/"));
        tree.activeFolder(QStringLiteral("/"), false);
        QTRY_COMPARE(tree.fullPath(), QStringLiteral("/"));
        QCOMPARE(tree.cdUpPath(), QString());
    }

    void backAndForward()
    {
        ctlTreeView tree(nullptr, 0);
        QSignalSpy announced(&tree, &ctlTreeView::folderSelected);
        tree.openFolder(top + QStringLiteral("a"), true);
        QTRY_COMPARE(announced.count(), 1);
        QCOMPARE(tree.backStack.size(), 1); // the first announcement pushes ""
        QCOMPARE(tree.backStack.top(), QString());
        tree.activeFolder(top + QStringLiteral("d"), false);
        QTRY_COMPARE(tree.fullPath(), top + QStringLiteral("d/"));
        tree.activeFolder(top + QStringLiteral("d"), false); // already current: nothing
        QTest::qWait(60);
        QCOMPARE(announced.count(), 2);

        tree.backFolder();
        QTRY_COMPARE(tree.fullPath(), top + QStringLiteral("a/"));
        QCOMPARE(tree.forwStack.size(), 1);
        tree.forwFolder();
        QTRY_COMPARE(tree.fullPath(), top + QStringLiteral("d/"));
        QCOMPARE(tree.backStack.size(), 2);
        QVERIFY(tree.forwStack.isEmpty());

        tree.backFolder();
        QTRY_COMPARE(tree.fullPath(), top + QStringLiteral("a/"));
        tree.activeFolder(top + QStringLiteral("B"), false); // a new choice after Back ends Forward
        QTRY_COMPARE(tree.fullPath(), top + QStringLiteral("B/"));
        QVERIFY(tree.forwStack.isEmpty());

        tree.backFolder();
        QTRY_COMPARE(tree.fullPath(), top + QStringLiteral("a/"));
        tree.backFolder(); // to "", which is the root
        QTRY_COMPARE(tree.fullPath(), QStringLiteral("/"));
    }

    // Moving with the keys announces only where the last key landed, 500 ms after it.
    void keysAnnounceOnceAfterTheLastKey()
    {
        ctlTreeView tree(nullptr, 0);
        tree.openFolder(top, true);
        QTRY_COMPARE(tree.fullPath(), top);
        QSignalSpy announced(&tree, &ctlTreeView::folderSelected);
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(&tree, Qt::Key_Down);
            QTest::qWait(100);
        }
        QCOMPARE(announced.count(), 0);
        QTRY_COMPARE(announced.count(), 1);
        QCOMPARE(tree.fullPath(), top + QStringLiteral("a/"));
        QTest::qWait(600);
        QCOMPARE(announced.count(), 1);
    }

    // After the file commands: a new sub-folder shows, a renamed one is chosen under its new
    // name, a deleted one leaves its parent chosen and re-read.
    void refreshAfterCommands()
    {
        QTemporaryDir dir;
        const QString base = dir.path() + QLatin1Char('/');
        QVERIFY(QDir().mkpath(base + QStringLiteral("p/old")));
        ctlTreeView tree(nullptr, 0);
        tree.openFolder(base + QStringLiteral("p"), true);
        QTRY_COMPARE(tree.fullPath(), base + QStringLiteral("p/"));
        QVERIFY(QDir().mkdir(base + QStringLiteral("p/new")));
        tree.refreshItemChild();
        QVERIFY(child(tree.selectedFolder(), "new"));

        tree.activeFolder(base + QStringLiteral("p/old"), false);
        QTRY_COMPARE(tree.fullPath(), base + QStringLiteral("p/old/"));
        QVERIFY(QDir().rename(base + QStringLiteral("p/old"), base + QStringLiteral("p/renamed")));
        tree.refreshItemRename(QStringLiteral("renamed"));
        QTRY_COMPARE(tree.fullPath(), base + QStringLiteral("p/renamed/"));
        QVERIFY(!child(tree.selectedFolder()->parentFolder, "old"));

        QVERIFY(QDir().rmdir(base + QStringLiteral("p/renamed")));
        tree.refreshItemDelete();
        QTRY_COMPARE(tree.fullPath(), base + QStringLiteral("p/"));
        QVERIFY(!child(tree.selectedFolder(), "renamed"));
        QVERIFY(child(tree.selectedFolder(), "new"));
    }

    void commandKeysGoToTheWindow()
    {
        ctlTreeView tree(nullptr, 0);
        QSignalSpy keys(&tree, &ctlTreeView::shortcutKey);
        QTest::keyClick(&tree, Qt::Key_Delete);
        QTest::keyClick(&tree, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(&tree, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(keys.count(), 2);
    }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestTreeView test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ctltreeview.moc"
