#include "qpeeditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QtMath>

// The editing widget: rows and paragraphs, word classes, auto indent, and what it
// paints, checked on the pixels of grabbed rows.
class TstQpeEditor : public QObject
{
    Q_OBJECT

private:
    struct Editor
    {
        QpeEditor e;
        explicit Editor(const QString& text, const std::function<void(EditorSettings&)>& change = {})
        {
            EditorSettings s;
            s.CRMarkDisp = 0;
            s.LineNumber = 0;
            if (change)
                change(s);
            e.setSettings(s);
            e.set2byteSpace();
            e.resize(400, 200);
            e.setText(text);
            e.show();
            e.activateWindow();
            e.setFocus();
        }
        QImage shot() { return e.viewport()->grab().toImage(); }
        // The viewport x of the cursor, as it is drawn.
        int cursorX() { return e.cursorRect().x() - e.viewport()->x(); }
    };

    // Whether a pixel of the colour is within one pixel of (x, y).
    static bool near(const QImage& image, int x, int y, const QColor& colour)
    {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (image.rect().contains(x + dx, y + dy) && image.pixelColor(x + dx, y + dy) == colour)
                    return true;
        return false;
    }
    static int count(const QImage& image, const QRect& area, const QColor& colour)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.rect().contains(x, y) && image.pixelColor(x, y) == colour;
        return n;
    }
    // Pixels of text drawn in a saturated colour: smoothed edges keep its hue.
    static int countHue(const QImage& image, const QRect& area, const QColor& colour)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor p = image.rect().contains(x, y) ? image.pixelColor(x, y) : QColor();
                n += p.isValid() && p.hsvSaturation() > 100 && qAbs(p.hsvHue() - colour.hsvHue()) < 10;
            }
        return n;
    }
    static void press(QWidget* w, int key, const QString& text = {})
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(w, &event);
    }

private slots:
    void rowsAndParagraphs()
    {
        Editor ed(QStringLiteral("first\n") + QString(25, QLatin1Char('x')) + QStringLiteral("\nlast"));
        const int tenColumns = qCeil(ed.e.rowLayout().width(QStringLiteral("xxxxxxxxxx"), 10));
        ed.e.setWrap(QpeEditor::WrapMode::FixedWidth, false, tenColumns);
        QCOMPARE(ed.e.numRows(), 5); // the second paragraph wraps over three rows
        const int paragraphOfRow[] = {0, 1, 1, 1, 2};
        for (int row = 0; row < 5; ++row)
            QCOMPARE(ed.e.Row2CRLineNumber(row), paragraphOfRow[row]);
        QCOMPARE(ed.e.Row2CRLineNumber(99), 2);
        QCOMPARE(ed.e.Line2WrapLineNumber(1), 1);
        QCOMPARE(ed.e.Line2WrapLineNumber(2), 4);
        QCOMPARE(ed.e.Line2WrapLineNumber(3), -1);
        QCOMPARE(ed.e.rowText(1) + ed.e.rowText(2) + ed.e.rowText(3), QString(25, QLatin1Char('x')));
        ed.e.setCursorPosition(3, 2);
        QCOMPARE(ed.e.cursorRow(), 3);
        QCOMPARE(ed.e.cursorColumn(), 2);
        ed.e.setCursorPosition(1, 99); // the end of a wrapped row is a place of its own
        QCOMPARE(ed.e.cursorRow(), 1);
        QCOMPARE(ed.e.cursorColumn(), 10);
    }

    // LineNumber 2 shows the last two digits: row 100 reads "01" as row 0 does, row 99 "00".
    void lineNumbersInTheMargin()
    {
        QStringList lines;
        for (int i = 0; i < 120; ++i)
            lines << QStringLiteral("x");
        Editor ed(lines.join(QLatin1Char('\n')), [](EditorSettings& s) { s.LineNumber = 2; });
        const int h = ed.e.rowHeight();
        const QRect digits(0, 0, ed.e.horizontalMargin() - 5, h);
        const QImage first = ed.shot().copy(digits);
        QVERIFY(count(first, first.rect(), QColor(0, 128, 128)) > 0);
        ed.e.setTopRow(100);
        QCOMPARE(ed.shot().copy(digits), first);
        ed.e.setTopRow(99);
        QVERIFY(ed.shot().copy(digits) != first);

        // By paragraph: only a paragraph's first row has a number; every row has the line.
        Editor wrapped(QString(30, QLatin1Char('x')), [](EditorSettings& s) {
            s.LineNumber = 2;
            s.LineNumberCr = true;
        });
        wrapped.e.setWrap(QpeEditor::WrapMode::FixedWidth, false, qCeil(wrapped.e.rowLayout().width(QStringLiteral("xxxxxxxxxx"), 10)));
        const QImage image = wrapped.shot();
        const int margin = wrapped.e.horizontalMargin();
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(count(image, QRect(0, row * h, margin - 5, h), QColor(0, 128, 128)) > 0, row == 0);
            QVERIFY(count(image, QRect(margin - 5, row * h, 1, h), QColor(128, 128, 128)) > 0);
        }
    }

    void marksByMode_data()
    {
        QTest::addColumn<int>("mode");
        for (int mode = 0; mode <= 4; ++mode)
            QTest::addRow("mode %d", mode) << mode;
    }

    void marksByMode()
    {
        QFETCH(int, mode);
        const QColor magenta(255, 0, 255);
        Editor ed(QStringLiteral("a\tb") + QChar(0x3000) + QStringLiteral("c\nd"), [mode](EditorSettings& s) { s.CRMarkDisp = mode; });
        const QImage image = ed.shot();
        const int h = ed.e.rowHeight();
        const int m = ed.e.horizontalMargin();
        const RowLayout& layout = ed.e.rowLayout();
        const QString row = QStringLiteral("a\tb") + QChar(0x3000) + QStringLiteral("c");
        const int tab = m + int(layout.width(row, 1));
        const int space = m + int(layout.width(row, 3));
        const int end = m + int(layout.width(row, 5));
        // Each mark stands where its character begins (the line end where the text ends),
        // give or take the first character's bearing.
        const int tabMarks = count(image, QRect(tab - 2, 0, 12, h), magenta);
        const int spaceMarks = count(image, QRect(space - 2, 0, 14, h), magenta);
        const int endMarks = count(image, QRect(end - 2, 0, 12, h), magenta);
        const int lastMarks = count(image, QRect(m + int(layout.width(QStringLiteral("d"), 1)) - 2, h, 12, h), magenta);
        if (mode == 0) {
            QCOMPARE(tabMarks + spaceMarks + endMarks + lastMarks, 0);
            return;
        }
        QVERIFY(tabMarks > 0 && spaceMarks > 0 && endMarks > 0);
        QCOMPARE(lastMarks, 36); // the end-of-text triangle
        // Modes 2 and 4 draw the heavy marks, 3 and 4 the wide line end.
        const int heavy[] = {0, 6, 12, 6, 12};
        const int lineEnd[] = {0, 13, 23, 17, 32};
        QCOMPARE(tabMarks, heavy[mode]);
        QCOMPARE(endMarks, lineEnd[mode]);
    }

    void cursorShapes_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 1; style <= 9; ++style)
            QTest::addRow("style %d", style) << style;
    }

    void cursorShapes()
    {
        QFETCH(int, style);
        Editor ed(QStringLiteral("MMMM"), [style](EditorSettings& s) { s.CursorWidth = style; });
        QVERIFY(QTest::qWaitForWindowActive(&ed.e));
        ed.e.setCursorPosition(0, 1);
        const QImage image = ed.shot();
        const QColor red(255, 0, 0);
        const int a = ed.cursorX();
        const int b = a + int(ed.e.rowLayout().width(QStringLiteral("M"), 1));
        const int h = QFontMetrics(ed.e.font()).height();
        switch (style) {
        case 6: // an outline from a - 1 to b
            QVERIFY(near(image, a - 1, 0, red) && near(image, b, h - 3, red));
            QVERIFY(!near(image, (a + b) / 2, h / 2, red));
            break;
        case 7: // a box from a to b, the character white inside
            QVERIFY(count(image, QRect(a, 0, b - a, h - 1), red) > (b - a) * (h - 1) / 3);
            QVERIFY(count(image, QRect(a, 0, b - a, h - 1), Qt::white) > 0);
            break;
        case 8: // a bar with serifs at the top and bottom
            QVERIFY(near(image, a - 5, 1, red) && near(image, a + 2, h - 3, red));
            QVERIFY(near(image, a, h / 2, red) && !near(image, a - 5, h / 2, red));
            break;
        case 9: // a slash from the top right to the bottom left
            QVERIFY(near(image, a + 2, 1, red) && near(image, a - 2, h - 3, red));
            QVERIFY(!near(image, a + 2, h - 3, red));
            break;
        default: { // a bar as many pixels wide as the style says
            int columns = 0;
            for (int x = a - 3; x < a + 8; ++x)
                columns += image.pixelColor(x, h / 2) == red;
            QCOMPARE(columns, style);
        }
        }
        // In overwrite mode the cursor is dark gray.
        ed.e.setOverWriteWhich(1);
        ed.e.setCursorPosition(0, 1);
        const QImage over = ed.shot();
        QCOMPARE(count(over, over.rect(), red), 0);
        QVERIFY(count(over, over.rect(), QColor(128, 128, 128)) > 0);
    }

    void cursorLineSelectionGuidesAndJumpMark()
    {
        Editor ed(QStringLiteral("abc\ndef"), [](EditorSettings& s) {
            s.CursorDraw = 1;
            s.CursorColor = 3;   // blue
            s.SelectedColor = 2; // dark red
            s.VerticalLine = 1;  // every ten columns
        });
        QVERIFY(QTest::qWaitForWindowActive(&ed.e));
        const int h = ed.e.rowHeight();
        const int m = ed.e.horizontalMargin();
        // Select "bc" of the first row, to its end: the highlight runs 3 pixels past the text.
        ed.e.setSelection(1, 3);
        ed.e.setJumpMark(1, 2);
        const QImage image = ed.shot();
        const QColor darkRed(128, 0, 0);
        const int textEnd = m + int(ed.e.rowLayout().width(QStringLiteral("abc"), 3));
        QVERIFY(near(image, textEnd + 1, h / 2, darkRed));
        QVERIFY(!near(image, textEnd + 4, h / 2, darkRed));
        QVERIFY(!near(image, m + 1, h / 2, darkRed)); // "a" is not selected
        // The cursor line under the cursor's row, across the widget.
        for (const int x : {5, 100, 300})
            QCOMPARE(image.pixelColor(x, h - 1), QColor(Qt::blue));
        // The guide line ten widths of "x" right of the margin, dotted.
        const int guide = m + 10 * QFontMetrics(ed.e.font()).horizontalAdvance(QLatin1Char('x'));
        QVERIFY(count(image, QRect(guide, 0, 1, h), QColor(128, 128, 0)) > 0);
        // The jump mark on row 1, column 2.
        const int mark = m + int(ed.e.rowLayout().width(QStringLiteral("de"), 2)) - 2;
        QVERIFY(count(image, QRect(mark, h, 12, 14), QColor(255, 255, 0)) > 0);
        QCOMPARE(count(image, QRect(0, 0, image.width(), h), QColor(255, 255, 0)), 0);
    }

    void colours()
    {
        Editor ed(QStringLiteral("WW if\n") + QString::fromUtf8("日本"), [](EditorSettings& s) {
            s.fileInfo[0].charColor = 2; // half-width characters red
            s.fileInfo[0].word1 = QStringLiteral("if");
            s.fileInfo[0].color1 = 3; // green
        });
        ed.e.setFileType(0);
        const QImage image = ed.shot();
        const int h = ed.e.rowHeight();
        const int m = ed.e.horizontalMargin();
        const int ww = int(ed.e.rowLayout().width(QStringLiteral("WW "), 3));
        QVERIFY(countHue(image, QRect(m, 0, ww, h), Qt::red) > 0);
        QVERIFY(countHue(image, QRect(m + ww, 0, 20, h), Qt::green) > 0);
        QCOMPARE(countHue(image, QRect(m + ww, 0, 20, h), Qt::red), 0);
        QCOMPARE(countHue(image, QRect(0, h, 400, h), Qt::red), 0); // full-width text keeps its colour
        // Every other file is not coloured.
        ed.e.setFileType(6);
        QCOMPARE(countHue(ed.shot(), QRect(m + ww, 0, 20, h), Qt::green), 0);
    }

    void characterClasses()
    {
        const struct {
            const char* ch;
            int type;
        } cases[] = {{"\t", 1}, {" ", 2},  {"\x01", 41}, {"5", 11}, {"Q", 12}, {"q", 13}, {"#", 21},
                     {"ｱ", 31}, {"　", 301}, {"５", 101}, {"Ｑ", 102}, {"ｑ", 103}, {"あ", 601}, {"ゞ", 601},
                     {"ア", 401}, {"ヾ", 401}, {"、", 501}, {"！", 201}, {"漢", 602}};
        for (const auto& c : cases)
            QVERIFY2(QpeEditor::getCharType(QString::fromUtf8(c.ch).at(0)) == c.type, c.ch);
    }

    void wordSelection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<bool>("separate");
        QTest::addColumn<QString>("selected");
        QTest::newRow("letters and digits") << "abc123 def" << 4 << false << "abc123";
        QTest::newRow("on white space: the next word") << "ab   cd" << 3 << false << "cd";
        QTest::newRow("kana and kanji together") << QString::fromUtf8("はい漢字です") << 1 << false << QString::fromUtf8("はい漢字です");
        QTest::newRow("kana and kanji apart") << QString::fromUtf8("はい漢字です") << 1 << true << QString::fromUtf8("はい");
        QTest::newRow("full-width letters and digits") << QString::fromUtf8("ＡＢ１２。") << 0 << false << QString::fromUtf8("ＡＢ１２");
    }

    void wordSelection()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(bool, separate);
        QFETCH(QString, selected);
        Editor ed(text, [separate](EditorSettings& s) { s.SeparateKanaKanji = separate; });
        ed.e.setCursorPosition(0, cursor);
        ed.e.autoSelectWords();
        QCOMPARE(ed.e.selectedText(), selected);
    }

    void wordSelectionCrossesTheWrap()
    {
        Editor ed(QStringLiteral("abcdefghij klm"));
        ed.e.setWrap(QpeEditor::WrapMode::FixedWidth, false, qCeil(ed.e.rowLayout().width(QStringLiteral("abcde"), 5)));
        ed.e.setCursorPosition(0, 1);
        ed.e.autoSelectWords();
        QCOMPARE(ed.e.selectedText(), QStringLiteral("abcdefghij"));
    }

    void autoIndent()
    {
        const QString indent = QStringLiteral("\t") + QChar(0x3000) + QChar(0x3000);
        Editor ed(indent + QStringLiteral("x"), [](EditorSettings& s) { s.AutoIndent = true; });
        ed.e.setCursorPosition(0, 4);
        press(&ed.e, Qt::Key_Return);
        QCOMPARE(ed.e.text(), indent + QStringLiteral("x\n") + indent);
        QCOMPARE(ed.e.cursorColumn(), 3);
        ed.e.undo(); // the new line and its indent are one step
        QCOMPARE(ed.e.text(), indent + QStringLiteral("x"));
    }
};

QTEST_MAIN(TstQpeEditor)
#include "tst_qpeeditor.moc"
