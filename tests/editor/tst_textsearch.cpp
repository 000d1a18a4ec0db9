#include "textsearch.h"

#include <QtTest>

// The search engine on texts held as the editor holds them: matches stay within a
// paragraph, "^" and "$" anchor at paragraph ends, case folds as the toolkit folds,
// and long texts, the buffer's gap and empty matches are handled.
class TestTextSearch : public QObject
{
    Q_OBJECT

private:
    static TextBuffer bufferOf(const QString& text)
    {
        TextBuffer b;
        b.insert(0, text);
        return b;
    }

    static QString at(const TextBuffer& b, const TextSearch::Match& m)
    {
        return m ? b.text(m.pos, m.length) : QStringLiteral("(none)");
    }

    // A search in text for needle from a position, and the match expected (pos -1: none).
    static void addColumns()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("length");
    }

    // Runs the current row of forward_data or backward_data.
    void find(bool backward)
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(int, mode);
        QFETCH(int, from);
        QFETCH(int, pos);
        QFETCH(int, length);
        const TextBuffer b = bufferOf(text);
        const TextSearch search(needle, mode);
        const TextSearch::Match m = backward ? search.findBackward(b, from) : search.findForward(b, from);
        QCOMPARE(m.pos, qsizetype(pos));
        if (m)
            QCOMPARE(m.length, qsizetype(length));
    }

private slots:
    void forward_data()
    {
        addColumns();
        QTest::newRow("case-sensitive") << "abc ABC abc" << "ABC" << 2 << 0 << 4 << 3;
        QTest::newRow("from the cursor") << "abc ABC abc" << "abc" << 2 << 1 << 8 << 3;
        QTest::newRow("any case") << "xx AbC" << "aBc" << 0 << 0 << 3 << 3;
        QTest::newRow("any case, Greek") << QString::fromUtf16(u"\u03a3\u038a\u03a3\u03a5\u03a6\u039f\u03a3 x")
                                         << QString::fromUtf16(u"\u03c3\u03af\u03c3\u03c5\u03c6\u03bf\u03c2") << 0 << 0
                                         << 0 << 7;
        QTest::newRow("any case, Kelvin sign") << QString::fromUtf16(u"xx\u212aelvin") << "kelvin" << 0 << 0 << 2 << 6;
        QTest::newRow("any case, full width") << QString::fromUtf16(u"\u3042\uff21\uff22") << QString::fromUtf16(u"\uff41\uff42")
                                              << 0 << 0 << 1 << 2;
        QTest::newRow("any case, astral letters") << QString::fromUtf16(u"a\U00010400b") << QString::fromUtf16(u"\U00010428b")
                                                  << 0 << 0 << 1 << 3;
        QTest::newRow("case-sensitive, astral") << QString::fromUtf16(u"a\U00010400b") << QString::fromUtf16(u"\U00010428")
                                                << 2 << 0 << -1 << 0;
        QTest::newRow("never across a line end") << "ab\ncd" << "b\ncd" << 2 << 0 << -1 << 0;
        QTest::newRow("not the CR of CR LF") << "ab\r\nab\r" << "b\r" << 2 << 0 << 5 << 2;
        QTest::newRow("a lone CR is text") << "a\rb\n" << "a\rb" << 2 << 0 << 0 << 3;
        QTest::newRow("past the end") << "abc" << "c" << 2 << 4 << -1 << 0;
        QTest::newRow("expression, case counts") << "ABC abc" << "[a-c]+" << 1 << 0 << 4 << 3;
        QTest::newRow("^ at a paragraph start") << "xab\nab" << "^ab" << 1 << 0 << 4 << 2;
        QTest::newRow("^ not after the cursor's column") << "ab\nab" << "^ab" << 1 << 1 << 3 << 2;
        QTest::newRow("$ at a paragraph end") << "abx\nab" << "ab$" << 1 << 0 << 4 << 2;
        QTest::newRow("$ before CR LF") << "xab\r\nab" << "ab$" << 1 << 0 << 1 << 2;
        QTest::newRow("^$ an empty paragraph") << "a\n\nb" << "^$" << 1 << 0 << 2 << 0;
        QTest::newRow("^ the empty last paragraph") << "a\nb\n" << "^" << 1 << 3 << 4 << 0;
        QTest::newRow("^ in an empty text") << "" << "^$" << 1 << 0 << 0 << 0;
        QTest::newRow("expression within its paragraph") << "ab\ncd" << "b\\sc" << 1 << 0 << -1 << 0;
        QTest::newRow("reaching past the line: the line alone") << "ab \ncb x" << "b\\s+" << 1 << 0 << 1 << 2;
        QTest::newRow("dot stops at the line end") << "ab\r\ncd" << "b.*" << 1 << 0 << 1 << 1;
        QTest::newRow("empty match") << "abc" << "x*" << 1 << 1 << 1 << 0;
        QTest::newRow("word characters of any script") << QString::fromUtf16(u"\u65e5\u672c\u8a9e abc") << "\\w+" << 1 << 0
                                                        << 0 << 3;
        QTest::newRow("invalid expression") << "a(b" << "a(" << 1 << 0 << -1 << 0;
    }

    void forward() { find(false); }

    void backward_data()
    {
        addColumns();
        QTest::newRow("last start at or before") << "ab ab ab" << "ab" << 2 << 5 << 3 << 2;
        QTest::newRow("a match starting at from") << "ab ab ab" << "ab" << 2 << 6 << 6 << 2;
        QTest::newRow("nothing before") << "xx ab" << "ab" << 2 << 2 << -1 << 0;
        QTest::newRow("expression: the match at its start") << "aaa" << "a+" << 1 << 2 << 2 << 1;
        QTest::newRow("expression in an earlier paragraph") << "ab1\nxx\nyy" << "[0-9]$" << 1 << 9 << 2 << 1;
        QTest::newRow("^ skips later columns") << "abc\nabc" << "^b" << 1 << 6 << -1 << 0;
        QTest::newRow("^ the empty last paragraph") << "a\nb\n" << "^" << 1 << 4 << 4 << 0;
    }

    void backward() { find(true); }

    void longTexts()
    {
        // Far beyond the blocks and windows the searches read at a time, with their
        // edges falling on every kind of line.
        QString text;
        for (int i = 0; i < 60000; ++i)
            text += i % 7 == 0 ? QStringLiteral("\n") : QStringLiteral("line %1 of text\n").arg(i);
        text += QStringLiteral("needle 12345 at the end");
        const TextBuffer b = bufferOf(text);
        const qsizetype last = text.lastIndexOf(QLatin1String("needle"));
        for (const int mode : {0, 1, 2}) {
            const TextSearch::Match m = TextSearch(QStringLiteral("NEEDLE"), mode).findForward(b, 10);
            QCOMPARE(m.pos, mode == 0 ? last : qsizetype(-1));
        }
        QCOMPARE(TextSearch(QStringLiteral("needle [0-9]{5}"), 1).findForward(b, 0).pos, last);
        QCOMPARE(TextSearch(QStringLiteral("line 5 of"), 2).findBackward(b, b.size()).pos,
                 text.indexOf(QLatin1String("line 5 of")));
        // Empty paragraphs are found wherever the windows end; none is invented at a window's edge.
        const TextSearch empty(QStringLiteral("^$"), 1);
        int found = 0;
        for (TextSearch::Match m = empty.findForward(b, 0); m; m = empty.findForward(b, TextSearch::after(b, m))) {
            QVERIFY2(b.lineLength(b.lineOf(m.pos)) == 0, qPrintable(QString::number(m.pos)));
            ++found;
        }
        QCOMPARE(found, 60000 / 7 + 1);
    }

    void oneLongLine()
    {
        // Every match of a paragraph longer than the windows, plain and as an expression.
        const TextBuffer b = bufferOf(QStringLiteral("ab,").repeated(100000) + QStringLiteral("\r\n"));
        for (const auto& [needle, mode] : {std::pair{QStringLiteral("B,"), 0}, std::pair{QStringLiteral("b,|x$"), 1}}) {
            qsizetype count = 0;
            bool evenlySpaced = true;
            TextSearch(needle, mode).forEachMatch(b, 0, [&](const TextSearch::Match& m) {
                evenlySpaced = evenlySpaced && m.pos == 3 * count + 1 && m.length == 2;
                ++count;
                return true;
            });
            QVERIFY(evenlySpaced);
            QCOMPARE(count, qsizetype(100000));
        }
    }

    void aroundTheGap()
    {
        // An edit leaves the buffer's gap inside a line: a match across it is found.
        TextBuffer b = bufferOf(QStringLiteral("first line\nhello world\nlast line\n"));
        b.insert(19, QStringLiteral("X"));
        QCOMPARE(at(b, TextSearch(QStringLiteral("woXrld"), 2).findForward(b, 0)), QStringLiteral("woXrld"));
        QCOMPARE(at(b, TextSearch(QStringLiteral("WOXRLD"), 0).findBackward(b, b.size())), QStringLiteral("woXrld"));
        QCOMPARE(at(b, TextSearch(QStringLiteral("^hello.*$"), 1).findForward(b, 0)), QStringLiteral("hello woXrld"));
        QCOMPARE(at(b, TextSearch(QStringLiteral("last"), 2).findForward(b, 0)), QStringLiteral("last"));
        QCOMPARE(at(b, TextSearch(QStringLiteral("first"), 2).findBackward(b, b.size())), QStringLiteral("first"));
    }

    void afterAMatch()
    {
        const TextBuffer b = bufferOf(QString::fromUtf16(u"a\U0001F600b"));
        QCOMPARE(TextSearch::after(b, {0, 1}), qsizetype(1));
        QCOMPARE(TextSearch::after(b, {1, 0}), qsizetype(3)); // past the whole pair
        QCOMPARE(TextSearch::after(b, {3, 0}), qsizetype(4));
    }

    void invalidExpression()
    {
        const TextSearch search(QStringLiteral("a("), 1);
        QVERIFY(!search.isValid());
        QVERIFY(!search.errorString().isEmpty());
        QVERIFY(TextSearch(QStringLiteral("a("), 0).isValid());
        QVERIFY(TextSearch(QString(), 2).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
