#pragma once

#include <QColor>
#include <QRegularExpression>
#include <QStringList>

#include <functional>
#include <vector>

// The keyword and comment colouring of one display row. A row is searched together
// with up to 30 characters of the rows before and after it in the same line (its
// context), so that a keyword broken by the wrap is still found; only what lies in
// the row itself is coloured. Keywords and the comment start are plain,
// case-sensitive texts or regular expressions.
class KeywordColouring
{
public:
    static constexpr int Context = 30;

    struct Rules
    {
        QStringList keywords[3];
        QColor keywordColour[3];
        bool keywordOn[3] = {false, false, false};
        QString comment;
        QColor commentColour;
        bool commentOn = false;
        bool regExp = false;
    };

    void setRules(const Rules& rules);
    // Whether a row may get any colour at all.
    bool isActive() const;

    // The first hit of the comment start in a line: its position and length, or -1.
    std::pair<qsizetype, qsizetype> firstComment(QStringView line) const;
    // Whether the comment starts before `offset` of a line whose first hit is `first`:
    // the row starting there is then comment as a whole. head gives the line's text
    // from the hit to offset, asked for only when the hit runs past offset.
    bool commentBefore(std::pair<qsizetype, qsizetype> first, qsizetype offset, const std::function<QString()>& head) const;

    // Colours the characters [rowStart, rowEnd) of a search text (context before, the
    // row, context after) into colours, one per row character.
    void colour(QStringView text, qsizetype rowStart, qsizetype rowEnd, bool commentBefore,
                std::vector<QRgb>& colours) const;

private:
    struct Hit
    {
        qsizetype pos;
        qsizetype length;
    };
    // The first hit at or after from; pos -1 when there is none.
    Hit find(QStringView text, qsizetype from, const QString& plain, const QRegularExpression& expression) const;

    Rules m_rules;
    std::vector<QRegularExpression> m_expressions[3];
    QRegularExpression m_commentExpression;
};
