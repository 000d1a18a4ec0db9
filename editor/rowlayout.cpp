#include "rowlayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
bool isBreakSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == 0x3000;
}
} // namespace

RowLayout::RowLayout(const TextBuffer& buffer) : m_buffer(buffer)
{
    textReset();
}

void RowLayout::setFont(const QFont& font)
{
    m_widths.setFont(font);
    invalidate();
}

void RowLayout::setTabDistance(qreal distance)
{
    if (distance == m_tab)
        return;
    m_tab = qMax<qreal>(1, distance);
    invalidate();
}

void RowLayout::setWrap(WrapMode mode, qreal width)
{
    if (mode == NoWrap)
        width = 0;
    if (mode == m_mode && width == m_width)
        return;
    m_mode = mode;
    m_width = width;
    invalidate();
}

void RowLayout::invalidate()
{
    m_widest = 0;
    textReset();
}

void RowLayout::textReset()
{
    const size_t lines = size_t(m_buffer.lineCount());
    // Room to spare, so that new lines do not copy the counts of a long text.
    m_rows.reserve(lines + lines / 16 + 1024);
    m_rows.assign(lines, 0);
    m_starts.clear();
    m_idleBlock = 0;
    rebuildBlocks(0);
}

void RowLayout::rebuildBlocks(int fromBlock, int toBlock)
{
    const int lines = int(m_rows.size());
    const int blocks = (lines + BlockSize - 1) / BlockSize;
    m_blockRows.resize(size_t(blocks));
    m_blockUnknown.resize(size_t(blocks));
    for (int b = fromBlock; b < blocks && b <= toBlock; ++b) {
        qint64 rows = 0;
        int unknown = 0;
        const int end = qMin(lines, (b + 1) * BlockSize);
        for (int line = b * BlockSize; line < end; ++line) {
            rows += m_rows[size_t(line)];
            unknown += m_rows[size_t(line)] == 0;
        }
        m_blockRows[size_t(b)] = rows;
        m_blockUnknown[size_t(b)] = unknown;
    }
}

void RowLayout::textChanged(const TextModel::Change& change)
{
    const int first = change.firstLine;
    const auto from = m_rows.begin() + first;
    m_rows.erase(from, from + change.linesRemoved);
    m_rows.insert(m_rows.begin() + first, size_t(change.linesAdded), 0);
    // Blocks after the change hold other lines when the number of lines changed.
    if (change.linesRemoved == change.linesAdded)
        rebuildBlocks(first / BlockSize, (first + change.linesAdded - 1) / BlockSize);
    else
        rebuildBlocks(first / BlockSize);

    // Kept row starts: those of the changed lines go, later ones move with their lines.
    std::map<int, std::vector<qsizetype>> kept;
    for (auto& [line, starts] : m_starts) {
        if (line < first)
            kept.emplace(line, std::move(starts));
        else if (line >= first + change.linesRemoved)
            kept.emplace(line - change.linesRemoved + change.linesAdded, std::move(starts));
    }
    m_starts = std::move(kept);
    m_idleBlock = qMin(m_idleBlock, first / BlockSize);
}

qsizetype RowLayout::shownLength(int line) const
{
    const qsizetype length = m_buffer.lineLength(line);
    const bool endsWithFeed = line + 1 < m_buffer.lineCount();
    if (endsWithFeed && length > 0 && m_buffer.at(m_buffer.lineStart(line) + length - 1) == u'\r')
        return length - 1;
    return length;
}

QStringView RowLayout::lineView(int line, QString* scratch) const
{
    const auto pieces = m_buffer.pieces(m_buffer.lineStart(line), shownLength(line));
    if (pieces[1].isEmpty())
        return pieces[0];
    // Only the line that holds the gap is copied.
    *scratch = pieces[0].toString();
    scratch->append(pieces[1]);
    return *scratch;
}

qreal RowLayout::nextTab(qreal x) const
{
    return std::floor((x + m_tab + 1) / m_tab) * m_tab;
}

int RowLayout::layOut(QStringView text, std::vector<qsizetype>* starts, qreal* widest) const
{
    const qreal limit = m_mode == NoWrap ? std::numeric_limits<qreal>::infinity() : m_width;
    const qsizetype n = text.size();
    const char16_t* s = text.utf16();
    auto advance = [&](qreal x, qsizetype i, qsizetype* len) {
        *len = 1;
        const char16_t c = s[i];
        if (c == u'\t')
            return nextTab(x);
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            *len = 2;
            return x + m_widths.advance(c, s[i + 1]);
        }
        return x + m_widths.advance(c);
    };

    int rows = 1;
    qreal x = 0;
    qreal maxX = 0;
    qsizetype rowStart = 0;
    qsizetype spaceBreak = -1; // after the last white space of the row
    qsizetype len = 1;
    for (qsizetype i = 0; i < n;) {
        const qreal next = advance(x, i, &len);
        if (next > limit && i > rowStart) {
            const qsizetype at = m_mode == WrapAtSpace && spaceBreak > rowStart ? spaceBreak : i;
            ++rows;
            if (starts)
                starts->push_back(at);
            rowStart = at;
            spaceBreak = -1;
            x = 0;
            for (qsizetype j = at; j < i; j += len)
                x = advance(x, j, &len);
            continue;
        }
        x = next;
        maxX = qMax(maxX, x);
        i += len;
        if (isBreakSpace(s[i - len]))
            spaceBreak = i;
    }
    if (widest)
        *widest = maxX;
    return rows;
}

int RowLayout::measure(int line)
{
    quint32& rows = m_rows[size_t(line)];
    if (rows != 0)
        return int(rows);
    QString scratch;
    qreal lineWidth = 0;
    rows = quint32(layOut(lineView(line, &scratch), nullptr, &lineWidth));
    m_widest = qMax(m_widest, lineWidth);
    const int block = line / BlockSize;
    m_blockRows[size_t(block)] += rows;
    --m_blockUnknown[size_t(block)];
    return int(rows);
}

void RowLayout::measureBlock(int block)
{
    if (m_blockUnknown[size_t(block)] == 0)
        return;
    const int end = qMin(int(m_rows.size()), (block + 1) * BlockSize);
    for (int line = block * BlockSize; line < end; ++line)
        measure(line);
}

int RowLayout::rowsOfLine(int line)
{
    return m_mode == NoWrap ? 1 : measure(line);
}

int RowLayout::rowCount()
{
    if (m_mode == NoWrap)
        return int(m_rows.size());
    qint64 rows = 0;
    for (int b = 0; b < int(m_blockRows.size()); ++b) {
        measureBlock(b);
        rows += m_blockRows[size_t(b)];
    }
    return int(qMin<qint64>(rows, std::numeric_limits<int>::max()));
}

int RowLayout::estimatedRowCount() const
{
    if (m_mode == NoWrap)
        return int(m_rows.size());
    qint64 known = 0;
    qint64 unknown = 0;
    for (size_t b = 0; b < m_blockRows.size(); ++b) {
        known += m_blockRows[b];
        unknown += m_blockUnknown[b];
    }
    const qint64 measuredLines = qint64(m_rows.size()) - unknown;
    const qint64 estimate = measuredLines > 0 ? known + unknown * known / measuredLines : unknown;
    return int(qMin<qint64>(estimate, std::numeric_limits<int>::max()));
}

int RowLayout::firstRow(int line)
{
    line = qBound(0, line, int(m_rows.size()) - 1);
    if (m_mode == NoWrap)
        return line;
    qint64 row = 0;
    const int block = line / BlockSize;
    for (int b = 0; b < block; ++b) {
        measureBlock(b);
        row += m_blockRows[size_t(b)];
    }
    for (int l = block * BlockSize; l < line; ++l)
        row += measure(l);
    return int(row);
}

std::pair<int, int> RowLayout::rowAt(int row)
{
    const int lines = int(m_rows.size());
    if (m_mode == NoWrap) {
        const int line = qBound(0, row, lines - 1);
        return {line, 0};
    }
    qint64 first = 0;
    for (int b = 0; b < int(m_blockRows.size()); ++b) {
        measureBlock(b);
        if (row < first + m_blockRows[size_t(b)] || b + 1 == int(m_blockRows.size())) {
            const int end = qMin(lines, (b + 1) * BlockSize);
            for (int line = b * BlockSize; line < end; ++line) {
                const int rows = measure(line);
                if (row < first + rows || line + 1 == end)
                    return {line, int(qBound<qint64>(0, row - first, qint64(rows) - 1))};
                first += rows;
            }
        }
        first += m_blockRows[size_t(b)];
    }
    return {0, 0};
}

const std::vector<qsizetype>& RowLayout::rowStarts(int line)
{
    auto it = m_starts.find(line);
    if (it != m_starts.end())
        return it->second;
    // A handful of lines are in view at a time; the kept starts are for them.
    if (m_starts.size() > 256)
        m_starts.clear();
    std::vector<qsizetype> starts{0};
    if (m_mode != NoWrap) {
        QString scratch;
        layOut(lineView(line, &scratch), &starts, nullptr);
    }
    return m_starts.emplace(line, std::move(starts)).first->second;
}

qreal RowLayout::width(QStringView row, qsizetype count) const
{
    qreal x = 0;
    const qsizetype n = qMin(count, row.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = row.at(i).unicode();
        if (c == u'\t') {
            x = nextTab(x);
        } else if (QChar::isHighSurrogate(c) && i + 1 < row.size() && row.at(i + 1).isLowSurrogate()) {
            x += m_widths.advance(c, row.at(i + 1).unicode());
            ++i;
        } else {
            x += m_widths.advance(c);
        }
    }
    return x;
}

qsizetype RowLayout::columnAt(QStringView row, qreal x) const
{
    qreal left = 0;
    for (qsizetype i = 0; i < row.size();) {
        const char16_t c = row.at(i).unicode();
        qsizetype len = 1;
        qreal right;
        if (c == u'\t') {
            right = nextTab(left);
        } else if (QChar::isHighSurrogate(c) && i + 1 < row.size() && row.at(i + 1).isLowSurrogate()) {
            right = left + m_widths.advance(c, row.at(i + 1).unicode());
            len = 2;
        } else {
            right = left + m_widths.advance(c);
        }
        if (x < (left + right) / 2)
            return i;
        left = right;
        i += len;
    }
    return row.size();
}

bool RowLayout::measureSome(const QDeadlineTimer& deadline)
{
    const int blocks = int(m_blockRows.size());
    for (; m_idleBlock < blocks; ++m_idleBlock) {
        if (m_blockUnknown[size_t(m_idleBlock)] == 0)
            continue;
        const int end = qMin(int(m_rows.size()), (m_idleBlock + 1) * BlockSize);
        for (int line = m_idleBlock * BlockSize; line < end; ++line) {
            measure(line);
            if ((line & 63) == 0 && deadline.hasExpired())
                return false;
        }
    }
    return true;
}
