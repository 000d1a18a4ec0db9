#include "ctllistview.h"
#include "ctllistviewitem.h"
#include "kxconfig.h"
#include "kxicons.h"
#include "platform/qpeapplication.h"
#include "testfiles.h"

#include <QDir>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <utime.h>

class TestListView : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir root;
    QString top;

    static void setTime(const QString& path, const char* when)
    {
        const QDateTime t = QDateTime::fromString(QLatin1String(when), Qt::ISODate);
        utimbuf times{time_t(t.toSecsSinceEpoch()), time_t(t.toSecsSinceEpoch())};
        QCOMPARE(::utime(QFile::encodeName(path).constData(), &times), 0);
    }
    static QStringList names(const ctlListView& list)
    {
        QStringList result;
        for (int i = 0; i < list.childCount(); ++i)
            result << list.row(i)->name();
        return result;
    }
    static ctlListViewItem* find(const ctlListView& list, const QString& name)
    {
        for (int i = 0; i < list.childCount(); ++i)
            if (list.row(i)->name() == name)
                return list.row(i);
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        kxLoadIcons(0);
        top = root.path() + QLatin1Char('/');
        const struct {
            const char* name;
            int size;
            const char* time;
        } files[] = {{"a", 1, "2003-12-25T09:05:10"}, {"B", 1024, "2003-12-25T09:05:50"},
                     {"c", 1025, "2001-01-01T00:00:00"}, {"big", 1500000, "2010-06-01T12:00:00"},
                     {"empty", 0, "2020-02-02T02:02:00"}, {".dot", 5, "2020-01-01T00:00:00"}};
        for (const auto& f : files) {
            writeAll(top + QLatin1String(f.name), QByteArray(f.size, 'x'));
            setTime(top + QLatin1String(f.name), f.time);
        }
        for (const char* dir : {"Zdir", "adir"})
            QVERIFY(QDir().mkdir(top + QLatin1String(dir)));
        QVERIFY(QFile::link(QStringLiteral("nowhere"), top + QStringLiteral("dangling")));
    }
    void cleanupTestCase() { kxDeleteIcons(); }

    void texts()
    {
        kxcfgListShowHidden = 1;
        ctlListView list(nullptr, 0);
        QVERIFY(list.refreshFileList(top));
        QCOMPARE(find(list, "a")->text(1), QStringLiteral("1 KB"));
        QCOMPARE(find(list, "B")->text(1), QStringLiteral("1 KB"));
        QCOMPARE(find(list, "c")->text(1), QStringLiteral("2 KB"));
        QCOMPARE(find(list, "big")->text(1), QStringLiteral("1,465 KB"));
        QCOMPARE(find(list, "empty")->text(1), QStringLiteral("0 KB"));
        QCOMPARE(find(list, "adir")->text(1), QStringLiteral("Folder"));
        QCOMPARE(find(list, "a")->text(2), QStringLiteral("03/12/25 09:05"));
        QCOMPARE(find(list, "dangling")->text(3), QStringLiteral("nowhere"));
        QVERIFY(find(list, "dangling")->isLink);
        QVERIFY(!find(list, "dangling")->isExec);
        QVERIFY(find(list, ".dot"));
    }

    void permissionsAndMarks_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("lock");
        QTest::addColumn<bool>("exec");
        QTest::newRow("rw-r--r--") << 0644 << "-rw-r--r--" << false << false;
        QTest::newRow("read only") << 0444 << "-r--r--r--" << true << false;
        QTest::newRow("owner exec") << 0744 << "-rwxr--r--" << false << true;
        QTest::newRow("group and other exec") << 0611 << "-rw---x--x" << false << true;
        QTest::newRow("other exec only") << 0601 << "-rw------x" << false << false;
    }
    void permissionsAndMarks()
    {
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(bool, lock);
        QFETCH(bool, exec);
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/f");
        writeAll(path, "x");
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        ctlListView list(nullptr, 0);
        list.refreshFileList(dir.path() + QLatin1Char('/'));
        QCOMPARE(list.row(0)->text(4), text);
        QCOMPARE(list.row(0)->isLock, lock);
        QCOMPARE(list.row(0)->isExec, exec);
    }

    void readOnlyFolderHasNoLock()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkdir(dir.path() + QStringLiteral("/ro")));
        QCOMPARE(::chmod(QFile::encodeName(dir.path() + QStringLiteral("/ro")).constData(), 0555), 0);
        ctlListView list(nullptr, 0);
        list.refreshFileList(dir.path() + QLatin1Char('/'));
        QCOMPARE(list.row(0)->text(4), QStringLiteral("dr-xr-xr-x"));
        QVERIFY(!list.row(0)->isLock);
    }

    void sortOrders_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QStringList>("order");
        // Folders together: first ascending, last descending.
        QTest::newRow("name") << 0 << true << QStringList{"adir", "Zdir", ".dot", "a", "B", "big", "c", "dangling", "empty"};
        QTest::newRow("name down") << 0 << false << QStringList{"empty", "dangling", "c", "big", "B", "a", ".dot", "Zdir", "adir"};
        QTest::newRow("size down") << 1 << false << QStringList{"big", "B", "c", "a"};
        QTest::newRow("date") << 2 << true << QStringList{"c", "a", "B", "big"};
    }
    void sortOrders()
    {
        QFETCH(int, column);
        QFETCH(bool, ascending);
        QFETCH(QStringList, order);
        ctlListView list(nullptr, 0);
        list.refreshFileList(top);
        list.sortItems(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        QStringList shown = names(list);
        if (column != 0) // only the rows named, in the order shown
            shown.erase(std::remove_if(shown.begin(), shown.end(), [&](const QString& n) { return !order.contains(n); }),
                        shown.end());
        QCOMPARE(shown, order);
        if (column == 1 && !ascending) // folders after every file
            QVERIFY(names(list).last().endsWith(QLatin1String("dir")));
    }

    // Within a minute the date keys are equal; the size key counts whole KiB.
    void keysCoarse()
    {
        ctlListView list(nullptr, 0);
        list.refreshFileList(top);
        QCOMPARE(find(list, "a")->key(2, true), find(list, "B")->key(2, true));
        QCOMPARE(find(list, "a")->key(1, true), find(list, "empty")->key(1, true));
        QVERIFY(find(list, "B")->key(1, true) > find(list, "a")->key(1, true));
    }

    void hiddenEntries()
    {
        kxcfgListShowHidden = 0;
        ctlListView list(nullptr, 0);
        list.refreshFileList(top);
        QVERIFY(!find(list, ".dot"));
        kxcfgListShowHidden = 1;
        list.refreshFileList(top);
        QVERIFY(find(list, ".dot"));
    }

    void unreadableFolderGivesEmptyList()
    {
        ctlListView list(nullptr, 0);
        list.refreshFileList(top);
        QVERIFY(list.refreshFileList(top + QStringLiteral("no such folder/")));
        QCOMPARE(list.childCount(), 0);
        QCOMPARE(list.allFileSize(), quint64(0));
    }

    // A folder chosen while a large one is read replaces it; the older rebuild leaves nothing behind.
    void newerRebuildWins()
    {
        QTemporaryDir many;
        for (int i = 0; i < 500; ++i)
            writeAll(many.path() + QStringLiteral("/f%1").arg(i), "x");
        kxcfgListShowHidden = 1;
        ctlListView list(nullptr, 0);
        bool newer = false;
        QTimer::singleShot(0, &list, [&] { newer = list.refreshFileList(top); });
        QVERIFY(!list.refreshFileList(many.path() + QLatin1Char('/')));
        QVERIFY(newer);
        QVERIFY(find(list, "big"));
        QVERIFY(!find(list, "f1"));
        QCOMPARE(list.childCount(),
                 QDir(top).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size());
    }

    void patching()
    {
        ctlListView list(nullptr, 0);
        list.refreshFileList(top);
        const int count = list.childCount();
        list.refreshItemDelete({"a", "c"});
        QCOMPARE(list.childCount(), count - 2);
        list.refreshItemInsert(top, {"c", "a"});
        QCOMPARE(list.childCount(), count);
        QCOMPARE(list.selectedItems().size(), 2);
        QCOMPARE(static_cast<ctlListViewItem*>(list.currentItem())->name(), QStringLiteral("c"));
        QCOMPARE(names(list).indexOf("a"), names(list).indexOf("B") - 1); // sorted in place
    }

    void sizesAreSummedBeyond4GiB()
    {
        ctlListView list(nullptr, 0);
        list.refreshFileList(top);
        struct stat st = {};
        st.st_mode = S_IFREG | 0644;
        st.st_size = qint64(5) << 30;
        list.addTopLevelItem(new ctlListViewItem(top, QStringLiteral("huge"), st, false, QString(), QString()));
        QVERIFY(list.allFileSize() > (quint64(5) << 30));
        QCOMPARE(list.topLevelItem(list.childCount() - 1)->text(1), QStringLiteral("5,242,880 KB"));
    }

    // A tap on the selected row opens it; a tap on another only selects; a double tap opens once.
    void activation()
    {
        ctlListView list(nullptr, 0);
        list.resize(400, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.refreshFileList(top);
        QSignalSpy files(&list, &ctlListView::execFile);
        QSignalSpy folders(&list, &ctlListView::openFolder);
        const QPoint a = list.visualItemRect(find(list, "a")).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, a);
        QCOMPARE(files.count(), 0);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, a);
        QCOMPARE(files.count(), 1);
        QCOMPARE(files.first().first().toString(), QStringLiteral("a"));
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QPoint adir = list.visualItemRect(find(list, "adir")).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, adir);
        QMouseEvent twice(QEvent::MouseButtonDblClick, adir, list.viewport()->mapToGlobal(adir), Qt::LeftButton,
                          Qt::LeftButton, {});
        QApplication::sendEvent(list.viewport(), &twice);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, adir);
        QCOMPARE(folders.count(), 1);
        QCOMPARE(folders.first().first().toString(), QStringLiteral("adir"));
    }

    void pressAndHoldOpensTheMenu()
    {
        ctlListView list(nullptr, 0);
        list.resize(400, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.refreshFileList(top);
        QSignalSpy popup(&list, &ctlListView::popupMenu);
        const QPoint a = list.visualItemRect(find(list, "a")).center();
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, a);
        QTest::qWait(300);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, a);
        QTest::qWait(600);
        QCOMPARE(popup.count(), 0);
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, a);
        QTRY_COMPARE(popup.count(), 1);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, a);
    }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestListView test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ctllistview.moc"
