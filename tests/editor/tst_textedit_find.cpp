#include "dialogscript.h"
#include "document.h"
#include "qpeeditor.h"
#include "textedit.h"

#include "platform/config.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QToolBar>
#include <QTemporaryDir>
#include <QtTest>

// Find, replace, jump and mark in the main window: the search bar, incremental
// search and its history, wrapping to the top, matches across display rows, the
// confirmation flow, replacements as one undo step, and the jump dialog.
class TestTextEditFind : public QObject
{
    Q_OBJECT

private:
    static void setView(const QMap<QString, QVariant>& values)
    {
        QSettings conf(Config::filePath(QStringLiteral("VElino")), QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it)
            conf.setValue(QStringLiteral("View/") + it.key(), it.value());
    }

    static QComboBox* box(TextEdit& w) { return w.findChild<QComboBox*>(); }

    static void searchFor(TextEdit& w, const QString& word)
    {
        w.editFind();
        box(w)->setEditText(word);
    }

    static QString statusText()
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("statusMessage") && top->isVisible())
                return static_cast<QLabel*>(top)->text();
        return QString();
    }

    static DialogScript::Step fillReplace(const QString& oldWord, const QString& newWord, bool confirm,
                                          bool fromCursor = false)
    {
        return [=](QDialog* dialog) {
            const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
            edits.at(0)->setText(oldWord);
            edits.at(1)->setText(newWord);
            for (QCheckBox* check : dialog->findChildren<QCheckBox*>())
                check->setChecked(check->text() == QLatin1String("confirmation") ? confirm : fromCursor);
            DialogScript::click(dialog, QStringLiteral("OK"));
        };
    }

private slots:
    void init()
    {
        QFile::remove(Config::filePath(QStringLiteral("VElino")));
        QFile::remove(Config::filePath(QStringLiteral("VElino_r")));
        setView({{QStringLiteral("CursorWord"), 0}});
    }

    void wordProposedByTheCursor_data()
    {
        QTest::addColumn<int>("cursorWord");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("proposed");
        // In "hello world\nabcdefghijklmn\n".
        QTest::newRow("to the space") << 1 << 2 << 2 << "llo";
        QTest::newRow("on the space") << 1 << 5 << 5 << "";
        QTest::newRow("ten without a space") << 1 << 12 << 12 << "abcdefghij";
        QTest::newRow("to the row's end") << 1 << 22 << 22 << "klmn";
        QTest::newRow("the selection") << 2 << 6 << 9 << "wor";
        QTest::newRow("the selection to its line end") << 2 << 6 << 14 << "world";
        QTest::newRow("nothing") << 0 << 2 << 2 << "";
    }

    void wordProposedByTheCursor()
    {
        QFETCH(int, cursorWord);
        QFETCH(int, anchor);
        QFETCH(int, cursor);
        QFETCH(QString, proposed);
        setView({{QStringLiteral("CursorWord"), cursorWord}});
        TextEdit w(QStringLiteral("VElino"));
        w.editor()->setText(QStringLiteral("hello world\nabcdefghijklmn\n"));
        w.editor()->setSelection(anchor, cursor);
        w.editFind();
        QCOMPARE(box(w)->itemText(0), proposed);
        QCOMPARE(box(w)->currentText(), proposed);
        w.findClose();
        QString preset;
        DialogScript script({[&](QDialog* dialog) {
            preset = dialog->findChild<QLineEdit*>()->text();
            DialogScript::click(dialog, QStringLiteral("CANCEL"));
        }});
        w.replaceProc();
        QCOMPARE(preset, proposed);
    }

    void emptyWordsFindNothing()
    {
        TextEdit w(QStringLiteral("VElino"));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("abc"));
        e->setCursorPosition(0, 1);
        searchFor(w, QString());
        w.findNext();
        w.findPrev();
        QCOMPARE(e->cursorPosition(), qsizetype(1));
        QVERIFY(!e->hasSelection());
        // OK without an old word keeps the replace dialog open.
        bool stayedOpen = false;
        DialogScript script({[&](QDialog* dialog) {
            DialogScript::click(dialog, QStringLiteral("OK"));
            stayedOpen = dialog->isVisible();
            DialogScript::click(dialog, QStringLiteral("CANCEL"));
        }});
        w.replaceProc();
        QVERIFY(stayedOpen);
        QCOMPARE(e->text(), QStringLiteral("abc"));
    }

    void forwardWrapsOnTheSecondTryBackwardNever()
    {
        setView({{QStringLiteral("IncrementalSearch"), false}});
        TextEdit w(QStringLiteral("VElino"));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("word one\ntwo\nthree below\n"));
        e->setCursorPosition(1, 0);
        searchFor(w, QStringLiteral("word"));
        w.findNext();
        QVERIFY(!e->hasSelection());
        QCOMPARE(e->cursorRow(), 1);
        w.findNext();
        QCOMPARE(e->selectedText(), QStringLiteral("word"));
        QCOMPARE(e->cursorRow(), 0);

        e->setCursorPosition(1, 0);
        box(w)->setEditText(QStringLiteral("below"));
        for (int i = 0; i < 2; ++i) {
            w.findPrev();
            QVERIFY(!e->hasSelection());
            QCOMPARE(e->cursorRow(), 1);
        }
    }

    void matchAcrossADisplayRow()
    {
        setView({{QStringLiteral("IncrementalSearch"), false}});
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QpeEditor* e = w.editor();
        QString paragraph;
        for (int i = 0; i < 40; ++i)
            paragraph += QStringLiteral("w%1x").arg(i);
        e->setText(QStringLiteral("first\n") + paragraph + QStringLiteral("\nlast\n"));
        w.setWordWrap(true);
        QVERIFY(e->numRows() > 4);
        // The characters on both sides of the first wrap point of the paragraph.
        const qsizetype wrap = e->rowEnd(1);
        const QString across = e->text().mid(wrap - 3, 6);
        searchFor(w, across.toUpper());
        for (const bool backward : {false, true}) {
            e->setCursorPosition(backward ? e->numRows() - 1 : 0, 0);
            backward ? w.findPrev() : w.findNext();
            QCOMPARE(e->selectedText(), across);
            QVERIFY(e->selectionStart() < wrap && e->selectionEnd() > wrap);
            QCOMPARE(e->cursorPosition(), backward ? e->selectionStart() : e->selectionEnd());
        }
    }

    void incrementalSearchAndHistory()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("edit editor edits\n"));
        w.editFind();
        QLineEdit* line = box(w)->lineEdit();
        QVERIFY(line->hasFocus());
        QTest::keyClicks(line, QStringLiteral("edit"));
        QCOMPARE(e->selectionStart(), qsizetype(0));
        QCOMPARE(e->selectedText(), QStringLiteral("edit"));
        // The match grows where it is while it still fits.
        QTest::keyClicks(line, QStringLiteral("o"));
        QCOMPARE(e->selectionStart(), qsizetype(5));
        QCOMPARE(e->selectedText(), QStringLiteral("edito"));
        QVERIFY(line->hasFocus());

        // Return in the box is the OK key: search again and keep the word.
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(w.settings().SearchWords[0], QStringLiteral("edito"));
        for (const QString& word : {QStringLiteral("edits"), QStringLiteral("edito")}) {
            w.editFind();
            box(w)->setEditText(word);
            w.accept();
        }
        QCOMPARE(w.settings().SearchWords[0], QStringLiteral("edito"));
        QCOMPARE(w.settings().SearchWords[1], QStringLiteral("edits"));
        QCOMPARE(w.settings().SearchWords[2], QString());
        QCOMPARE(box(w)->count(), 11);
        QCOMPARE(box(w)->itemText(2), QStringLiteral("edits"));
        QCOMPARE(box(w)->currentIndex(), 1);

        w.editFind();
        QTest::keyClick(box(w)->lineEdit(), Qt::Key_Escape);
        QVERIFY(w.findChild<QToolBar*>(QStringLiteral("Search"))->isHidden());
        w.writeConf();
        QCOMPARE(QSettings(Config::filePath(QStringLiteral("VElino")), QSettings::IniFormat)
                     .value(QStringLiteral("View/SearchWords2")).toString(),
                 QStringLiteral("edits"));
    }

    void invalidExpressionFindsNothing()
    {
        setView({{QStringLiteral("CaseSensitive"), 1}});
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("a(b\n"));
        searchFor(w, QStringLiteral("a("));
        w.findNext();
        QVERIFY(!e->hasSelection());
        QVERIFY(statusText().startsWith(QLatin1String("regular expression error")));

        // Typed word by word once the search follows typing in every mode.
        EditorSettings incremental = w.settings();
        incremental.IncrementalSearch = true;
        w.applyFuncOptions(incremental);
        w.editFind();
        QTest::keyClicks(box(w)->lineEdit(), QStringLiteral("a(b"));
        QCOMPARE(e->selectedText(), QStringLiteral("a")); // found while the word was "a"

        DialogScript script({fillReplace(QStringLiteral("("), QStringLiteral("x"), false), DialogScript::press("OK")});
        w.replaceProc();
        QCOMPARE(script.titles, QStringList({QStringLiteral("** Replace **"), QStringLiteral("VElino replace")}));
        QVERIFY(script.texts.at(1).startsWith(QLatin1String("regular expression error")));
        QCOMPARE(e->text(), QStringLiteral("a(b\n"));
    }

    void emptyMatchesMoveOn()
    {
        setView({{QStringLiteral("CaseSensitive"), 1}, {QStringLiteral("IncrementalSearch"), false}});
        TextEdit w(QStringLiteral("VElino"));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("ab\ncd\n"));
        searchFor(w, QStringLiteral("^"));
        QList<int> rows;
        for (int i = 0; i < 4; ++i) {
            w.findNext();
            rows << e->cursorRow();
        }
        QCOMPARE(rows, QList<int>({1, 2, 2, 0}));
    }

    void replaceWithConfirmation()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("a a a a a"));
        QStringList selections;
        const auto answer = [&](const QString& button) {
            return [&, button](QDialog* dialog) {
                selections << QString::number(e->selectionStart());
                DialogScript::click(dialog, button);
            };
        };
        DialogScript script({fillReplace(QStringLiteral("a"), QStringLiteral("bb"), true), answer("OK"), answer("No"),
                             answer("OK"), answer("CANCEL"), DialogScript::press("OK")});
        w.replaceProc();
        QCOMPARE(selections, QStringList({"0", "3", "5", "8"}));
        QCOMPARE(e->text(), QStringLiteral("bb a bb a a"));
        QCOMPARE(script.titles.at(1), QStringLiteral("confirm"));
        QCOMPARE(script.texts.last(), QStringLiteral("replace count is 2"));
        QVERIFY(e->edited());
        e->undo();
        QCOMPARE(e->text(), QStringLiteral("a a a a a"));
    }

    // A document handed over by a second start while a replacement asked for
    // confirmation was opened at once, and the replacement went on in its text.
    void documentHandedOverDuringReplacementWaits()
    {
        QTemporaryDir dir;
        const QString other = dir.filePath(QStringLiteral("other.txt"));
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("xyz\n");
        f.close();
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("a a"));
        e->setEdited(false);
        const DialogScript::Step next = [](QDialog* dialog) {
            DialogScript::click(dialog, dialog->windowTitle() == QStringLiteral("confirm") ? "CANCEL" : "OK");
        };
        DialogScript script({fillReplace(QStringLiteral("a"), QStringLiteral("bb"), true),
                             [&](QDialog* dialog) {
                                 w.setDocument(other);
                                 DialogScript::click(dialog, "OK");
                             },
                             next, next, next});
        w.replaceProc();
        QTRY_COMPARE(w.document()->file(), other);
        QCOMPARE(e->text(), QStringLiteral("xyz\n"));
        QVERIFY(!e->edited());
    }

    void replaceAllIsOneUndoStep_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("oldWord");
        QTest::addColumn<QString>("newWord");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("cursor"); // -1: from the top
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");
        QTest::newRow("plain") << "cat cat\ncat" << "cat" << "dog" << 2 << -1 << "dog dog\ndog" << 3;
        QTest::newRow("from the cursor") << "cat cat\ncat" << "cat" << "dog" << 2 << 4 << "cat dog\ndog" << 2;
        QTest::newRow("any case") << "Cat cAT" << "cat" << "dog" << 0 << -1 << "dog dog" << 2;
        QTest::newRow("expressions keep case") << "Cat cat" << "cat" << "dog" << 1 << -1 << "Cat dog" << 1;
        QTest::newRow("an empty new word deletes") << "a-b-c" << "-" << "" << 2 << -1 << "abc" << 2;
        QTest::newRow("empty matches move on") << "abc" << "x*" << "-" << 1 << -1 << "-a-b-c-" << 4;
        QTest::newRow("^ starts every paragraph") << "ab\ncd" << "^" << "> " << 1 << -1 << "> ab\n> cd" << 2;
        QTest::newRow("^ from the cursor's row") << "ab\ncd" << "^" << "> " << 1 << 4 << "ab\n> cd" << 1;
        QTest::newRow("$ before CR LF") << "ab\r\ncd" << "$" << ";" << 1 << -1 << "ab;\r\ncd;" << 2;
        QTest::newRow("never across paragraphs") << "ab\ncd" << "b\\s*c" << "X" << 1 << -1 << "ab\ncd" << 0;
    }

    void replaceAllIsOneUndoStep()
    {
        QFETCH(QString, text);
        QFETCH(QString, oldWord);
        QFETCH(QString, newWord);
        QFETCH(int, mode);
        QFETCH(int, cursor);
        QFETCH(QString, result);
        QFETCH(int, count);
        QpeEditor e;
        e.setText(text);
        e.setSelection(qMax(cursor, 0), qMax(cursor, 0));
        QCOMPARE(e.replace(oldWord, newWord, mode, cursor >= 0, false), count);
        QCOMPARE(e.text(), result);
        if (count == 0)
            return;
        e.undo();
        QCOMPARE(e.text(), text);
        e.redo();
        QCOMPARE(e.text(), result);
    }

    void replaceAllThroughTheWindow()
    {
        TextEdit w(QStringLiteral("VElino"));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("one two one\n"));
        e->setCursorPosition(0, 5);
        DialogScript script({fillReplace(QStringLiteral("one"), QStringLiteral("1"), false), DialogScript::press("OK")});
        w.replaceProc();
        QCOMPARE(e->text(), QStringLiteral("1 two 1\n"));
        QCOMPARE(script.texts.last(), QStringLiteral("replace count is 2"));
        // The cursor stays on its character, and the words come back next time.
        QCOMPARE(e->cursorPosition(), qsizetype(3));
        QString preset;
        DialogScript again({[&](QDialog* dialog) {
            preset = dialog->findChildren<QLineEdit*>().at(0)->text() + QLatin1Char('/')
                + dialog->findChildren<QLineEdit*>().at(1)->text();
            DialogScript::click(dialog, QStringLiteral("CANCEL"));
        }});
        w.replaceProc();
        QCOMPARE(preset, QStringLiteral("one/1"));
        e->undo();
        QCOMPARE(e->text(), QStringLiteral("one two one\n"));
    }

    void jumpDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("row"); // -1: refused
        QTest::newRow("letters stand for digits") << "D" << 2;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("1") << "1" << 0;
        QTest::newRow("past the end") << "99999" << 11;
        QTest::newRow("small letter") << "1a" << -1;
        QTest::newRow("sign") << "-2" << -1;
        QTest::newRow("empty") << "" << -1;
    }

    void jumpDialog()
    {
        QFETCH(QString, typed);
        QFETCH(int, row);
        TextEdit w(QStringLiteral("VElino"));
        QpeEditor* e = w.editor();
        QString text;
        for (int i = 0; i < 12; ++i)
            text += QStringLiteral("line %1\n").arg(i);
        e->setText(text.chopped(1));
        e->setCursorPosition(5, 2);
        bool refused = false;
        DialogScript script({[&](QDialog* dialog) {
            QLineEdit* edit = dialog->findChild<QLineEdit*>();
            edit->setText(typed);
            DialogScript::click(dialog, QStringLiteral("OK"));
            refused = dialog->isVisible();
            if (refused)
                DialogScript::click(dialog, QStringLiteral("CANCEL"));
        }});
        w.jump_number();
        QCOMPARE(script.titles, QStringList({QStringLiteral("Jump to")}));
        QCOMPARE(refused, row < 0);
        QCOMPARE(e->cursorRow(), row < 0 ? 5 : row);
        QCOMPARE(e->cursorColumn(), row < 0 ? 2 : 0);
    }

    void jumpInputIsKeptAndShort()
    {
        TextEdit w(QStringLiteral("VElino"));
        QString kept;
        DialogScript script({[](QDialog* dialog) {
                                 QTest::keyClicks(dialog->findChild<QLineEdit*>(), QStringLiteral("1234567"));
                                 DialogScript::click(dialog, QStringLiteral("OK"));
                             },
                             [&](QDialog* dialog) {
                                 kept = dialog->findChild<QLineEdit*>()->text();
                                 DialogScript::click(dialog, QStringLiteral("CANCEL"));
                             }});
        w.jump_number();
        w.jump_number();
        QCOMPARE(kept, QStringLiteral("12345"));
    }

    void jumpToTheMark()
    {
        TextEdit w(QStringLiteral("VElino"));
        QpeEditor* e = w.editor();
        e->setText(QStringLiteral("zero\none\ntwo two\nthree\n"));
        QAction* mark = nullptr;
        for (QAction* a : w.findChildren<QAction*>())
            if (a->text() == QLatin1String("mark(&M)"))
                mark = a;
        e->setCursorPosition(3, 1);
        w.jump_markpos(); // no mark: nothing moves
        QCOMPARE(e->cursorRow(), 3);
        e->setCursorPosition(2, 4);
        mark->trigger();
        e->setCursorPosition(0, 0);
        w.jump_markpos();
        QCOMPARE(e->cursorRow(), 2);
        QCOMPARE(e->cursorColumn(), 4);
        // A mark below the end after the text shrank goes to the last row.
        e->setText(QStringLiteral("zero"));
        w.jump_markpos();
        QCOMPARE(e->cursorRow(), 0);
    }
};

QTEST_MAIN(TestTextEditFind)
#include "tst_textedit_find.moc"
