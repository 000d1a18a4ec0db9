#include "textview.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>

class TstTextView : public QObject
{
    Q_OBJECT

private:
    static void press(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(w, &event);
    }
    static void type(QWidget* w, const QString& text)
    {
        for (const QChar c : text)
            press(w, c == u'\n' ? int(Qt::Key_Return) : int(Qt::Key_A), Qt::NoModifier, c == u'\n' ? QString() : QString(c));
    }

private slots:
    // The rows kept for the lines in view follow every edit: after each, they are
    // those a fresh layout of the same text gives.
    void wrappedRowsFollowEdits()
    {
        for (const RowLayout::WrapMode mode : {RowLayout::WrapAnywhere, RowLayout::WrapAtSpace}) {
            TextView view;
            view.resize(300, 200);
            view.setPlainText(QStringLiteral("short\n\ta tab and some words to wrap here\n日本語の文章を折り返す長い行です。\n"));
            view.setWrap(mode, 90);
            QRandomGenerator random(3);
            const QString pieces[] = {QStringLiteral("word "), QStringLiteral("\n"), QStringLiteral("日本語"), QStringLiteral("\t"),
                                      QStringLiteral("xxxxxxxxxxxxxxxxxxxxxxxx")};
            for (int step = 0; step < 60; ++step) {
                const qsizetype size = view.buffer().size();
                const qsizetype pos = random.bounded(int(size) + 1);
                if (random.bounded(3) == 0 && size > 0)
                    view.model()->remove(pos, qMin<qsizetype>(random.bounded(12), size - pos));
                else
                    view.model()->insert(pos, pieces[random.bounded(5)]);
                view.rowCount(); // measures every line, keeping the counts

                RowLayout fresh(view.buffer());
                fresh.setFont(view.font());
                fresh.setTabDistance(view.rowLayout().tabDistance());
                fresh.setWrap(mode, 90);
                QCOMPARE(view.rowCount(), fresh.rowCount());
                const TextBuffer& b = view.buffer();
                for (int line = 0; line < b.lineCount(); ++line) {
                    QCOMPARE(view.rowLayout().rowStarts(line), fresh.rowStarts(line));
                    QCOMPARE(view.rowLayout().firstRow(line), fresh.firstRow(line));
                }
            }
            // Rows put back together give the lines; only a row of one character is wider than the wrap.
            QString joined;
            for (int row = 0; row < view.rowCount(); ++row) {
                const QString text = view.rowText(row);
                joined += text + (view.rowEndsLine(row) && row + 1 < view.rowCount() ? QStringLiteral("\n") : QString());
                QVERIFY(text.size() <= 1 || view.rowLayout().width(text, text.size()) <= 90);
            }
            QCOMPARE(joined, view.toPlainText());
        }
    }

    // A CR LF line end is one place for the cursor and one piece for editing, and
    // new lines end as the lines around them do; surrogate pairs stay whole.
    void lineEndsAndPairsStayWhole()
    {
        TextView view;
        view.setPlainText(QStringLiteral("ab\r\ncd\r\n"));
        view.setCursorPosition(3); // between CR and LF
        QCOMPARE(view.cursorPosition(), 2);
        press(&view, Qt::Key_Right);
        QCOMPARE(view.cursorPosition(), 4);
        press(&view, Qt::Key_Left);
        QCOMPARE(view.cursorPosition(), 2);
        press(&view, Qt::Key_Return);
        QCOMPARE(view.toPlainText(), QStringLiteral("ab\r\n\r\ncd\r\n"));
        press(&view, Qt::Key_Backspace);
        QCOMPARE(view.toPlainText(), QStringLiteral("ab\r\ncd\r\n"));
        press(&view, Qt::Key_End);
        QCOMPARE(view.cursorPosition(), 2);
        press(&view, Qt::Key_Delete);
        QCOMPARE(view.toPlainText(), QStringLiteral("abcd\r\n"));

        view.setPlainText(QStringLiteral("x\U0001F600y"));
        view.setCursorPosition(1);
        press(&view, Qt::Key_Right);
        QCOMPARE(view.cursorPosition(), 3);
        press(&view, Qt::Key_Backspace);
        QCOMPARE(view.toPlainText(), QStringLiteral("xy"));
    }

    void everyCharacterIsKept()
    {
        TextView view;
        view.resize(300, 100);
        const QString text = QString(QChar(0xFEFF)) + QStringLiteral("a\r\nb\rc") + QChar(0x00A0) + QChar(0x2028) + QChar(0x2029)
            + QChar(0) + QStringLiteral("\n");
        view.setPlainText(text);
        view.grab(); // painted, control characters included
        QCOMPARE(view.toPlainText(), text);
        QCOMPARE(view.buffer().lineCount(), 3);
    }

    // Beyond some 33 million pixels along a line its text was no longer drawn.
    void farAlongALongLineTextIsDrawn()
    {
        TextView view;
        view.resize(300, 60);
        view.setPlainText(QString(6'000'000, QLatin1Char('W')));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setCursorPosition(view.buffer().size());
        QVERIFY(view.horizontalScrollBar()->value() > 40'000'000);
        const QImage shot = view.viewport()->grab().toImage();
        const QRgb base = view.palette().base().color().rgb();
        int inked = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                inked += shot.pixel(x, y) != base;
        QVERIFY2(inked > 500, qPrintable(QString::number(inked)));
    }

    void typingUndoAndOverwrite()
    {
        TextView view;
        type(&view, QStringLiteral("abc\nd"));
        QCOMPARE(view.toPlainText(), QStringLiteral("abc\nd"));
        press(&view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(view.toPlainText(), QStringLiteral("abc\n"));
        press(&view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(view.toPlainText(), QString());
        press(&view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(view.toPlainText(), QStringLiteral("abc\n"));
        QVERIFY(view.isModified());

        view.setCursorPosition(1);
        press(&view, Qt::Key_Insert);
        QVERIFY(view.overwriteMode());
        type(&view, QStringLiteral("XYZ"));
        // Typing over stops at the line end.
        QCOMPARE(view.toPlainText(), QStringLiteral("aXYZ\n"));
    }

    void inputMethodComposesInPlace()
    {
        TextView view;
        view.resize(300, 100);
        view.setPlainText(QStringLiteral("ab"));
        view.setSelection(0, 1);
        const int before = view.cursorRect().x();
        QInputMethodEvent compose(QString::fromUtf8("にほ"), {QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, 2, 1)});
        QApplication::sendEvent(&view, &compose);
        // The composing text is shown, not yet part of the text, and the selection it replaces is gone.
        QCOMPARE(view.toPlainText(), QStringLiteral("b"));
        QVERIFY(view.cursorRect().x() > before);
        QCOMPARE(static_cast<QWidget&>(view).inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("b"));
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8("日本"));
        QApplication::sendEvent(&view, &commit);
        QCOMPARE(view.toPlainText(), QString::fromUtf8("日本b"));
        QCOMPARE(view.cursorPosition(), 2);
        QCOMPARE(static_cast<QWidget&>(view).inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
    }

    void clipboardAndMouse()
    {
        TextView view;
        view.resize(300, 100);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setPlainText(QStringLiteral("one two\nthree"));
        press(&view, Qt::Key_Right, Qt::ShiftModifier);
        press(&view, Qt::Key_Right, Qt::ShiftModifier);
        press(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("on"));
        press(&view, Qt::Key_End, Qt::ControlModifier);
        press(&view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(view.toPlainText(), QStringLiteral("one two\nthreeon"));

        // A click on the second row, a drag back to the first, a double click on a word.
        const int y1 = view.rowHeight() / 2;
        const int y2 = view.rowHeight() * 3 / 2;
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(2, y2));
        QCOMPARE(view.cursorPosition(), 8);
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(250, y2));
        QTest::mouseMove(view.viewport(), QPoint(2, y1));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(2, y1));
        QCOMPARE(view.selectedText(), QStringLiteral("one two\nthreeon"));
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(view.rowLayout().width(QStringLiteral("one t"), 5) + 3, y1));
        QCOMPARE(view.selectedText(), QStringLiteral("two"));
    }
};

QTEST_MAIN(TstTextView)
#include "tst_textview.moc"
