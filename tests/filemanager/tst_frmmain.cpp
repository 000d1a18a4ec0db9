#include "ctllistview.h"
#include "ctltreeview.h"
#include "frmmain.h"
#include "kxconfig.h"
#include "modalanswer.h"
#include "platform/channelserver.h"
#include "platform/config.h"
#include "platform/qpeapplication.h"
#include "platform/qpemenubar.h"
#include "testfiles.h"

#include <QComboBox>
#include <QDataStream>
#include <QSignalSpy>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestFrmMain : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir root;
    QString top;

    static void go(frmMain& w, const QString& path)
    {
        w.slotAddressComboChanged(path);
        QTRY_COMPARE(w.treeView->fullPath(), path == QLatin1String("/") ? path : path + QLatin1Char('/'));
    }
    static QStringList menuTexts(QMenu* menu)
    {
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                texts << a->text();
        return texts;
    }

private slots:
    void initTestCase()
    {
        top = root.path();
        for (int i = 0; i < 32; ++i)
            QVERIFY(QDir().mkpath(top + QStringLiteral("/d%1").arg(i)));
        writeAll(top + QStringLiteral("/d0/one"), QByteArray(1000, 'x'));
        writeAll(top + QStringLiteral("/d0/two"), QByteArray(1000, 'x'));
        writeAll(top + QStringLiteral("/d0/three"), QByteArray(49, 'x'));
    }
    void init()
    {
        QFile::remove(Config::filePath(QStringLiteral("korvex")));
        qunsetenv("LANG");
    }

    void startsOnHomesWithBackOffered()
    {
        frmMain w;
        QTRY_COMPARE(w.treeView->fullPath(), QStringLiteral("/home/"));
        QCOMPARE(w.addressCombo->currentText(), QStringLiteral("/home"));
        QVERIFY(w.btnBack->isEnabled());
        QVERIFY(!w.btnForward->isEnabled());
        QVERIFY(w.btnUpper->isEnabled());
        go(w, QStringLiteral("/"));
        QVERIFY(!w.btnUpper->isEnabled());
        QCOMPARE(w.addressCombo->currentText(), QStringLiteral("/"));
    }

    void addressHistory()
    {
        frmMain w;
        QTRY_COMPARE(w.treeView->fullPath(), QStringLiteral("/home/"));
        go(w, QStringLiteral("/usr"));
        go(w, QStringLiteral("/home"));
        go(w, QStringLiteral("/usr"));
        QCOMPARE(w.addressCombo->itemText(0), QStringLiteral("/usr"));
        QCOMPARE(w.addressCombo->itemText(1), QStringLiteral("/home"));
        QCOMPARE(w.addressCombo->count(), 2);
        for (int i = 0; i < 31; ++i)
            go(w, top + QStringLiteral("/d%1").arg(i));
        QCOMPARE(w.addressCombo->count(), 30);
        QCOMPARE(w.addressCombo->itemText(0), top + QStringLiteral("/d30"));
        QCOMPARE(w.addressCombo->itemText(29), top + QStringLiteral("/d1"));

        // Enter in the box goes there; an entry chosen again moves to the top once.
        w.addressCombo->lineEdit()->setText(top + QStringLiteral("/d31"));
        QTest::keyClick(w.addressCombo, Qt::Key_Return);
        QTRY_COMPARE(w.treeView->fullPath(), top + QStringLiteral("/d31/"));
        QCOMPARE(w.addressCombo->count(), 30);
        w.addressCombo->lineEdit()->setText(top + QStringLiteral("/d5/nothing/here"));
        w.slotCmdEtcGo();
        QTRY_COMPARE(w.treeView->fullPath(), top + QStringLiteral("/d5/"));
        QCOMPARE(kxcfgLastOpenFolder, top + QStringLiteral("/d5/"));
    }

    void statusBar()
    {
        frmMain w;
        go(w, top + QStringLiteral("/d0"));
        QCOMPARE(w.statusLeft->text(), QStringLiteral(" 3 objects (total 3KB) "));
        QCOMPARE(w.statusRight->text(), QString());
        w.btnMultiSel->toggle();
        QCOMPARE(w.statusLeft->text(), QStringLiteral(" 0 objects  selected (total 0KB) "));
        w.slotCmdEditMultiselAll();
        QCOMPARE(w.statusLeft->text(), QStringLiteral(" 3 objects  selected (total 3KB) "));
        w.btnMultiSel->toggle();
        QCOMPARE(w.statusLeft->text(), QStringLiteral(" 3 objects (total 3KB) "));
    }

    void layoutByShape()
    {
        frmMain w;
        w.resize(320, 240);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(w.treeView->width(), 80);
        QVERIFY(w.treeView->geometry().right() < w.listView->geometry().left());
        w.resize(240, 320);
        QTRY_COMPARE(w.treeView->height(), 80);
        QVERIFY(w.treeView->geometry().bottom() < w.listView->geometry().top());
    }

    void barsAreStoredAtOnce()
    {
        frmMain w;
        w.show();
        QAction* item = w.menuView->actions().at(2);
        QVERIFY(!item->icon().isNull());
        item->trigger();
        QVERIFY(item->icon().isNull());
        QVERIFY(w.statusToolBar->isHidden());
        Config config(QStringLiteral("korvex"));
        config.setGroup(QStringLiteral("main"));
        QCOMPARE(config.readNumEntry(QStringLiteral("BarShowStat"), -1), 0);
        w.menuView->actions().at(2)->trigger();
        QVERIFY(!w.statusToolBar->isHidden());
    }

    void languages()
    {
        frmMain w;
        QCOMPARE(w.menuBar->actions().first()->text(), QStringLiteral("&File"));
        w.slotCmdViewLangJa();
        QCOMPARE(w.menuBar->actions().first()->text(), QStringLiteral("ファイル(&F)"));
        QCOMPARE(w.listView->headerItem()->text(0), QStringLiteral("名前"));
        w.slotCmdViewLangFr();
        QCOMPARE(w.menuBar->actions().first()->text(), QStringLiteral("&Fichier"));
        w.slotCmdViewLangEn();
        QCOMPARE(w.menuBar->actions().first()->text(), QStringLiteral("&File"));
        QCOMPARE(w.listView->headerItem()->text(0), QStringLiteral("Name"));
    }

    void missingTranslationIsReported()
    {
        QTemporaryDir empty;
        qputenv("QPEDIR", QFile::encodeName(empty.path()));
        frmMain w;
        ModalAnswer answer(QStringLiteral("OK"));
        w.slotCmdViewLangFr();
        qunsetenv("QPEDIR");
        QVERIFY(answer.answered());
        QCOMPARE(answer.title(), QStringLiteral("Korvex QT"));
        QCOMPARE(answer.text(), QStringLiteral("A french translation file not found."));
        QCOMPARE(w.menuBar->actions().first()->text(), QStringLiteral("&File"));
    }

    void startsInTheLanguageOfLang()
    {
        qputenv("LANG", "ja_JP.UTF-8");
        frmMain w;
        QCOMPARE(w.menuBar->actions().first()->text(), QStringLiteral("ファイル(&F)"));
        QStringList favorites = menuTexts(w.menuFavor);
        QCOMPARE(favorites.first(), QStringLiteral("ホーム"));
        w.slotCmdViewLangEn();
        qputenv("LANG", "xx_YY.UTF-8"); // names no translation: English
        frmMain english;
        QCOMPARE(english.menuBar->actions().first()->text(), QStringLiteral("&File"));
    }

    void favoritesMenu()
    {
        frmMain w;
        for (int i = 0; i < kxFavorMax; ++i)
            kxcfgFavorItem[i].clear(), kxcfgFavorName[i].clear();
        kxcfgFavorItem[3] = QStringLiteral("/");
        kxcfgFavorItem[4] = QStringLiteral("$sep$");
        kxcfgFavorItem[5] = top + QStringLiteral("/d2");
        kxcfgFavorName[5] = QStringLiteral("Two");
        w.initMenuFavor();
        QCOMPARE(menuTexts(w.menuFavor), QStringList({"/", "Two", "&Edit Favorites..."}));
        w.menuFavor->actions().at(2)->trigger(); // after the separator
        QTRY_COMPARE(w.treeView->fullPath(), top + QStringLiteral("/d2/"));
        kxcfgFavorName[5] = QStringLiteral("R&D");
        w.initMenuFavor();
        QCOMPARE(menuTexts(w.menuFavor).at(1), QStringLiteral("R&&D"));

        // A device path missing here leads to its deepest existing folder.
        kxcfgFavorItem[6] = top + QStringLiteral("/d3/card/Documents");
        w.initMenuFavor();
        w.menuFavor->actions().at(3)->trigger();
        QTRY_COMPARE(w.treeView->fullPath(), top + QStringLiteral("/d3/"));
    }

    void folderVanishesWhileShown()
    {
        QTemporaryDir gone;
        writeAll(gone.path() + QStringLiteral("/f"), "x");
        frmMain w;
        go(w, gone.path());
        QCOMPARE(w.listView->childCount(), 1);
        QVERIFY(gone.remove());
        w.slotCmdViewReload();
        QCOMPARE(w.listView->childCount(), 0);
        QCOMPARE(w.statusLeft->text(), QStringLiteral(" 0 objects (total 0KB) "));
        go(w, QStringLiteral("/proc")); // sizes that lie, entries that come and go
        QVERIFY(w.listView->childCount() > 0);
    }

    void platformCommands()
    {
        ChannelServer system(QStringLiteral("QPE/System"));
        QVERIFY(system.listen());
        QSignalSpy received(&system, &ChannelServer::received);
        frmMain w;
        w.slotQcopSetScreenSaver();
        w.slotQcopRestart();
        QTRY_COMPARE(received.count(), 2);
        QCOMPARE(received.at(0).at(0).toByteArray(), QByteArray("setScreenSaverMode(int)"));
        QDataStream argument(received.at(0).at(1).toByteArray());
        int mode = 0;
        argument >> mode;
        QCOMPARE(mode, 100);
        QCOMPARE(received.at(1).at(0).toByteArray(), QByteArray("restart()"));
    }

    void settingsWrittenAtTheEnd()
    {
        {
            frmMain w;
            go(w, top + QStringLiteral("/d3"));
        }
        Config config(QStringLiteral("korvex"));
        config.setGroup(QStringLiteral("main"));
        QCOMPARE(config.readEntry(QStringLiteral("LastOpenFolder")), top + QStringLiteral("/d3/"));
        config.setGroup(QStringLiteral("favorites"));
        QVERIFY(config.hasKey(QStringLiteral("Item19")));
    }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestFrmMain test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmmain.moc"
