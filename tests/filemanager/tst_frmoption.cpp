#include "ctllistviewitemfavor.h"
#include "frmoption.h"
#include "frmoptionfavordetail.h"
#include "kxconfig.h"
#include "modalanswer.h"
#include "platform/config.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

// The options dialog: view settings, and the favourites editor with its 20-row limit.
class TestFrmOption : public QObject
{
    Q_OBJECT

private:
    static void setSlots(const QStringList& items)
    {
        for (int i = 0; i < kxFavorMax; ++i) {
            kxcfgFavorItem[i] = items.value(i);
            kxcfgFavorName[i] = items.value(i).isEmpty() || items.value(i) == kxFavorSeparator
                ? QString()
                : QStringLiteral("t%1").arg(i);
        }
    }
    static QTreeWidget* list(frmOption& dialog) { return dialog.findChild<QTreeWidget*>(); }
    // The rows as "path|title", separators as "$sep$|".
    static QStringList rows(frmOption& dialog)
    {
        QStringList texts;
        for (int i = 0; i < list(dialog)->topLevelItemCount(); ++i) {
            const auto* row = static_cast<ctlListViewItemFavor*>(list(dialog)->topLevelItem(i));
            texts << row->favorItem + QLatin1Char('|') + row->favorName;
        }
        return texts;
    }
    static QString selected(frmOption& dialog)
    {
        const QList<QTreeWidgetItem*> items = list(dialog)->selectedItems();
        return items.isEmpty() ? QString() : static_cast<ctlListViewItemFavor*>(items.first())->favorItem;
    }
    static void select(frmOption& dialog, int row) { list(dialog)->setCurrentItem(list(dialog)->topLevelItem(row)); }

private slots:
    void init()
    {
        QFile::remove(Config::filePath(QStringLiteral("korvex")));
        kxcfgLastOpenFolder = QStringLiteral("/home/");
    }

    // Rows end at the first empty slot; accepting stores them from slot 0 and empties the rest.
    void storesTheRowsInOrder()
    {
        setSlots({"/a", "$sep$", "/c", "/d", "", "/f"});
        frmOption dialog(nullptr, 1);
        QCOMPARE(dialog.findChild<QTabWidget*>()->currentIndex(), 1);
        QCOMPARE(rows(dialog), QStringList({"/a|t0", "$sep$|", "/c|t2", "/d|t3"}));
        QCOMPARE(list(dialog)->topLevelItem(1)->text(0), QStringLiteral("<Separater>"));
        QCOMPARE(selected(dialog), QStringLiteral("/a"));
        dialog.findChildren<QCheckBox*>().at(3)->setChecked(false); // Show hidden objects
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(kxcfgListShowHidden, 0);
        Config config(QStringLiteral("korvex"));
        config.setGroup(QStringLiteral("main"));
        QCOMPARE(config.readNumEntry(QStringLiteral("ListShowHidden"), -1), 0);
        config.setGroup(QStringLiteral("favorites"));
        QCOMPARE(config.readEntry(QStringLiteral("Item3")), QStringLiteral("/d"));
        QCOMPARE(config.readEntry(QStringLiteral("Name3")), QStringLiteral("t3"));
        QCOMPARE(config.readEntry(QStringLiteral("Item5"), QStringLiteral("unset")), QString());
    }

    void twentyRowsAtMost()
    {
        QStringList twenty;
        for (int i = 0; i < kxFavorMax; ++i)
            twenty << QStringLiteral("/f%1").arg(i);
        setSlots(twenty);
        frmOption dialog(nullptr, 1);
        dialog.lvFavoirAddSep();
        QCOMPARE(rows(dialog).size(), 21);
        {
            ModalAnswer answer(QStringLiteral("OK"));
            dialog.accept();
            QTest::qWait(0);
            QCOMPARE(answer.title() + QLatin1Char('|') + answer.text(),
                     QStringLiteral("エラー|お気に入りは20個以上設定できません。"));
        }
        QVERIFY(dialog.result() != QDialog::Accepted);
        QVERIFY(!QFile::exists(Config::filePath(QStringLiteral("korvex"))));
        {
            ModalAnswer answer(QStringLiteral("OK"));
            dialog.lvFavoirDelete();
            QCOMPARE(answer.title() + QLatin1Char('|') + answer.text(), QStringLiteral("削除の確認|このアイテムを削除しますか？"));
        }
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(kxcfgFavorItem[19], QStringLiteral("/f19"));
    }

    void movesAddsAndDeletesRows()
    {
        setSlots({"/a", "/b", "/c"});
        frmOption dialog(nullptr, 1);
        dialog.lvFavoirUpper(); // the first row stays
        select(dialog, 2);
        dialog.lvFavoirDown(); // the last row stays
        QCOMPARE(rows(dialog), QStringList({"/a|t0", "/b|t1", "/c|t2"}));
        dialog.lvFavoirUpper();
        QCOMPARE(rows(dialog), QStringList({"/a|t0", "/c|t2", "/b|t1"}));
        QCOMPARE(selected(dialog), QStringLiteral("/c"));
        select(dialog, 0);
        dialog.lvFavoirDown();
        QCOMPARE(rows(dialog), QStringList({"/c|t2", "/a|t0", "/b|t1"}));
        QCOMPARE(selected(dialog), QStringLiteral("/a"));

        // A new row goes above the selected one; the current folder loses its slash but "/".
        dialog.lvFavoirAddCurrent();
        QCOMPARE(rows(dialog).at(1), QStringLiteral("/home|"));
        kxcfgLastOpenFolder = QStringLiteral("/");
        select(dialog, 0);
        dialog.lvFavoirAddCurrent();
        QCOMPARE(rows(dialog).at(0), QStringLiteral("/|"));

        // Deleting the last row selects the one above; deleting them all leaves none selected.
        for (int left = 5; left > 0; --left) {
            select(dialog, left - 1);
            ModalAnswer answer(QStringLiteral("OK"));
            dialog.lvFavoirDelete();
            QCOMPARE(rows(dialog).size(), left - 1);
            QCOMPARE(selected(dialog), left > 1 ? rows(dialog).last().section(QLatin1Char('|'), 0, 0) : QString());
        }
        dialog.lvFavoirAddSep();
        QCOMPARE(rows(dialog), QStringList{"$sep$|"});
    }

    void editsTitles()
    {
        setSlots({"$sep$", "/a"});
        frmOption dialog(nullptr, 1);
        {
            ModalAnswer answer(QStringLiteral("Cancel"));
            dialog.lvFavoirEdit(); // a separator has no title
            QTest::qWait(50);
            QVERIFY(!answer.answered());
        }
        select(dialog, 1);
        {
            ModalAnswer answer(QStringLiteral("OK"));
            QTimer::singleShot(0, [] {
                QApplication::activeModalWidget()->findChild<QLineEdit*>()->clear();
            });
            dialog.lvFavoirEdit();
            QVERIFY(answer.answered());
        }
        QCOMPARE(rows(dialog).at(1), QStringLiteral("/a|"));
        QCOMPARE(list(dialog)->topLevelItem(1)->text(0), QStringLiteral("/a"));

        frmOptionFavorDetail detail(nullptr, QStringLiteral("/a"), QString(20, QChar(0x3042)));
        detail.accept();
        QCOMPARE(detail.result(), int(QDialog::Accepted));
        frmOptionFavorDetail tooLong(nullptr, QStringLiteral("/a"), QString(21, QLatin1Char('x')));
        ModalAnswer answer(QStringLiteral("OK"));
        tooLong.accept();
        QTest::qWait(0);
        QCOMPARE(answer.title() + QLatin1Char('|') + answer.text(),
                 QStringLiteral("入力エラー|タイトルは20文字以内で入力してください。"));
        QVERIFY(tooLong.result() != QDialog::Accepted);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestFrmOption test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmoption.moc"
