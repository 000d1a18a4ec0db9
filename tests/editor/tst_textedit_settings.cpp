#include "listlastfile.h"
#include "modalanswer.h"
#include "testfiles.h"
#include "qpeeditor.h"
#include "settingstable.h"
#include "textedit.h"

#include "platform/config.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <climits>

// Both settings files, their defaults and corrections, the recent-file history,
// colours, file types and the option results.
class TestTextEditSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    static QString confPath() { return Config::filePath(QStringLiteral("VElino")); }
    static QString conf2Path() { return Config::filePath(QStringLiteral("VElino_r")); }

    // Values as a hand would write them, keys as "Group/Key".
    static void handMade(const QString& file, const QMap<QString, QVariant>& values)
    {
        Config conf(QFileInfo(file).completeBaseName());
        for (auto it = values.begin(); it != values.end(); ++it) {
            conf.setGroup(it.key().section(QLatin1Char('/'), 0, 0));
            conf.writeEntry(it.key().section(QLatin1Char('/'), 1), it.value().toString());
        }
    }

    static QVariant written(const QString& file, const QString& key)
    {
        Config conf(QFileInfo(file).completeBaseName());
        conf.setGroup(key.section(QLatin1Char('/'), 0, 0));
        return conf.readEntry(key.section(QLatin1Char('/'), 1));
    }

    // The keys of a group in the order they stand in the file.
    static QStringList keysOf(const QString& file, const QString& group)
    {
        QStringList keys;
        bool inGroup = false;
        for (const QByteArray& line : readAll(file).split('\n')) {
            if (line.startsWith('['))
                inGroup = line == '[' + group.toUtf8() + ']';
            else if (inGroup && line.contains('='))
                keys << QString::fromUtf8(line.left(line.indexOf('=')));
        }
        return keys;
    }

    QString makeFile(const QString& name)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("line 0\nline 1\nline 2 is here\nline 3\n");
        return path;
    }

    static QStringList historyItems(TextEdit& w)
    {
        QMenu* file = w.findChildren<QMenuBar*>().constFirst()->actions().constFirst()->menu();
        QStringList items;
        for (QAction* a : file->actions())
            if (a->data().isValid())
                items << a->text();
        return items;
    }

    static QStringList toolBarItems(TextEdit& w)
    {
        QStringList items;
        for (QAction* a : w.findChild<QToolBar*>(QStringLiteral("iconToolBar"))->actions())
            items << a->text();
        return items;
    }

private slots:
    void init()
    {
        QFile::remove(confPath());
        QFile::remove(conf2Path());
    }

    void defaultsWithoutFiles()
    {
        {
            TextEdit w(QStringLiteral("VElino"));
            QCOMPARE(w.editor()->fontSize(), 10);
            QCOMPARE(w.editor()->defaultTabStop(), 8);
            QVERIFY(w.windowTitle().contains(QStringLiteral("(ShiftJIS file)")));
            QCOMPARE(toolBarItems(w), QStringList({QStringLiteral("open(&O)..."), QStringLiteral("save(&S)"),
                                                   QStringLiteral("cut(&T)"), QStringLiteral("copy(&C)"),
                                                   QStringLiteral("paste(&P)"), QStringLiteral("find(&F)")}));
            QCOMPARE(w.editor()->settings().CursorWidth, 2);
            QVERIFY(!w.findChild<QTimer*>(QStringLiteral("autoSave")));
            QCOMPARE(historyItems(w), QStringList());
            QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(Qt::white));
        }
        QCOMPARE(written(confPath(), QStringLiteral("View/IncrementalSearch")).toString(), QStringLiteral("true"));
        QCOMPARE(written(confPath(), QStringLiteral("View/TabLength")).toInt(), 8);
        QCOMPARE(written(confPath(), QStringLiteral("View/MoveCursor")).toString(), QStringLiteral("true"));
        QCOMPARE(written(confPath(), QStringLiteral("View/CursorWord")).toInt(), 1);
        QCOMPARE(written(confPath(), QStringLiteral("LastFile/LastFile1")).toString(), QStringLiteral("dummy"));
        QCOMPARE(written(confPath(), QStringLiteral("LastFile/LastFile7_col")).toInt(), -1);
        QCOMPARE(written(conf2Path(), QStringLiteral("User/User3CommentColor")).toInt(), -1);
        // Exactly the keys that something besides a hand edit changes are written
        // ("LastFile1" is read twice: once as the history's first path).
        QMap<QString, bool> written;
        for (const SettingKey& k : SettingsTable::keys()) {
            const QString file = k.file == SettingKey::Main ? confPath() : conf2Path();
            written[file + QLatin1Char(':') + k.group + QLatin1Char('/') + k.key] |= k.written();
        }
        for (auto it = written.begin(); it != written.end(); ++it) {
            const QStringList fileAndKey = it.key().split(QLatin1Char(':'));
            Config conf(QFileInfo(fileAndKey[0]).completeBaseName());
            conf.setGroup(fileAndKey[1].section(QLatin1Char('/'), 0, 0));
            QVERIFY2(conf.hasKey(fileAndKey[1].section(QLatin1Char('/'), 1)) == it.value(), qPrintable(it.key()));
        }
        // The keys stand in the order written.
        const QStringList view = keysOf(confPath(), QStringLiteral("View"));
        QCOMPARE(view.size(), 27 + 10);
        QCOMPARE(view.mid(0, 4), (QStringList{"FontSize", "Wrap", "WrapMethod", "AutoIndent"}));
        QCOMPARE(view.mid(24, 4), (QStringList{"VerticalLine", "ScrollBarDisp", "FontFamilyName", "SearchWords1"}));
    }

    void correctionsFromHandMadeFile_data()
    {
        QTest::addColumn<int>("tabLength");
        QTest::newRow("1") << 1;
        QTest::newRow("9") << 9;
    }

    void correctionsFromHandMadeFile()
    {
        QFETCH(int, tabLength);
        handMade(confPath(), {{QStringLiteral("View/TabLength"), tabLength},
                              {QStringLiteral("View/CursorWidth"), 0},
                              {QStringLiteral("View/AutoSave"), 61},
                              {QStringLiteral("View/BackColor"), 9},
                              {QStringLiteral("View/TextColor"), 4},
                              {QStringLiteral("View/CursorColor"), 9},
                              {QStringLiteral("View/InputCodec"), 7},
                              {QStringLiteral("View/FontSize"), 14},
                              {QStringLiteral("View/IconNew"), true},
                              {QStringLiteral("View/IconFind"), QStringLiteral("false")},
                              {QStringLiteral("View/IconNewName"), QStringLiteral("fileopen")},
                              {QStringLiteral("View/AutoSaveDir"), QStringLiteral("/my/texts/")},
                              {QStringLiteral("View/OKisEnter"), QStringLiteral("yes please")}});
        handMade(conf2Path(), {{QStringLiteral("Text/TextCharColor"), 13}});
        {
            TextEdit w(QStringLiteral("VElino"));
            QCOMPARE(w.editor()->defaultTabStop(), 8);
            QCOMPARE(w.editor()->settings().CursorWidth, 2);
            QCOMPARE(w.editor()->fontSize(), 12);
            QVERIFY(!w.findChild<QTimer*>(QStringLiteral("autoSave")));
            QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(Qt::white));
            QCOMPARE(w.editor()->palette().color(QPalette::Text), QColor(Qt::black));
            QCOMPARE(w.editor()->cursorLineColour(), QColor(Qt::red));
            QVERIFY(w.windowTitle().endsWith(QStringLiteral("(ShiftJIS file) - VElino")));
            const QStringList icons = toolBarItems(w);
            QCOMPARE(icons.constFirst(), QStringLiteral("new file(&N)"));
            QVERIFY(!icons.contains(QStringLiteral("find(&F)")));
            QCOMPARE(w.settings().fileInfo[0].charColor, 1);
        }
        QCOMPARE(written(confPath(), QStringLiteral("View/TabLength")).toInt(), 8);
        QCOMPARE(written(confPath(), QStringLiteral("View/CursorWidth")).toInt(), 2);
        QCOMPARE(written(confPath(), QStringLiteral("View/BackColor")).toInt(), 0);
        QCOMPARE(written(confPath(), QStringLiteral("View/TextColor")).toInt(), 0);
        QCOMPARE(written(confPath(), QStringLiteral("View/CursorColor")).toInt(), 1);
        QCOMPARE(written(confPath(), QStringLiteral("View/InputCodec")).toInt(), 0);
        QCOMPARE(written(confPath(), QStringLiteral("View/FontSize")).toInt(), 12);
        // Hand-made values of keys without a dialog survive.
        QCOMPARE(written(confPath(), QStringLiteral("View/AutoSave")).toInt(), 61);
        QCOMPARE(written(confPath(), QStringLiteral("View/AutoSaveDir")).toString(), QStringLiteral("/my/texts/"));
        QCOMPARE(written(confPath(), QStringLiteral("View/IconNewName")).toString(), QStringLiteral("fileopen"));
        QCOMPARE(written(confPath(), QStringLiteral("View/OKisEnter")).toString(), QStringLiteral("yes please"));
    }

    void everyNumberIsClampedWhereItIsRead_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("largest") << INT_MAX;
        QTest::newRow("smallest") << INT_MIN;
    }

    void everyNumberIsClampedWhereItIsRead()
    {
        QFETCH(int, value);
        EditorSettings probe;
        for (const SettingKey& k : SettingsTable::keys()) {
            const SettingKey::Field field = k.field(probe);
            if (std::holds_alternative<int*>(field))
                handMade(k.file == SettingKey::Main ? confPath() : conf2Path(), {{k.group + '/' + k.key, value}});
        }
        handMade(confPath(), {{QStringLiteral("View/Wrap"), true}});
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        EditorSettings read = w.settings();
        for (const SettingKey& k : SettingsTable::keys()) {
            const SettingKey::Field field = k.field(read);
            if (!std::holds_alternative<int*>(field))
                continue;
            const int n = *std::get<int*>(field);
            // A history entry's row and column may be large; they are limited to the text.
            const int highest = k.changedBy == SettingKey::History ? INT_MAX : 200;
            QVERIFY2(n >= -1 && n <= highest, qPrintable(k.key + QStringLiteral(" = %1").arg(n)));
        }
        QCOMPARE(read.LineNumber, 0);
        QCOMPARE(read.WrapMethod, 0);
        QVERIFY(w.editor()->horizontalMargin() > 0);
    }

    void autoSaveTimerAndColourCoupling()
    {
        handMade(confPath(), {{QStringLiteral("View/AutoSave"), 5},
                              {QStringLiteral("View/BackColor"), 7},
                              {QStringLiteral("View/TextColor"), 0}});
        TextEdit w(QStringLiteral("VElino"));
        auto* timer = w.findChild<QTimer*>(QStringLiteral("autoSave"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 5 * 60000);
        QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(Qt::black));
        QCOMPARE(w.editor()->palette().color(QPalette::Text), QColor(Qt::white));
    }

    void backColorSwitchesTextColour()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.setBackColor(7);
        QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(Qt::black));
        QCOMPARE(w.editor()->palette().color(QPalette::Text), QColor(Qt::white));
        w.setBackColor(0);
        QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(w.editor()->palette().color(QPalette::Text), QColor(Qt::black));
        w.setBackColor(3);
        QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(150, 150, 255));
        w.setBackColor(12);
        QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void fileTypes()
    {
        handMade(conf2Path(), {{QStringLiteral("User/User2Ext"), QStringLiteral("c h")},
                               {QStringLiteral("User/User4Ext"), QStringLiteral("h cpp")},
                               {QStringLiteral("User/User2Word1"), QStringLiteral("int char")}});
        TextEdit w(QStringLiteral("VElino"));
        w.setFileType(QStringLiteral("txt"));
        QCOMPARE(w.fileType(), 0);
        w.setFileType(QStringLiteral("TXT"));
        QCOMPARE(w.fileType(), 0);
        w.setFileType(QStringLiteral("h"));
        QCOMPARE(w.fileType(), 2);
        QCOMPARE(w.editor()->settings().fileInfo[2].word1, QStringLiteral("int char"));
        QCOMPARE(w.editor()->fileType(), 2);
        w.setFileType(QStringLiteral("cpp"));
        QCOMPARE(w.fileType(), 4);
        w.setFileType(QStringLiteral("H"));
        QCOMPARE(w.fileType(), 6);
        w.setFileType(QString()); // types without extensions do not match files without one
        QCOMPARE(w.fileType(), 6);
    }

    void historyOrdering()
    {
        ListLastFile list;
        for (int i = 6; i >= 0; --i)
            list.push(QStringLiteral("p%1").arg(i), i, 10 + i, i % 8);
        list.push(QStringLiteral("p3"), 5, 6, 7);
        const QStringList expected = {"p3", "p0", "p1", "p2", "p4", "p5", "p6"};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(list.path(i), expected.at(i));
        QCOMPARE(list.col(0), 5);
        QCOMPARE(list.line(0), 6);
        QCOMPARE(list.color(0), 7);
        QCOMPARE(list.line(4), 14);
        list.push(QStringLiteral("new"), 0, 0, 0);
        QCOMPARE(list.path(0), QStringLiteral("new"));
        QCOMPARE(list.path(6), QStringLiteral("p5")); // p6 dropped
        // A cleared entry is empty and moves down like any other.
        list.clear(2);
        list.push(QStringLiteral("p0"), 1, 1, 1);
        QCOMPARE(list.path(0), QStringLiteral("p0"));
        QCOMPARE(list.path(3), QString());
        QVERIFY(!list.isValid(3));
        QCOMPARE(list.path(6), QStringLiteral("p4"));
    }

    void historyInTheWindow()
    {
        QStringList files;
        // "&" in a name is shown, not taken as a shortcut mark.
        for (int i = 0; i < 8; ++i)
            files << makeFile(i == 0 ? QStringLiteral("R&D.txt") : QStringLiteral("f%1.txt").arg(i));
        {
            TextEdit w(QStringLiteral("VElino"));
            w.openThisFile(files.at(0));
            w.editor()->setCursorPosition(2, 5);
            w.setBackColor(2);
            for (int i = 1; i < 8; ++i)
                w.openThisFile(files.at(i));
            // f7 is open; f6 down to f0 are the history.
            QCOMPARE(historyItems(w).constFirst(), QStringLiteral("f6.txt(&1)"));
            QCOMPARE(historyItems(w).constLast(), QStringLiteral("R&&D.txt(&7)"));
            QCOMPARE(w.settings().history.line(6), 2);
            QCOMPARE(w.settings().history.col(6), 5);
            QCOMPARE(w.settings().history.color(6), 2);

            // Reopening restores the cursor and the background colour.
            w.setBackColor(0);
            w.openThisFile(files.at(0));
            QCOMPARE(w.editor()->cursorRow(), 2);
            QCOMPARE(w.editor()->cursorColumn(), 5);
            QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(150, 255, 150));
            // Leaving f7 dropped f0's old place; f0 is open.
            QCOMPARE(w.settings().history.path(0), files.at(7));
            QCOMPARE(w.settings().history.path(6), files.at(1));

            w.fileClearHistory();
            QCOMPARE(historyItems(w), QStringList());
            // Cleared entries are gone: reopening f7 (left on white) keeps the colour.
            w.setBackColor(5);
            w.openThisFile(files.at(7));
            QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(150, 255, 255));
            QCOMPARE(historyItems(w), QStringList({QStringLiteral("R&&D.txt(&1)")}));
            w.fileClearHistory();
        }
        for (int n = 1; n <= 7; ++n) {
            QVERIFY(!files.contains(written(confPath(), QStringLiteral("LastFile/LastFile%1").arg(n)).toString()));
            QCOMPARE(written(confPath(), QStringLiteral("LastFile/LastFile%1_col").arg(n)).toInt(), -1);
        }
        {
            TextEdit w(QStringLiteral("VElino"));
            QCOMPARE(historyItems(w), QStringList());
        }
    }

    void cursorNotRestoredWithoutMoveCursor()
    {
        handMade(confPath(), {{QStringLiteral("View/MoveCursor"), false}});
        const QString a = makeFile(QStringLiteral("a.txt"));
        const QString b = makeFile(QStringLiteral("b.txt"));
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(a);
        w.editor()->setCursorPosition(3, 2);
        w.openThisFile(b);
        w.openThisFile(a);
        QCOMPARE(w.editor()->cursorRow(), 0);
    }

    void viewOptions()
    {
        TextEdit w(QStringLiteral("VElino"));
        EditorSettings o = w.settings();
        o.BackColor = 7;
        o.CursorColor = 7;  // black cursor line on black becomes white
        o.CursorColor2 = 6; // black cursor on black becomes white
        o.CursorWidth = 6;
        o.ShortCutKey = false;
        w.applyViewOptions(o);
        QCOMPARE(w.editor()->palette().color(QPalette::Text), QColor(Qt::white));
        QCOMPARE(w.editor()->cursorLineColour(), QColor(Qt::white));
        QCOMPARE(w.editor()->cursorColour(), QColor(Qt::white));
        QCOMPARE(w.editor()->settings().CursorWidth, 6);
        QCOMPARE(w.findChildren<QMenuBar*>().constFirst()->actions().constFirst()->text(), QStringLiteral("File"));
        // Written at once.
        QCOMPARE(written(confPath(), QStringLiteral("View/BackColor")).toInt(), 7);
        QCOMPARE(written(confPath(), QStringLiteral("View/TextColor")).toInt(), 4);
        QCOMPARE(written(confPath(), QStringLiteral("View/CursorColor")).toInt(), 8);
        QCOMPARE(written(confPath(), QStringLiteral("View/ShortCutKey")).toString(), QStringLiteral("false"));
    }

    void funcOptions()
    {
        TextEdit w(QStringLiteral("VElino"));
        EditorSettings o = w.settings();
        o.InputCodec = 3;
        o.TabLength = 4;
        w.applyFuncOptions(o);
        QCOMPARE(w.editor()->defaultTabStop(), 4);
        // A forced input encoding also becomes the output one when that was Auto.
        QVERIFY(w.windowTitle().contains(QStringLiteral("(EUC-JP ->EUC-JP)")));
        QCOMPARE(written(confPath(), QStringLiteral("View/OutputCodec")).toInt(), 3);
        QCOMPARE(written(confPath(), QStringLiteral("View/TabLength")).toInt(), 4);
    }

    void colorIdiomAndKeyOptions()
    {
        TextEdit w(QStringLiteral("VElino"));
        EditorSettings records = w.settings();
        records.fileInfo[3].ext = QStringLiteral("py");
        records.fileInfo[3].comment = QStringLiteral("#");
        records.fileInfo[0].regExp = true;
        w.applyColorOptions(records);
        w.setFileType(QStringLiteral("py"));
        QCOMPARE(w.fileType(), 3);
        QCOMPARE(w.editor()->settings().fileInfo[3].comment, QStringLiteral("#"));
        QCOMPARE(written(conf2Path(), QStringLiteral("User/User3Ext")).toString(), QStringLiteral("py"));
        QCOMPARE(written(conf2Path(), QStringLiteral("Common/CommonRegExpress")).toString(), QStringLiteral("true"));

        EditorSettings idioms = w.settings();
        idioms.idiom[8] = QStringLiteral("Dear \\n");
        w.applyIdioms(idioms);
        QCOMPARE(written(conf2Path(), QStringLiteral("Idiom/rIdiom9")).toString(), QStringLiteral("Dear \\n"));
        QVERIFY(readAll(conf2Path()).contains("\nrIdiom9=Dear \\n\n")); // as it stands, for hand editing

        EditorSettings keys = w.settings();
        keys.specialKey.fnM = 15;
        keys.specialKey.ctrlEnter = 4;
        w.applySpecialKey(keys);
        QCOMPARE(written(confPath(), QStringLiteral("Key/KeyFn_M")).toInt(), 15);
        QCOMPARE(written(confPath(), QStringLiteral("Key/KeyFn_N")).toInt(), 0);
        QCOMPARE(written(confPath(), QStringLiteral("Key/KeyCtrlEnter")).toInt(), 4);
    }

    void regExpFlagSurvivesARestart()
    {
        {
            TextEdit w(QStringLiteral("VElino"));
            EditorSettings records = w.settings();
            records.fileInfo[0].regExp = true;
            w.applyColorOptions(records);
        }
        {
            TextEdit w(QStringLiteral("VElino"));
            QVERIFY(w.settings().fileInfo[0].regExp);
        }
        // Hand-made numbers: non-zero is on.
        handMade(conf2Path(), {{QStringLiteral("Common/CommonRegExpress"), 2}});
        {
            TextEdit w(QStringLiteral("VElino"));
            QVERIFY(w.settings().fileInfo[0].regExp);
        }
        handMade(conf2Path(), {{QStringLiteral("Common/CommonRegExpress"), 0}});
        TextEdit w(QStringLiteral("VElino"));
        QVERIFY(!w.settings().fileInfo[0].regExp);
    }

    void specialKeyRunsItsFunction()
    {
        handMade(confPath(), {{QStringLiteral("Key/KeyCtrlEnter"), 4}}); // undo
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.editor()->setFocus();
        QTest::keyClicks(w.editor(), QStringLiteral("abc"));
        QTest::keyClick(w.editor(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(w.editor()->toPlainText().isEmpty());
        // Rebound to nothing, the key no longer undoes.
        EditorSettings unbound = w.settings();
        unbound.specialKey = SpecialKey();
        w.applySpecialKey(unbound);
        QTest::keyClicks(w.editor(), QStringLiteral("xyz"));
        QTest::keyClick(w.editor(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(w.editor()->toPlainText().startsWith(QStringLiteral("xyz")));
    }

    void markActionCallsItsSlotOnEveryToggle()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(makeFile(QStringLiteral("m.txt")));
        QAction* mark = nullptr;
        for (QAction* a : w.findChildren<QAction*>())
            if (a->text() == QLatin1String("mark(&M)"))
                mark = a;
        QVERIFY(mark);
        w.editor()->setCursorPosition(2, 3);
        mark->setChecked(true); // switched by the program
        QCOMPARE(w.editor()->markLine(), 2);
        QCOMPARE(w.editor()->markCol(), 3);
        // Without MarkPosToggle choosing it again moves the mark and leaves it on.
        w.editor()->setCursorPosition(1, 0);
        mark->trigger();
        QVERIFY(mark->isChecked());
        QCOMPARE(w.editor()->markLine(), 1);
        w.fileNew();
        QVERIFY(!mark->isChecked());
        QCOMPARE(w.editor()->markLine(), -1);
    }

    void deviceKeysAreNotTypedCharacters()
    {
        handMade(confPath(), {{QStringLiteral("Key/KeyFn_O"), 4}}); // undo
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.editor()->setFocus();
        // A keyboard that types U+2010 and U+2015 types them, zooming and binding nothing.
        for (const int code : {0x2010, 0x2015})
            QTest::sendKeyEvent(QTest::Click, w.editor(), Qt::Key(code), QString(QChar(code)), Qt::NoModifier);
        QCOMPARE(w.editor()->text(), QString::fromUtf16(u"\u2010\u2015"));
        QCOMPARE(w.editor()->fontSize(), 10);
        // The device's keys carry no text.
        QTest::sendKeyEvent(QTest::Click, w.editor(), Qt::Key(0x2010), QString(), Qt::NoModifier);
        QCOMPARE(w.editor()->fontSize(), 12);
        QTest::sendKeyEvent(QTest::Click, w.editor(), Qt::Key(0x2015), QString(), Qt::NoModifier);
        QVERIFY(w.editor()->text().size() < 2);
    }

    void windowKeysComeBeforeTheTextWidget()
    {
        handMade(confPath(), {{QStringLiteral("Key/KeyShiftSpace"), 4}}); // undo
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.editor()->setFocus();
        QTest::keyClicks(w.editor(), QStringLiteral("ab"));
        QTest::keyClick(w.editor(), Qt::Key_Space, Qt::ShiftModifier);
        QVERIFY(w.editor()->toPlainText().isEmpty());

        w.editor()->setPlainText(QStringLiteral("ab\ncd\n\tef"));
        w.editSelectAll();
        QTest::keyClick(w.editor(), Qt::Key_Tab);
        QCOMPARE(w.editor()->toPlainText(), QStringLiteral("\tab\n\tcd\n\t\tef"));
        w.editSelectAll();
        QTest::keyClick(w.editor(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(w.editor()->toPlainText(), QStringLiteral("ab\ncd\n\tef"));

        // Ctrl+A is "save as", not the text widget's select all.
        ModalAnswer cancel(QStringLiteral("CANCEL"));
        QTest::keyClick(w.editor(), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(cancel.answered());
        QCOMPARE(cancel.title(), QStringLiteral(">> Save <<"));
    }
};

QTEST_MAIN(TestTextEditSettings)
#include "tst_textedit_settings.moc"
