#include "optdialog.h"
#include "optdialog2.h"
#include "optdialog3.h"
#include "optdialog4.h"
#include "optdialog5.h"
#include "optdialogrows.h"
#include "qpeeditor.h"
#include "textedit.h"
#include "testfiles.h"

#include "platform/config.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace OptionRows;

// The option dialogs opened from the View menu: OK applies and writes at once,
// CANCEL changes nothing, and OK alone rewrites nothing of a damaged file.
class TestOptDialogWindow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    static QString confPath() { return Config::filePath(QStringLiteral("VElino")); }
    static QString conf2Path() { return Config::filePath(QStringLiteral("VElino_r")); }

    static QVariant written(const QString& file, const QString& key)
    {
        Config conf(QFileInfo(file).completeBaseName());
        conf.setGroup(key.section(QLatin1Char('/'), 0, 0));
        return conf.readEntry(key.section(QLatin1Char('/'), 1));
    }

    // Opens the option dialog of the View menu item `item`; once it is open,
    // act changes it and `button` ends it.
    template <typename Dialog>
    static void runOption(TextEdit& w, const char* item, const std::function<void(Dialog&)>& act,
                          const QString& button = QStringLiteral("OK"))
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!d) {
                if (QWidget* other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            ran = true;
            act(*d);
            for (QPushButton* b : d->template findChildren<QPushButton*>())
                if (b->text() == button)
                    b->click();
        });
        QAction* action = nullptr;
        for (QAction* a : w.findChildren<QAction*>())
            if (a->text() == QLatin1String(item))
                action = a;
        QVERIFY(action);
        action->trigger();
        QVERIFY(ran);
        QVERIFY(!QApplication::activeModalWidget());
    }

    QString textFile()
    {
        const QString path = dir.filePath(QStringLiteral("note.txt"));
        writeAll(path, "if x\n");
        return path;
    }

private slots:
    void init()
    {
        QFile::remove(confPath());
        QFile::remove(conf2Path());
    }

    void viewAndFunctionDialogs()
    {
        TextEdit w(QStringLiteral("VElino"));
        runOption<OptionDialog>(w, "view(&O)...", [](OptionDialog& d) {
            QCOMPARE(list(d, "background color")->currentText(), QStringLiteral("white"));
            choose(list(d, "background color"), QStringLiteral("black"));
            choose(list(d, "cursor"), QStringLiteral("solid"));
        });
        QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(Qt::black));
        QCOMPARE(w.editor()->palette().color(QPalette::Text), QColor(Qt::white));
        QCOMPARE(w.editor()->settings().CursorWidth, 7);
        QCOMPARE(written(confPath(), QStringLiteral("View/BackColor")).toInt(), 7);
        QCOMPARE(written(confPath(), QStringLiteral("View/CursorWidth")).toInt(), 7);

        runOption<OptionDialog2>(w, "func(&P)...", [](OptionDialog2& d) {
            choose(list(d, "default Tab stop"), QStringLiteral("4"));
            choose(list(d, "word wrap & width"), QStringLiteral("99"));
            type(list(d, "word wrap & width")->lineEdit(), QStringLiteral("40"));
        });
        QCOMPARE(w.editor()->defaultTabStop(), 4);
        QCOMPARE(w.settings().WrapMethod, 40);
        QCOMPARE(written(confPath(), QStringLiteral("View/WrapMethod")).toInt(), 40);
        QCOMPARE(written(confPath(), QStringLiteral("View/TabLength")).toInt(), 4);
    }

    void colourDialogKeepsEditsUntilOkOrCancel()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(textFile());
        runOption<OptionDialog3>(w, "color(&C)...", [](OptionDialog3& d) {
            QCOMPARE(list(d, "User file")->currentText(), QStringLiteral("No1"));
            type(field(d, "ext."), QStringLiteral("c"));
            d.changeUserUp();
            type(field(d, "ext."), QStringLiteral("py\u3000pyw"));
            type(field(d, "wd1", 1), QStringLiteral("def\u3000class"));
            choose(list(d, "wd1", 0, 1), QStringLiteral("red"));
            type(field(d, "wd1"), QStringLiteral("if\u3000else"));
        });
        QCOMPARE(written(conf2Path(), QStringLiteral("User/User1Ext")).toString(), QStringLiteral("c"));
        QCOMPARE(written(conf2Path(), QStringLiteral("User/User2Ext")).toString(), QStringLiteral("py pyw"));
        QCOMPARE(written(conf2Path(), QStringLiteral("User/User2Word1")).toString(), QStringLiteral("def class"));
        QCOMPARE(written(conf2Path(), QStringLiteral("User/User2Color1")).toInt(), 2);
        QCOMPARE(written(conf2Path(), QStringLiteral("Text/rTextWord")).toString(), QStringLiteral("if else"));
        QCOMPARE(w.editor()->settings().fileInfo[0].word1, QStringLiteral("if else"));
        w.setFileType(QStringLiteral("pyw"));
        QCOMPARE(w.fileType(), 2);

        const QByteArray before = readAll(conf2Path());
        runOption<OptionDialog3>(w, "color(&C)...", [](OptionDialog3& d) {
            QCOMPARE(list(d, "User file")->currentText(), QStringLiteral("No2"));
            type(field(d, "ext."), QStringLiteral("rb"));
            d.changeUserDown();
            type(field(d, "ext."), QStringLiteral("h"));
        }, QStringLiteral("CANCEL"));
        QCOMPARE(readAll(conf2Path()), before);
        QCOMPARE(w.settings().fileInfo[2].ext, QStringLiteral("py pyw"));
        QCOMPARE(w.settings().fileInfo[1].ext, QStringLiteral("c"));
    }

    void idiomAndSpecialKeyDialogs()
    {
        TextEdit w(QStringLiteral("VElino"));
        runOption<OptionDialog4>(w, "idiom(&W)...", [](OptionDialog4& d) {
            type(field(d, "3"), QStringLiteral("Regards,\\n"));
        });
        QCOMPARE(w.settings().idiom[2], QStringLiteral("Regards,\\n"));
        QCOMPARE(written(conf2Path(), QStringLiteral("Idiom/rIdiom3")).toString(), QStringLiteral("Regards,\\n"));

        runOption<OptionDialog5>(w, "special key(&K)...", [](OptionDialog5& d) {
            choose(list(d, "Fn    + N"), QStringLiteral("save as"));
        });
        QCOMPARE(w.settings().specialKey.fnN, 16);
        QCOMPARE(written(confPath(), QStringLiteral("Key/KeyFn_N")).toInt(), 16);
        QCOMPARE(written(confPath(), QStringLiteral("Key/KeyFn_M")).toInt(), 0);
    }

    // Every value of the dialogs out of range, negative, not a number or very
    // long: the dialogs open on their corrected entries, and OK alone writes
    // back what the editor would write anyway; a change changes only its key.
    void damagedSettingsAreOnlyChangedWhereTheUserChangesThem()
    {
        const QByteArray junk(5000, '7');
        QByteArray main = "[View]\n";
        for (const char* key : {"ShortCutKey", "BackColor", "TextColor", "CursorDraw", "CursorColor", "CursorColor2",
                                "CursorWidth", "CRMarkDisp", "LineNumber", "SelectedColor", "VerticalLine",
                                "ScrollBarDisp", "MoveCursor", "AppendCRCode", "CaseSensitive", "WrapMethod"})
            main += QByteArray(key) + "=-9\n";
        main += "LineNumberCr=maybe\nIncrementalSearch=x\nTabLength=" + junk + "\nInputCodec=abc\nOutputCodec=99\n"
                "CursorWord=-1\nWinDateForm=18\nFontFamilyName=" + junk + "\n[Key]\nKeyCtrlEnter=17\nKeyFn_S=-3\n"
                "KeyFn_A=" + junk + "\n";
        QByteArray second = "[Common]\nCommonRegExpress=-2\n[Text]\nTextCharColor=13\nrTextColor=-5\n"
                            "rTextWord=" + junk + "\n[User]\nUser1Color1=99\nUser3Ext=" + junk + "\n[Idiom]\n"
                            "rIdiom9=" + junk + "\n";
        writeAll(confPath(), main);
        writeAll(conf2Path(), second);

        TextEdit w(QStringLiteral("VElino"));
        w.writeConf();
        w.writeConf2();
        const QByteArray mainBefore = readAll(confPath());
        const QByteArray secondBefore = readAll(conf2Path());
        runOption<OptionDialog>(w, "view(&O)...", [](OptionDialog& d) {
            QCOMPARE(list(d, "cursor")->currentText(), QStringLiteral("|(2"));
            QCOMPARE(list(d, "cursor line", 1)->currentText(), QStringLiteral("red"));
        });
        runOption<OptionDialog2>(w, "func(&P)...", [](OptionDialog2& d) {
            QCOMPARE(list(d, "default Tab stop")->currentText(), QStringLiteral("8"));
        });
        runOption<OptionDialog3>(w, "color(&C)...", [](OptionDialog3& d) {
            QCOMPARE(field(d, "ext.")->text(), QStringLiteral(""));
        });
        runOption<OptionDialog4>(w, "idiom(&W)...", [](OptionDialog4&) {});
        runOption<OptionDialog5>(w, "special key(&K)...", [](OptionDialog5&) {});
        QCOMPARE(readAll(confPath()), mainBefore);
        QCOMPARE(readAll(conf2Path()), secondBefore);

        runOption<OptionDialog>(w, "view(&O)...", [](OptionDialog& d) {
            choose(list(d, "vertical line"), QStringLiteral("20intrvl"));
        });
        const QList<QByteArray> before = mainBefore.split('\n');
        const QList<QByteArray> after = readAll(confPath()).split('\n');
        QCOMPARE(after.size(), before.size());
        QStringList changed;
        for (int i = 0; i < after.size(); ++i)
            if (after[i] != before[i])
                changed << QString::fromLatin1(after[i]);
        QCOMPARE(changed, QStringList({QStringLiteral("VerticalLine=3")}));
    }
};

QTEST_MAIN(TestOptDialogWindow)
#include "tst_optdialog_window.moc"
