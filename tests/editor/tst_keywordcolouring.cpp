#include "keywordcolouring.h"

#include <QTest>

// The colouring rules on real rows: a row is given with its context as "before|row|after"
// and its colours are written one letter per character: "." none, "1" to "3" the
// keyword lists, "c" the comment.
class TstKeywordColouring : public QObject
{
    Q_OBJECT

private:
    static QString coloured(const KeywordColouring& colouring, const QString& text, bool commentBefore)
    {
        const qsizetype start = text.indexOf(QLatin1Char('|'));
        const qsizetype end = text.lastIndexOf(QLatin1Char('|')) - 1;
        QString search = text;
        search.remove(QLatin1Char('|'));
        std::vector<QRgb> colours(size_t(end - start), 0);
        colouring.colour(search, start, end, commentBefore, colours);
        QString letters;
        for (const QRgb c : colours)
            letters += c == 0 ? QLatin1Char('.') : c == qRgb(0, 0, 99) ? QLatin1Char('c') : QChar(u'0' + qRed(c));
        return letters;
    }

private slots:
    void rows_data()
    {
        QTest::addColumn<bool>("regExp");
        QTest::addColumn<QString>("list1");
        QTest::addColumn<QString>("list2");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("expected");

        QTest::newRow("keywords at the start and the end") << false << "if end" << "" << "" << "|if x end|" << "11...111";
        QTest::newRow("every hit, case-sensitive") << false << "ab" << "" << "" << "|abAbab|" << "11..11";
        QTest::newRow("broken by the wrap: coloured from column 0") << false << "return" << "" << "" << "x retu|rn 1|" << "11..";
        QTest::newRow("broken by the wrap: coloured to the end") << false << "return" << "" << "" << "|x retu|rn 1" << "..1111";
        QTest::newRow("later lists paint over earlier ones") << false << "abc" << "b" << "" << "|abc|" << "121";
        QTest::newRow("comment to the row's end, no keywords inside") << false << "if" << "" << "//" << "|if // if|" << "11.ccccc";
        QTest::newRow("comment begun in the context before") << false << "if" << "" << "//" << "x /|/ if|" << "cccc";
        QTest::newRow("comment in the context after only") << false << "if" << "" << "//" << "|if |// x" << "11.";
        QTest::newRow("regular expression") << true << "[0-9]+" << "" << "" << "|a12b3|" << ".11.1";
        QTest::newRow("caret: only at the start of the search text") << true << "^#" << "" << "" << "|#a#|" << "1..";
        QTest::newRow("caret after context: nothing") << true << "^#" << "" << "" << "x|#a|" << "..";
        QTest::newRow("empty matches end the search") << true << "x*" << "" << "" << "|axxb|" << ".11.";
        QTest::newRow("invalid expression colours nothing") << true << "(" << "" << "" << "|(a)|" << "...";
        QTest::newRow("comment expression") << true << "" << "" << "#.*$" << "|a # b|" << "..ccc";
    }

    void rows()
    {
        QFETCH(bool, regExp);
        QFETCH(QString, list1);
        QFETCH(QString, list2);
        QFETCH(QString, comment);
        QFETCH(QString, row);
        QFETCH(QString, expected);
        KeywordColouring::Rules rules;
        rules.regExp = regExp;
        rules.keywords[0] = list1.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        rules.keywords[1] = list2.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        rules.keywordOn[0] = rules.keywordOn[1] = true;
        rules.keywordColour[0] = QColor(1, 0, 0);
        rules.keywordColour[1] = QColor(2, 0, 0);
        rules.comment = comment;
        rules.commentOn = true;
        rules.commentColour = QColor(0, 0, 99);
        KeywordColouring colouring;
        colouring.setRules(rules);
        QCOMPARE(coloured(colouring, row, false), expected);
    }

    void commentInAnEarlierRowColoursTheWholeRow()
    {
        KeywordColouring::Rules rules;
        rules.keywords[0] = QStringList{QStringLiteral("if")};
        rules.keywordOn[0] = true;
        rules.keywordColour[0] = QColor(1, 0, 0);
        rules.comment = QStringLiteral("//");
        rules.commentOn = true;
        rules.commentColour = QColor(0, 0, 99);
        KeywordColouring colouring;
        colouring.setRules(rules);
        // A line wrapped after "a // b" and after "c if": its rows start at 0, 6 and 10.
        const QString line = QStringLiteral("a // bc if d if");
        const auto first = colouring.firstComment(line);
        const auto head = [&](qsizetype offset) { return [&, offset] { return line.mid(first.first, offset - first.first); }; };
        QVERIFY(!colouring.commentBefore(first, 0, head(0)));
        QVERIFY(colouring.commentBefore(first, 6, head(6)));
        QVERIFY(!colouring.commentBefore(first, 3, head(3))); // the comment start is cut by the wrap
        QCOMPARE(coloured(colouring, QStringLiteral("|d if|"), true), QStringLiteral("cccc"));
    }
};

QTEST_GUILESS_MAIN(TstKeywordColouring)
#include "tst_keywordcolouring.moc"
