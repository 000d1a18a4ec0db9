#include "textbuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
// The gap left after a load or a growth: typing fills it without moving the text.
constexpr qsizetype minimumGap = 32 * 1024;

// Large blocks are mapped pages: growing moves no text, and untouched room costs no memory.
char16_t* reallocate(char16_t* data, qsizetype units)
{
    return static_cast<char16_t*>(std::realloc(data, size_t(qMax<qsizetype>(units, 1)) * sizeof(char16_t)));
}
} // namespace

TextBuffer::TextBuffer() : m_lineStarts{0} {}

TextBuffer::~TextBuffer()
{
    std::free(m_data);
}

TextBuffer::TextBuffer(TextBuffer&& other) noexcept
    : m_data(other.m_data), m_capacity(other.m_capacity), m_gapStart(other.m_gapStart), m_gapEnd(other.m_gapEnd),
      m_lineStarts(std::move(other.m_lineStarts))
{
    other.m_data = nullptr;
    other.m_capacity = other.m_gapStart = other.m_gapEnd = 0;
    other.m_lineStarts.assign(1, 0);
}

TextBuffer& TextBuffer::operator=(TextBuffer&& other) noexcept
{
    if (this != &other) {
        std::free(m_data);
        m_data = other.m_data;
        m_capacity = other.m_capacity;
        m_gapStart = other.m_gapStart;
        m_gapEnd = other.m_gapEnd;
        m_lineStarts = std::move(other.m_lineStarts);
        other.m_data = nullptr;
        other.m_capacity = other.m_gapStart = other.m_gapEnd = 0;
        other.m_lineStarts.assign(1, 0);
    }
    return *this;
}

qsizetype TextBuffer::lineLength(int line) const
{
    const qsizetype end = line + 1 < lineCount() ? m_lineStarts[size_t(line) + 1] - 1 : size();
    return end - m_lineStarts[size_t(line)];
}

int TextBuffer::lineOf(qsizetype pos) const
{
    return int(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos) - m_lineStarts.begin()) - 1;
}

std::array<QStringView, 2> TextBuffer::pieces(qsizetype pos, qsizetype length) const
{
    const qsizetype end = pos + length;
    const qsizetype gap = m_gapEnd - m_gapStart;
    if (end <= m_gapStart)
        return {QStringView(m_data + pos, length), QStringView()};
    if (pos >= m_gapStart)
        return {QStringView(m_data + pos + gap, length), QStringView()};
    return {QStringView(m_data + pos, m_gapStart - pos), QStringView(m_data + m_gapEnd, end - m_gapStart)};
}

QString TextBuffer::text(qsizetype pos, qsizetype length) const
{
    QString result(length, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(result.data());
    for (const QStringView piece : pieces(pos, length)) {
        std::memcpy(out, piece.utf16(), size_t(piece.size()) * sizeof(char16_t));
        out += piece.size();
    }
    return result;
}

QStringView TextBuffer::contiguous()
{
    moveGap(size());
    return QStringView(m_data, size());
}

void TextBuffer::moveGap(qsizetype pos)
{
    if (pos < m_gapStart) {
        const qsizetype n = m_gapStart - pos;
        std::memmove(m_data + m_gapEnd - n, m_data + pos, size_t(n) * sizeof(char16_t));
        m_gapStart -= n;
        m_gapEnd -= n;
    } else if (pos > m_gapStart) {
        const qsizetype n = pos - m_gapStart;
        std::memmove(m_data + m_gapStart, m_data + m_gapEnd, size_t(n) * sizeof(char16_t));
        m_gapStart += n;
        m_gapEnd += n;
    }
}

bool TextBuffer::ensureGap(qsizetype needed)
{
    if (m_gapEnd - m_gapStart >= needed)
        return true;
    const qsizetype tail = m_capacity - m_gapEnd;
    const qsizetype capacity = size() + needed + qMax(minimumGap, size() / 16);
    char16_t* grown = reallocate(m_data, capacity);
    if (!grown)
        return false;
    m_data = grown;
    std::memmove(m_data + capacity - tail, m_data + m_gapEnd, size_t(tail) * sizeof(char16_t));
    m_gapEnd = capacity - tail;
    m_capacity = capacity;
    return true;
}

void TextBuffer::insert(qsizetype pos, QStringView text)
{
    const qsizetype n = text.size();
    if (n == 0)
        return;
    if (!ensureGap(n))
        qBadAlloc();
    moveGap(pos);
    std::memcpy(m_data + m_gapStart, text.utf16(), size_t(n) * sizeof(char16_t));
    m_gapStart += n;

    const auto after = m_lineStarts.begin() + (lineOf(pos) + 1);
    for (auto it = after; it != m_lineStarts.end(); ++it)
        *it += n;
    std::vector<qsizetype> added;
    for (qsizetype i = text.indexOf(QLatin1Char('\n')); i >= 0; i = text.indexOf(QLatin1Char('\n'), i + 1))
        added.push_back(pos + i + 1);
    m_lineStarts.insert(after, added.begin(), added.end());
}

QChar* TextBuffer::appendRoom(qsizetype units)
{
    if (!ensureGap(units))
        qBadAlloc();
    moveGap(size());
    return reinterpret_cast<QChar*>(m_data + m_gapStart);
}

void TextBuffer::appended(qsizetype units)
{
    const qsizetype pos = m_gapStart;
    const QStringView text(m_data + pos, units);
    m_gapStart += units;
    for (qsizetype i = text.indexOf(QLatin1Char('\n')); i >= 0; i = text.indexOf(QLatin1Char('\n'), i + 1))
        m_lineStarts.push_back(pos + i + 1);
}

void TextBuffer::remove(qsizetype pos, qsizetype length)
{
    if (length <= 0)
        return;
    moveGap(pos);
    m_gapEnd += length;

    // Lines whose separating line feed lies in the removed range disappear.
    const auto first = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos);
    const auto last = std::upper_bound(first, m_lineStarts.end(), pos + length);
    const auto kept = m_lineStarts.erase(first, last);
    for (auto it = kept; it != m_lineStarts.end(); ++it)
        *it -= length;
}

void TextBuffer::replaceRanges(const std::vector<Range>& ranges)
{
    if (ranges.empty())
        return;
    moveGap(size());
    qsizetype newSize = size();
    for (const Range& r : ranges)
        newSize += r.text.size() - r.length;
    const qsizetype capacity = newSize + minimumGap;
    char16_t* fresh = reallocate(nullptr, capacity);
    if (!fresh)
        qBadAlloc();
    char16_t* out = fresh;
    qsizetype read = 0;
    for (const Range& r : ranges) {
        std::memcpy(out, m_data + read, size_t(r.pos - read) * sizeof(char16_t));
        out += r.pos - read;
        std::memcpy(out, r.text.utf16(), size_t(r.text.size()) * sizeof(char16_t));
        out += r.text.size();
        read = r.pos + r.length;
    }
    std::memcpy(out, m_data + read, size_t(size() - read) * sizeof(char16_t));
    std::free(m_data);
    m_data = fresh;
    m_capacity = m_gapEnd = capacity;
    m_gapStart = newSize;
    indexLines();
}

void TextBuffer::indexLines()
{
    m_lineStarts.assign(1, 0);
    qsizetype offset = 0;
    for (const QStringView piece : pieces(0, size())) {
        for (qsizetype i = piece.indexOf(QLatin1Char('\n')); i >= 0; i = piece.indexOf(QLatin1Char('\n'), i + 1))
            m_lineStarts.push_back(offset + i + 1);
        offset += piece.size();
    }
}

void TextBuffer::clear()
{
    std::free(m_data);
    m_data = nullptr;
    m_capacity = m_gapStart = m_gapEnd = 0;
    m_lineStarts.assign(1, 0);
}

bool TextBuffer::reserve(qsizetype units)
{
    return units <= size() || ensureGap(units - size());
}

void TextBuffer::squeeze()
{
    moveGap(size());
    const qsizetype capacity = size() + minimumGap;
    if (capacity >= m_capacity)
        return;
    if (char16_t* shrunk = reallocate(m_data, capacity)) {
        m_data = shrunk;
        m_capacity = m_gapEnd = capacity;
    }
}
