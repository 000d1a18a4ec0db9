#include "dialogscript.h"
#include "qpeeditor.h"
#include "textedit.h"

#include "platform/config.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QLabel>
#include <QtTest>

// The editing aids of the main window: idioms and their escapes, the date forms,
// the character count, the clipboard viewer, lines, selections, indentation of
// wrapped paragraphs, font zoom at the ends of the size table, and the special keys'
// seventeen functions.
class TestTextEditAids : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    static void setGroup(const QString& group, const QMap<QString, QVariant>& values)
    {
        QSettings conf(Config::filePath(QStringLiteral("VElino")), QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it)
            conf.setValue(group + QLatin1Char('/') + it.key(), it.value());
    }

    static QString countText(const QList<int>& n)
    {
        return QString::asprintf("- char count -\n\nchar%6d ( 2byte%6d )\n                ( 1byte%6d )\n"
                                 "space    %6d ( 2byte%6d )\n                ( 1byte%6d )\n"
                                 "tab%6d\nCRcode%6d\netc.%6d\n----------------\ntotal%6d",
                                 n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], n[8], n[9]);
    }

    static QAction* action(TextEdit& w, const QString& text)
    {
        for (QAction* a : w.findChildren<QAction*>())
            if (a->text() == text)
                return a;
        return nullptr;
    }

private slots:
    void init()
    {
        QFile::remove(Config::filePath(QStringLiteral("VElino")));
        QFile::remove(Config::filePath(QStringLiteral("VElino_r")));
        setGroup(QStringLiteral("View"), {{QStringLiteral("WinDateForm"), 5}});
    }

    void idiomEscapes_data()
    {
        QTest::addColumn<QString>("idiom");
        QTest::addColumn<bool>("autoIndent");
        QTest::addColumn<QString>("inserted"); // after the text "\tx"; "%d" stands for the date
        QTest::newRow("new line and date, indented") << "Dear\\n\\d" << true << "Dear\n\t%d";
        QTest::newRow("new line and date") << "Dear\\n\\d" << false << "Dear\n%d";
        QTest::newRow("backspace") << "ab\\bc" << false << "ac";
        QTest::newRow("backspace into the text") << "\\b\\b" << false << "\b\b";
        QTest::newRow("two backslashes") << "x\\\\y" << false << "x\\y";
        QTest::newRow("unknown escape") << "q\\z" << false << "qz";
        QTest::newRow("trailing backslash") << "end\\" << false << "end";
        QTest::newRow("tab") << "a\\tb" << false << "a\tb";
        QTest::newRow("empty") << "" << false << "";
    }

    void idiomEscapes()
    {
        QFETCH(QString, idiom);
        QFETCH(bool, autoIndent);
        QFETCH(QString, inserted);
        TextEdit w(QStringLiteral("VElino"));
        EditorSettings s = w.settings();
        s.idiom[4] = idiom;
        w.applyIdioms(s);
        w.setAutoIndent(autoIndent);
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("\tx"));
        e->setCursorPosition(0, 2);
        w.idiomNumber(4);
        QString expected = QStringLiteral("\tx") + inserted;
        expected.replace(QLatin1String("%d"), w.getDateTime());
        while (expected.contains(QLatin1Char('\b')))
            expected.remove(expected.indexOf(QLatin1Char('\b')) - 1, 2);
        QCOMPARE(e->text(), expected);
        // One undo takes the whole idiom back.
        e->undo();
        QCOMPARE(e->text(), QStringLiteral("\tx"));
    }

    void idiomList()
    {
        TextEdit w(QStringLiteral("VElino"));
        EditorSettings s = w.settings();
        s.idiom = {QStringLiteral("zero"), QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")};
        w.applyIdioms(s);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        int items = 0;
        DialogScript script({[&](QDialog* dialog) {
                                 auto* list = dialog->findChild<QListWidget*>();
                                 items = list->count();
                                 QCOMPARE(list->currentRow(), 0);
                                 list->setCurrentRow(2);
                                 DialogScript::click(dialog, QStringLiteral("OK"));
                             },
                             [](QDialog* dialog) {
                                 auto* list = dialog->findChild<QListWidget*>();
                                 QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                                   list->visualItemRect(list->item(3)).center());
                             },
                             DialogScript::press("CANCEL")});
        w.idiomListBox();
        w.idiomListBox();
        w.idiomListBox();
        QCOMPARE(script.titles.value(0), QStringLiteral("choose an idiom"));
        QCOMPARE(items, 9);
        QCOMPARE(w.editor()->text(), QStringLiteral("twothree"));
    }

    void dateForms_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("text");
        const QDateTime wednesday(QDate(2024, 5, 1), QTime(9, 8, 7));
        QTest::newRow("0") << wednesday << 0 << "2024/05/01(We) 09:08:07";
        QTest::newRow("1") << wednesday << 1 << "2024/05/01(We) 09:08";
        QTest::newRow("2") << wednesday << 2 << "2024/05/01(We)";
        QTest::newRow("3") << wednesday << 3 << "2024/05/01 09:08:07";
        QTest::newRow("4") << wednesday << 4 << "2024/05/01 09:08";
        QTest::newRow("5") << wednesday << 5 << "2024/05/01";
        QTest::newRow("6") << wednesday << 6 << "2024.05.01 09:08:07";
        QTest::newRow("7") << wednesday << 7 << "2024.05.01 09:08";
        QTest::newRow("8") << wednesday << 8 << "2024.05.01";
        QTest::newRow("9") << wednesday << 9 << "09:08:07 2024/05/01";
        QTest::newRow("10") << wednesday << 10 << "09:08 2024/05/01";
        QTest::newRow("19") << wednesday << 19 << QDate(2024, 5, 1).toString();
        QTest::newRow("11 is 0") << wednesday << 11 << "2024/05/01(We) 09:08:07";
        QTest::newRow("-1 is 0") << wednesday << -1 << "2024/05/01(We) 09:08:07";
        QTest::newRow("20 is 0") << wednesday << 20 << "2024/05/01(We) 09:08:07";
        QTest::newRow("Sunday") << QDateTime(QDate(2024, 5, 5), QTime(23, 59, 0)) << 2 << "2024/05/05(Su)";
        QTest::newRow("Monday") << QDateTime(QDate(2024, 5, 6), QTime(0, 0, 0)) << 2 << "2024/05/06(Mo)";
    }

    void dateForms()
    {
        QFETCH(QDateTime, when);
        QFETCH(int, form);
        QFETCH(QString, text);
        QCOMPARE(TextEdit::dateTimeText(form, when), text);
    }

    void characterCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selectFrom"); // -1: nothing selected
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("full width, half-width kana, space, line feed")
            << QString::fromUtf16(u"\uff21\uff22\uff71 \n") << -1 << QList<int>{3, 2, 1, 1, 0, 1, 0, 1, 0, 5};
        QTest::newRow("CR LF, a pair, a wide space, a tab, a control")
            << QString::fromUtf16(u"a\r\nb\t\U0001F600\u3000\x01") << -1 << QList<int>{3, 1, 2, 1, 1, 0, 1, 1, 1, 7};
        QTest::newRow("the selection only") << QStringLiteral("abc def") << 4 << QList<int>{3, 0, 3, 0, 0, 0, 0, 0, 0, 3};
    }

    void characterCount()
    {
        QFETCH(QString, text);
        QFETCH(int, selectFrom);
        QFETCH(QList<int>, counts);
        TextEdit w(QStringLiteral("VElino"));
        w.editor()->setText(text);
        if (selectFrom >= 0)
            w.editor()->setSelection(selectFrom, text.size());
        DialogScript script({DialogScript::press("OK")});
        w.countCharacter();
        QCOMPARE(script.titles, QStringList({QStringLiteral("VElino char count")}));
        QCOMPARE(script.texts.value(0), countText(counts));
    }

    void clipboardViewer()
    {
        TextEdit w(QStringLiteral("VElino"));
        const QString eighty(80, QLatin1Char('x'));
        DialogScript script({DialogScript::press("OK"), DialogScript::press("OK")});
        QGuiApplication::clipboard()->setText(eighty);
        w.show_clipboard();
        QGuiApplication::clipboard()->setText(eighty + QStringLiteral("yz"));
        w.show_clipboard();
        QCOMPARE(script.titles, QStringList({QStringLiteral("Clipboard"), QStringLiteral("Clipboard")}));
        QCOMPARE(script.texts, QStringList({eighty, eighty + QStringLiteral("...")}));

        // Shown as rich text, a copied <img src="/dev/zero"> read that file until memory ran out.
        Qt::TextFormat format = Qt::AutoText;
        DialogScript plain({[&](QDialog* box) {
            format = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->textFormat();
            DialogScript::click(box, "OK");
        }});
        QGuiApplication::clipboard()->setText(QStringLiteral("<b>bold</b>"));
        w.show_clipboard();
        QCOMPARE(format, Qt::PlainText);
    }

    void wholeLineCutAndCopy()
    {
        setGroup(QStringLiteral("View"), {{QStringLiteral("DefCutAndCopy"), true}});
        TextEdit w(QStringLiteral("VElino"));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("one\ntwo\nthree"));
        e->setCursorPosition(1, 1);
        w.editCut();
        QCOMPARE(e->text(), QStringLiteral("one\nthree"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("two\n"));
        e->setCursorPosition(1, 2);
        w.editCopy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("three"));
        QCOMPARE(e->text(), QStringLiteral("one\nthree"));
    }

    void duplicateAndRemoveLines()
    {
        TextEdit w(QStringLiteral("VElino"));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("one\ntwo\nthree"));
        e->setCursorPosition(1, 2);
        w.editDuplicate();
        QCOMPARE(e->text(), QStringLiteral("one\ntwo\ntwo\nthree"));
        QCOMPARE(e->cursorRow(), 2);
        QCOMPARE(e->cursorColumn(), 2);
        w.editRemove();
        QCOMPARE(e->text(), QStringLiteral("one\ntwo\nthree"));
        QCOMPARE(e->cursorRow(), 2);
        QCOMPARE(e->cursorColumn(), 2);
        w.editRemove(); // the last row, with the line end before it
        QCOMPARE(e->text(), QStringLiteral("one\ntwo"));
        w.editDuplicate(); // the last row gets a line end of its own
        QCOMPARE(e->text(), QStringLiteral("one\ntwo\ntwo"));
        e->undo();
        e->undo();
        QCOMPARE(e->text(), QStringLiteral("one\ntwo\nthree"));

        e->setText(QStringLiteral("a\r\nb"));
        e->setCursorPosition(1, 0);
        w.editDuplicate();
        QCOMPARE(e->text(), QStringLiteral("a\r\nb\r\nb"));
        e->setCursorPosition(0, 0);
        w.editDuplicate();
        QCOMPARE(e->text(), QStringLiteral("a\r\na\r\nb\r\nb"));
        e->setText(QStringLiteral("only"));
        w.editRemove();
        QCOMPARE(e->text(), QString());
    }

    void selectionCommands()
    {
        TextEdit w(QStringLiteral("VElino"));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("zero\none\ntwo\nthree"));
        e->setCursorPosition(1, 2);
        w.editSelectTop();
        QCOMPARE(e->selectedText(), QStringLiteral("zero\non"));
        e->setCursorPosition(2, 1);
        w.editSelectBottom();
        QCOMPARE(e->selectedText(), QStringLiteral("wo\nthree"));
        // From the mark: nothing without one, then towards it from either side.
        e->setCursorPosition(1, 1);
        w.editSelectMark();
        QVERIFY(!e->hasSelection());
        e->setCursorPosition(2, 2);
        action(w, QStringLiteral("mark(&M)"))->trigger();
        e->setCursorPosition(0, 3);
        w.editSelectMark();
        QCOMPARE(e->selectedText(), QStringLiteral("o\none\ntw"));
        QCOMPARE(e->cursorRow(), 2);
        e->setCursorPosition(3, 4);
        w.editSelectMark();
        QCOMPARE(e->selectedText(), QStringLiteral("o\nthre"));
        QCOMPARE(e->cursorRow(), 3);
    }

    void indentationOfAWrappedParagraph()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QpeEditor* e = w.editor();
        QString paragraph;
        while (paragraph.size() < 300)
            paragraph += QStringLiteral("word ");
        e->setText(QStringLiteral("top\n") + paragraph + QStringLiteral("\nend"));
        w.setWordWrap(true);
        QVERIFY(e->numRows() >= 5);
        // From the paragraph's second row: no row of the selection begins a paragraph.
        e->setSelection(e->rowStart(2) + 1, e->rowStart(3) + 1);
        w.tabIndent();
        QCOMPARE(e->text().count(QLatin1Char('\t')), 0);
        // From its first row over all its rows: one tab, at its start.
        e->setSelection(e->rowStart(1) + 1, e->text().size() - 4);
        w.tabIndent();
        QCOMPARE(e->text(), QStringLiteral("top\n\t") + paragraph + QStringLiteral("\nend"));
        w.shiftTabIndent();
        QCOMPARE(e->text(), QStringLiteral("top\n") + paragraph + QStringLiteral("\nend"));
    }

    void zoomAtTheEndsOfTheTable()
    {
        setGroup(QStringLiteral("View"), {{QStringLiteral("FontSize"), 40}});
        TextEdit w(QStringLiteral("VElino"));
        QCOMPARE(w.editor()->fontSize(), 36);
        QVERIFY(!action(w, QStringLiteral("large font(&L)"))->isEnabled());
        // The device key still zooms in: there is no larger size, so it starts again at 10.
        QTest::sendKeyEvent(QTest::Click, &w, Qt::Key(0x2010), QString(), Qt::NoModifier);
        QCOMPARE(w.editor()->fontSize(), 10);
        QVERIFY(!action(w, QStringLiteral("small font(&S)"))->isEnabled());
        w.zoomOut();
        QCOMPARE(w.editor()->fontSize(), 10);
        w.zoomIn();
        QCOMPARE(w.editor()->fontSize(), 12);
    }

    void pasteIntoTheSearchBox()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.editor()->setText(QStringLiteral("text"));
        w.editFind();
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        w.editPaste();
        auto* box = w.findChild<QComboBox*>();
        QCOMPARE(box->itemText(0), QStringLiteral("pasted"));
        QCOMPARE(box->currentText(), QStringLiteral("pasted"));
        QCOMPARE(w.editor()->text(), QStringLiteral("text"));
    }

    void accelerators_data()
    {
        QTest::addColumn<int>("key");
        for (const int key : {Qt::Key_0, Qt::Key_U, Qt::Key_Q, Qt::Key_1, Qt::Key_L, Qt::Key_Y, Qt::Key_D, Qt::Key_T,
                              Qt::Key_B, Qt::Key_F, Qt::Key_N, Qt::Key_E, Qt::Key_R, Qt::Key_G, Qt::Key_W, Qt::Key_I,
                              Qt::Key_H})
            QTest::addRow("Ctrl+%s", qPrintable(QKeySequence(key).toString())) << key;
    }

    void accelerators()
    {
        QFETCH(int, key);
        TextEdit w(QStringLiteral("VElino"));
        EditorSettings s = w.settings();
        s.idiom[0] = QStringLiteral("idiom");
        w.applyIdioms(s);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("one two\nthree one\n"));
        e->setCursorPosition(1, 0);
        if (key == Qt::Key_U || key == Qt::Key_Q) {
            e->insert(QStringLiteral("x"));
            if (key == Qt::Key_Q)
                e->undo();
        } else if (key == Qt::Key_N || key == Qt::Key_E) {
            w.editFind();
            w.findChild<QComboBox*>()->setEditText(QStringLiteral("one"));
        }
        e->setFocus();
        DialogScript script({[](QDialog* dialog) { dialog->reject(); }});
        QTest::keyClick(e, Qt::Key(key), Qt::ControlModifier);
        auto* searchBar = w.findChild<QToolBar*>(QStringLiteral("Search"));
        const QString dialog = script.titles.value(0);
        switch (key) {
        case Qt::Key_0:
            QVERIFY(e->isOverwrite());
            QTest::keyClicks(e, QStringLiteral("TH"));
            QCOMPARE(e->text(), QStringLiteral("one two\nTHree one\n"));
            break;
        case Qt::Key_U: QCOMPARE(e->text(), QStringLiteral("one two\nthree one\n")); break;
        case Qt::Key_Q: QCOMPARE(e->text(), QStringLiteral("one two\nxthree one\n")); break;
        case Qt::Key_1: QCOMPARE(e->text(), QStringLiteral("one two\nidiomthree one\n")); break;
        case Qt::Key_L: QCOMPARE(e->text(), QStringLiteral("one two\nthree one\nthree one\n")); break;
        case Qt::Key_Y: QCOMPARE(e->text(), QStringLiteral("one two\n")); break;
        case Qt::Key_D: QVERIFY(e->textLine(1).startsWith(w.getDateTime())); break;
        case Qt::Key_T: QCOMPARE(e->cursorRow(), 0); break;
        case Qt::Key_B: QCOMPARE(e->cursorRow(), 2); break;
        case Qt::Key_F: QVERIFY(searchBar->isVisible()); break;
        case Qt::Key_N: QCOMPARE(e->selectionStart(), qsizetype(14)); break;
        case Qt::Key_E: QVERIFY(searchBar->isHidden()); break;
        case Qt::Key_R: QCOMPARE(dialog, QStringLiteral("** Replace **")); break;
        case Qt::Key_G: QCOMPARE(dialog, QStringLiteral("Jump to")); break;
        case Qt::Key_W: QCOMPARE(dialog, QStringLiteral("choose an idiom")); break;
        case Qt::Key_I: QCOMPARE(dialog, QStringLiteral("VElino char count")); break;
        case Qt::Key_H: QCOMPARE(dialog, QStringLiteral("Clipboard")); break;
        }
    }

    void specialKeyFunctions_data()
    {
        QTest::addColumn<int>("function");
        for (int f = 1; f <= 17; ++f)
            QTest::addRow("%d", f) << f;
    }

    void specialKeyFunctions()
    {
        QFETCH(int, function);
        setGroup(QStringLiteral("Key"), {{QStringLiteral("KeyCtrlEnter"), function}});
        const QString path = dir.filePath(QStringLiteral("keys.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("word one\nword two\n");
        file.close();
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.openThisFile(path));
        QpeEditor* e = w.editor();
        const QString text = e->text();
        auto* searchBar = w.findChild<QToolBar*>(QStringLiteral("Search"));
        switch (function) {
        case 3: e->insert(QStringLiteral("x")); e->undo(); break;
        case 4: case 15: e->insert(QStringLiteral("x")); break;
        case 8: case 14:
            w.editFind();
            w.findChild<QComboBox*>()->setEditText(QStringLiteral("word"));
            w.findClose();
            e->setCursorPosition(function == 8 ? 0 : 1, function == 8 ? 1 : 0);
            break;
        default: break;
        }
        e->setFocus();
        DialogScript script({[](QDialog* dialog) { dialog->reject(); }});
        QTest::keyClick(e, Qt::Key_Return, Qt::ControlModifier);
        const QStringList dialogs = script.titles;
        switch (function) {
        case 1: QCOMPARE(e->text(), QStringLiteral(" ") + text); break;
        case 2: QCOMPARE(e->selectedText(), QStringLiteral("word")); break;
        case 3: QCOMPARE(e->text(), QStringLiteral("x") + text); break;
        case 4: QCOMPARE(e->text(), text); break;
        case 5: QCOMPARE(e->text(), QStringLiteral("word two\n")); break;
        case 6: QCOMPARE(e->text(), QStringLiteral("word one\n") + text); break;
        case 7: case 13: QVERIFY(searchBar->isVisible()); break;
        case 8: QCOMPARE(e->selectionStart(), qsizetype(9)); break;
        case 9: QCOMPARE(dialogs, QStringList({QStringLiteral("** Replace **")})); break;
        case 10: QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\dword")).match(e->text()).hasMatch()); break;
        case 11: QCOMPARE(dialogs, QStringList({QStringLiteral("choose an idiom")})); break;
        case 12: QCOMPARE(e->text(), path + text); break;
        case 14: QCOMPARE(e->selectionStart(), qsizetype(0)); break;
        case 15: {
            QFile saved(path);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(saved.readAll(), QByteArray("xword one\nword two\n"));
            break;
        }
        case 16: QCOMPARE(dialogs.size(), 1); break;
        case 17: QCOMPARE(e->text(), text); break; // read as 0: unbound
        }
        if (function != 9 && function != 11 && function != 16)
            QCOMPARE(dialogs, QStringList());
    }
};

QTEST_MAIN(TestTextEditAids)
#include "tst_textedit_aids.moc"
