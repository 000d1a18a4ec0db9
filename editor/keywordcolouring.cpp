#include "keywordcolouring.h"

void KeywordColouring::setRules(const Rules& rules)
{
    m_rules = rules;
    for (int list = 0; list < 3; ++list) {
        m_expressions[list].clear();
        if (!rules.regExp)
            continue;
        for (const QString& keyword : rules.keywords[list])
            m_expressions[list].emplace_back(keyword);
    }
    m_commentExpression = rules.regExp ? QRegularExpression(rules.comment) : QRegularExpression();
}

bool KeywordColouring::isActive() const
{
    for (int list = 0; list < 3; ++list)
        if (m_rules.keywordOn[list] && !m_rules.keywords[list].isEmpty())
            return true;
    return m_rules.commentOn;
}

KeywordColouring::Hit KeywordColouring::find(QStringView text, qsizetype from, const QString& plain,
                                             const QRegularExpression& expression) const
{
    if (!m_rules.regExp) {
        const qsizetype pos = text.indexOf(plain, from);
        return {pos, plain.size()};
    }
    // A leading caret anchors at the start of the search text only; an invalid
    // expression matches nothing.
    if ((plain.startsWith(QLatin1Char('^')) && from > 0) || !expression.isValid())
        return {-1, 0};
    const QRegularExpressionMatch match = expression.match(text, from);
    if (!match.hasMatch())
        return {-1, 0};
    return {match.capturedStart(), match.capturedLength()};
}

std::pair<qsizetype, qsizetype> KeywordColouring::firstComment(QStringView line) const
{
    if (!m_rules.commentOn || m_rules.comment.isEmpty())
        return {-1, 0};
    const Hit hit = find(line, 0, m_rules.comment, m_commentExpression);
    return {hit.pos, hit.length};
}

bool KeywordColouring::commentBefore(std::pair<qsizetype, qsizetype> first, qsizetype offset,
                                     const std::function<QString()>& head) const
{
    if (first.first < 0 || first.first >= offset)
        return false;
    if (first.first + first.second <= offset)
        return true;
    // The first hit runs into this row; an expression may still match within the rows before.
    if (!m_rules.regExp)
        return false;
    return find(head(), 0, m_rules.comment, m_commentExpression).pos >= 0;
}

void KeywordColouring::colour(QStringView text, qsizetype rowStart, qsizetype rowEnd, bool commentBefore,
                              std::vector<QRgb>& colours) const
{
    auto paint = [&](qsizetype from, qsizetype to, const QColor& colour) {
        from = qMax(from, rowStart);
        to = qMin(to, rowEnd);
        for (qsizetype i = from; i < to; ++i)
            colours[size_t(i - rowStart)] = colour.rgb();
    };

    qsizetype searchEnd = text.size();
    if (m_rules.commentOn && !m_rules.comment.isEmpty()) {
        if (commentBefore) {
            paint(rowStart, rowEnd, m_rules.commentColour);
            return;
        }
        const Hit hit = find(text, 0, m_rules.comment, m_commentExpression);
        if (hit.pos >= 0 && hit.pos <= rowEnd) {
            paint(hit.pos, rowEnd, m_rules.commentColour);
            // No keyword is coloured inside the comment.
            searchEnd = qMax(hit.pos, rowStart);
        }
    }
    const QStringView searched = text.first(searchEnd);

    for (int list = 0; list < 3; ++list) {
        if (!m_rules.keywordOn[list])
            continue;
        const QStringList& keywords = m_rules.keywords[list];
        for (qsizetype k = 0; k < keywords.size(); ++k) {
            const QRegularExpression none;
            const QRegularExpression& expression = m_rules.regExp ? m_expressions[list][size_t(k)] : none;
            for (qsizetype from = 0; from <= searched.size();) {
                const Hit hit = find(searched, from, keywords.at(k), expression);
                if (hit.pos < 0 || hit.pos > rowEnd)
                    break;
                if (hit.pos + hit.length > rowStart)
                    paint(hit.pos, hit.pos + hit.length, m_rules.keywordColour[list]);
                // An empty hit moves on by one character, so that the search ends.
                from = hit.pos + qMax<qsizetype>(1, hit.length);
            }
        }
    }
}
