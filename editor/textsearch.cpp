#include "textsearch.h"

#include <vector>

namespace {
// Backward searches look at blocks of lines before the start, growing up to this size.
constexpr qsizetype firstBlock = 4096;
constexpr qsizetype largestBlock = 4 << 20;
// Regular expressions are matched in windows of lines growing from this size.
constexpr qsizetype firstWindow = 4096;
constexpr qsizetype largestWindow = 1 << 20;

bool isPair(QStringView text, qsizetype pos)
{
    return pos + 1 < text.size() && text[pos].isHighSurrogate() && text[pos + 1].isLowSurrogate();
}

// The position one character after pos.
qsizetype nextCharacter(QStringView text, qsizetype pos)
{
    return pos + (isPair(text, pos) ? 2 : 1);
}

// Where the search goes on after a match: its end, or one character further after an empty one.
qsizetype afterMatch(QStringView text, const TextSearch::Match& m)
{
    return m.length > 0 ? m.pos + m.length : nextCharacter(text, m.pos);
}

// A part of the text [begin, end) (both at line boundaries) as views of whole lines:
// the lines before the buffer's gap, the line the gap splits, and the lines after
// it. Only the split line is copied, and only when its view is asked for.
class LineParts
{
public:
    LineParts(const TextBuffer& text, qsizetype begin, qsizetype end) : m_text(text)
    {
        const auto pieces = text.pieces(begin, end - begin);
        const qsizetype split = begin + pieces[0].size();
        const qsizetype lineBegin = pieces[1].isEmpty() ? split : qMax(begin, text.lineStart(text.lineOf(split)));
        if (lineBegin == split) {
            add(begin, pieces[0]);
            add(split, pieces[1]);
            return;
        }
        const int line = text.lineOf(split);
        const qsizetype lineEnd = qMin(end, line + 1 < text.lineCount() ? text.lineStart(line + 1) : text.size());
        add(begin, pieces[0].first(lineBegin - begin));
        m_parts.push_back({lineBegin, QStringView(), lineEnd - lineBegin});
        add(lineEnd, pieces[1].sliced(lineEnd - split));
    }

    int count() const { return int(m_parts.size()); }
    qsizetype base(int i) const { return m_parts[size_t(i)].base; }
    QStringView view(int i)
    {
        Part& part = m_parts[size_t(i)];
        if (part.copied > 0 && m_copy.isNull()) {
            m_copy = m_text.text(part.base, part.copied);
            part.view = m_copy;
        }
        return part.view;
    }

private:
    struct Part
    {
        qsizetype base;
        QStringView view;
        qsizetype copied; // length of a part still to be copied
    };
    void add(qsizetype base, QStringView view)
    {
        if (!view.isEmpty())
            m_parts.push_back({base, view, 0});
    }

    const TextBuffer& m_text;
    std::vector<Part> m_parts;
    QString m_copy;
};
} // namespace

TextSearch::TextSearch(const QString& needle, int mode) : m_needle(needle), m_regExp(mode & 1)
{
    if (m_regExp) {
        // Lines end in LF or CR LF: "$" matches before either, "." matches neither.
        // Character classes are Unicode's, as the toolkit's expressions always had them.
        m_expression.setPattern(QStringLiteral("(*ANYCRLF)") + needle);
        m_expression.setPatternOptions(QRegularExpression::MultilineOption
                                       | QRegularExpression::UseUnicodePropertiesOption);
        if (m_expression.isValid())
            m_expression.optimize();
        return;
    }
    m_never = needle.contains(QLatin1Char('\n'));
    m_word = WordFinder(needle, mode != 2 && mode != 3);
}

qsizetype TextSearch::after(const TextBuffer& text, const Match& m)
{
    if (m.length > 0)
        return m.pos + m.length;
    const bool pair = m.pos + 1 < text.size() && text.at(m.pos).isHighSurrogate() && text.at(m.pos + 1).isLowSurrogate();
    return m.pos + (pair ? 2 : 1);
}

TextSearch::Match TextSearch::findForward(const TextBuffer& text, qsizetype from) const
{
    Match first;
    forEachMatch(text, from, [&first](const Match& m) {
        first = m;
        return false;
    });
    return first;
}

void TextSearch::forEachMatch(const TextBuffer& text, qsizetype from, const Visit& visit) const
{
    if (isEmpty() || !isValid() || m_never || from > text.size())
        return;
    from = qMax<qsizetype>(0, from);
    LineParts parts(text, text.lineStart(text.lineOf(from)), text.size());
    for (int i = 0; i < parts.count(); ++i) {
        const qsizetype base = parts.base(i);
        bool more = true;
        forEachIn(parts.view(i), qMax(from, base) - base, false, [&](const Match& m) {
            return more = visit({m.pos + base, m.length});
        });
        if (!more)
            return;
    }
    if (emptyLastLineMatches(text))
        visit({text.size(), 0});
}

TextSearch::Match TextSearch::findBackward(const TextBuffer& text, qsizetype from) const
{
    if (isEmpty() || !isValid() || m_never || from < 0)
        return {};
    from = qMin(from, text.size());
    if (from == text.size() && emptyLastLineMatches(text))
        return {text.size(), 0};
    const int line = text.lineOf(from);
    LineParts parts(text, 0, line + 1 < text.lineCount() ? text.lineStart(line + 1) : text.size());
    for (int i = parts.count() - 1; i >= 0; --i) {
        const qsizetype base = parts.base(i);
        if (const Match m = lastIn(parts.view(i), from - base))
            return {m.pos + base, m.length};
    }
    return {};
}

bool TextSearch::emptyLastLineMatches(const TextBuffer& text) const
{
    // The expression library sees no line start after the text's last line feed.
    return m_regExp && (text.isEmpty() || text.at(text.size() - 1) == u'\n')
        && m_expression.match(QStringView(u""), 0).hasMatch();
}

void TextSearch::forEachIn(QStringView lines, qsizetype from, bool overlapping, const Visit& visit) const
{
    if (m_regExp) {
        forEachExpressionIn(lines, from, overlapping, visit);
        return;
    }
    const qsizetype m = m_word.size();
    for (qsizetype p = m_word.indexIn(lines, from); p >= 0; p = m_word.indexIn(lines, overlapping ? p + 1 : p + m)) {
        // The carriage return of a line end is not part of the paragraph.
        const qsizetype end = p + m;
        if ((end >= lines.size() || lines[end] != u'\n' || lines[end - 1] != u'\r') && !visit({p, m}))
            return;
    }
}

void TextSearch::forEachExpressionIn(QStringView lines, qsizetype from, bool overlapping, const Visit& visit) const
{
    // Windows of whole lines, each matched at once. The expression library checks
    // the subject from the start offset to its end before it matches, so later
    // matches in the same window skip that check: a subject reaching to the end of a
    // long text would otherwise cost the whole text on every call. A match that
    // reaches past the end of its paragraph sends that paragraph to be matched alone.
    const auto next = [&](QStringView view, const Match& m) { return overlapping ? nextCharacter(view, m.pos) : afterMatch(view, m); };
    qsizetype window = firstWindow;
    qsizetype matchLine = 0;
    qsizetype lineEnd = -1;
    qsizetype shownEnd = -1;
    for (qsizetype pos = from; pos <= lines.size();) {
        const qsizetype lineBegin = pos == 0 ? 0 : lines.lastIndexOf(u'\n', pos - 1) + 1;
        qsizetype windowEnd = lines.size();
        if (pos + window < lines.size()) {
            const qsizetype feed = lines.indexOf(u'\n', pos + window);
            windowEnd = feed < 0 ? lines.size() : feed + 1;
        }
        const QStringView subject = lines.sliced(lineBegin, windowEnd - lineBegin);
        auto checked = QRegularExpression::NoMatchOption;
        while (pos <= windowEnd) {
            const QRegularExpressionMatch found
                = m_expression.match(subject, pos - lineBegin, QRegularExpression::NormalMatch, checked);
            checked = QRegularExpression::DontCheckSubjectStringMatchOption;
            const qsizetype start = found.hasMatch() ? lineBegin + found.capturedStart() : windowEnd;
            // A match at the window's end would be one at the start of the next window's text.
            if (start >= windowEnd && windowEnd < lines.size()) {
                pos = windowEnd;
                break;
            }
            if (!found.hasMatch())
                return;
            const qsizetype end = lineBegin + found.capturedEnd();
            // The paragraph of the match; a long one is measured once for all its matches.
            if (start > lineEnd) {
                matchLine = lines.lastIndexOf(u'\n', start - 1) + 1;
                lineEnd = lines.indexOf(u'\n', start);
                shownEnd = lineEnd;
                if (lineEnd < 0)
                    lineEnd = shownEnd = lines.size();
                else if (lineEnd > matchLine && lines[lineEnd - 1] == u'\r')
                    --shownEnd;
            }
            if (end <= shownEnd) {
                if (!visit({start, end - start}))
                    return;
                pos = next(lines, {start, end - start});
                continue;
            }
            const qsizetype column = qMax(pos, matchLine) - matchLine;
            const QStringView paragraph = lines.sliced(matchLine, shownEnd - matchLine);
            const QRegularExpressionMatch alone
                = column <= paragraph.size() ? m_expression.match(paragraph, column) : QRegularExpressionMatch();
            if (!alone.hasMatch()) {
                pos = lineEnd + 1;
                continue;
            }
            const Match m{matchLine + alone.capturedStart(), alone.capturedLength()};
            if (!visit(m))
                return;
            pos = next(lines, m);
        }
        window = qMin(window * 4, largestWindow);
    }
}

TextSearch::Match TextSearch::lastIn(QStringView lines, qsizetype limit) const
{
    if (limit < 0)
        return {};
    limit = qMin(limit, lines.size());
    // Blocks of whole lines before the limit, each searched forwards for its last
    // match; the first block with one holds the answer.
    const qsizetype feed = lines.indexOf(u'\n', limit);
    qsizetype blockEnd = feed < 0 ? lines.size() : feed + 1;
    qsizetype block = firstBlock;
    while (blockEnd > 0) {
        qsizetype blockBegin = qMax<qsizetype>(0, blockEnd - block);
        if (blockBegin > 0)
            blockBegin = lines.lastIndexOf(u'\n', blockBegin - 1) + 1;
        Match best;
        forEachIn(lines.sliced(blockBegin, blockEnd - blockBegin), 0, true, [&](const Match& m) {
            if (m.pos + blockBegin > limit)
                return false;
            best = m;
            return true;
        });
        if (best)
            return {best.pos + blockBegin, best.length};
        blockEnd = blockBegin;
        block = qMin(block * 4, largestBlock);
    }
    return {};
}
