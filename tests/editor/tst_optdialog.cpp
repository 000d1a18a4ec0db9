#include "optdialog.h"
#include "optdialog2.h"
#include "optdialog3.h"
#include "optdialog4.h"
#include "optdialog5.h"
#include "optdialogrows.h"

#include <QtTest>

using namespace OptionRows;

// The option dialogs on their own: values shown as entries, entries read back as
// values, the paging of the colour dialog, and both layouts.
class TestOptDialog : public QObject
{
    Q_OBJECT

private:
    static UserFileInfo userType(int n)
    {
        UserFileInfo r;
        r.ext = QStringLiteral("ext%1").arg(n);
        r.word1 = QStringLiteral("word%1").arg(n);
        r.color1 = n;
        r.commentColor = -1;
        return r;
    }

private slots:
    void translations()
    {
        OptionDialog view;
        view.setBackgroundColor(9);
        view.setCursorStyle(0);
        view.setLineNumber(3, true);
        QCOMPARE(list(view, "background color")->currentText(), QStringLiteral("white"));
        QCOMPARE(list(view, "cursor")->currentText(), QStringLiteral("|(2"));
        QCOMPARE(list(view, "line number", 0)->currentText(), QStringLiteral("enter"));
        QCOMPARE(list(view, "line number", 1)->currentText(), QStringLiteral("head3"));
        choose(list(view, "cursor line", 1), "white");
        choose(list(view, "cursor", 0), "/");
        QCOMPARE(view.getCursorLineColor(), 8);
        QCOMPARE(view.getCursorWidth(), 9);

        OptionDialog2 func;
        func.setTabLength(1);
        func.setDateForm(19);
        func.setInputCodec(7);
        QCOMPARE(list(func, "default Tab stop")->currentText(), QStringLiteral("8"));
        QCOMPARE(list(func, "form of [date,time]")->currentText(), QStringLiteral("week month DD YYYY"));
        QCOMPARE(list(func, "input char code")->currentText(), QStringLiteral("Auto"));
        choose(list(func, "default Tab stop"), "4");
        choose(list(func, "Find,Repl"), "Sensit+RegExp");
        QCOMPARE(func.getTabLength(), 4);
        QCOMPARE(func.getCaseSensitive(), 3);
        choose(list(func, "form of [date,time]"), "hh:mm YYYY/MM/DD");
        QCOMPARE(func.getDateForm(), 10);
        choose(list(func, "form of [date,time]"), "week month DD YYYY");
        QCOMPARE(func.getDateForm(), 19);
    }

    void typedWrapWidth_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("method");
        QTest::newRow("250 is too wide") << "250" << 0;
        QTest::newRow("12") << "12" << 12;
        QTest::newRow("not a number") << "wide" << 0;
        QTest::newRow("the name of an entry") << "calc" << 1;
    }

    void typedWrapWidth()
    {
        QFETCH(QString, typed);
        OptionDialog2 func;
        func.setWordWrap(80);
        QComboBox* wrap = list(func, "word wrap & width");
        QCOMPARE(wrap->currentText(), QStringLiteral("80"));
        choose(wrap, "80");
        type(wrap->lineEdit(), typed);
        QTEST(func.getWordWrap(), "method");
    }

    // Values the lists cannot name come back as given until the user chooses an
    // entry, so that OK alone changes nothing.
    void untouchedListsKeepTheirValues()
    {
        OptionDialog view;
        view.setCursorLineColor(0);
        view.setFontName(QStringLiteral("No Such Family 12345"));
        QCOMPARE(view.getCursorLineColor(), 0);
        QCOMPARE(view.getFontName(), QStringLiteral("No Such Family 12345"));
        choose(list(view, "cursor line", 1), "red");
        QCOMPARE(view.getCursorLineColor(), 1);

        OptionDialog2 func;
        func.setWordWrap(2);
        QCOMPARE(func.getWordWrap(), 2);
        func.setWordWrap(5);
        QCOMPARE(list(func, "word wrap & width")->currentText(), QStringLiteral("5"));
        QCOMPARE(func.getWordWrap(), 5);

        OptionDialog3 colour;
        colour.setUserReserved(1, userType(1));
        colour.setUserReservedShow(1);
        QCOMPARE(list(colour, "color to the end", 0, 1)->currentText(), QStringLiteral("blue"));
        QCOMPARE(colour.getUserInfo(1).commentColor, -1);
    }

    void userTypesKeepTheirEdits()
    {
        OptionDialog3 d;
        for (int n = 1; n <= 5; ++n)
            d.setUserReserved(n, userType(n));
        d.setUserReservedShow(2);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QLineEdit* ext = field(d, "ext.");
        QComboBox* types = list(d, "User file");
        QCOMPARE(types->currentText(), QStringLiteral("No2"));
        QCOMPARE(ext->text(), QStringLiteral("ext2"));
        type(ext, QStringLiteral("c\u3000h"));
        choose(list(d, "wd1", 0, 1), "gray");

        QTest::keyClick(ext, Qt::Key_PageUp);
        QCOMPARE(types->currentText(), QStringLiteral("No3"));
        QCOMPARE(ext->text(), QStringLiteral("ext3"));
        QCOMPARE(d.getUserInfo(2).ext, QStringLiteral("c h"));
        QCOMPARE(d.getUserInfo(2).color1, 7);
        QTest::keyClick(ext, Qt::Key_PageDown);
        QCOMPARE(ext->text(), QStringLiteral("c h"));
        QCOMPARE(list(d, "wd1", 0, 1)->currentText(), QStringLiteral("gray"));

        // Around the ends, by every key and by the list.
        QTest::keyClick(ext, Qt::Key_PageDown);
        QTest::keyClick(ext, Qt::Key_PageDown);
        QCOMPARE(types->currentText(), QStringLiteral("No5"));
        QTest::keyClick(ext, Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(types->currentText(), QStringLiteral("No1"));
        QTest::keyClick(ext, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(types->currentText(), QStringLiteral("No2"));
        QTest::keyClick(ext, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(types->currentText(), QStringLiteral("No1"));
        choose(types, QStringLiteral("No4"));
        QCOMPARE(ext->text(), QStringLiteral("ext4"));
        QCOMPARE(d.getUserInfo(2).ext, QStringLiteral("c h"));
    }

    void textFilesShowTheFirstUserType()
    {
        OptionDialog3 d;
        d.setUserReservedShow(3);
        d.setUserReservedShow(0);
        QCOMPARE(list(d, "User file")->currentText(), QStringLiteral("No1"));
        d.setUserReservedShow(3);
        d.setUserReservedShow(6);
        QCOMPARE(list(d, "User file")->currentText(), QStringLiteral("No1"));
    }

    void idiomsAndSpecialKeys()
    {
        OptionDialog4 idioms;
        const QString longIdiom(100000, QLatin1Char('x'));
        idioms.setThisIdiom(0, longIdiom);
        idioms.setThisIdiom(12, QStringLiteral("ninth"));
        QCOMPARE(idioms.getThisIdiom(0), longIdiom);
        QCOMPARE(idioms.getThisIdiom(8), QStringLiteral("ninth"));
        QCOMPARE(field(idioms, "9")->text(), QStringLiteral("ninth"));

        OptionDialog5 keys;
        SpecialKey k{1, 2, 3, 4, 5, 6, 7, 8, 9, 16};
        keys.setSpecialKey(k);
        QCOMPARE(list(keys, "Fn    + M")->currentText(), QStringLiteral("delete line"));
        QCOMPARE(list(keys, "Fn    + S")->currentText(), QStringLiteral("save as"));
        choose(list(keys, "Shift + Space"), "find prev");
        k.shiftSpace = 13;
        QVERIFY(keys.getSpecialKey() == k);
    }

    // Every label and list is whole and inside its dialog, nothing overlaps, and
    // the small layout fits the palmtop's 240 x 320 screen.
    void layouts_data()
    {
        QTest::addColumn<int>("parentWidth");
        QTest::newRow("large") << 640;
        QTest::newRow("small") << 240;
    }

    void layouts()
    {
        QFETCH(int, parentWidth);
        QWidget parent;
        parent.resize(parentWidth, 300);
        OptionDialog view(&parent);
        OptionDialog2 func(&parent);
        OptionDialog3 colour(&parent);
        OptionDialog4 idioms(&parent);
        OptionDialog5 keys(&parent);
        for (QDialog* d : std::initializer_list<QDialog*>{&view, &func, &colour, &idioms, &keys}) {
            if (parentWidth < 400)
                QVERIFY2(d->width() <= 240 && d->height() <= 320, qPrintable(d->windowTitle()));
            const QList<QWidget*> children = d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (QWidget* c : children) {
                const QString what = d->windowTitle() + QLatin1Char(' ') + c->metaObject()->className();
                QVERIFY2(d->rect().contains(c->geometry()), qPrintable(what));
                for (QWidget* other : children)
                    QVERIFY2(c == other || !c->geometry().intersects(other->geometry()), qPrintable(what));
            }
            // Lists and labels show their longest text whole.
            for (QWidget* c : children)
                if (qobject_cast<QLabel*>(c) || qobject_cast<QComboBox*>(c))
                    QVERIFY2(c->width() >= c->sizeHint().width(), qPrintable(d->windowTitle()));
        }
    }
};

QTEST_MAIN(TestOptDialog)
#include "tst_optdialog.moc"
