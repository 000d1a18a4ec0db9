#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

// The characters of a document, every one kept as it was given (carriage returns,
// NUL, U+00A0, U+2028, a byte-order mark): a gap buffer of UTF-16 units with the
// start of every line. Lines are separated by line feeds only; a text of n line
// feeds has n + 1 lines. Positions count UTF-16 units from 0.
class TextBuffer
{
public:
    TextBuffer();
    ~TextBuffer();
    TextBuffer(TextBuffer&& other) noexcept;
    TextBuffer& operator=(TextBuffer&& other) noexcept;
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    qsizetype size() const { return m_capacity - (m_gapEnd - m_gapStart); }
    bool isEmpty() const { return size() == 0; }
    QChar at(qsizetype pos) const { return QChar(m_data[pos < m_gapStart ? pos : pos + m_gapEnd - m_gapStart]); }

    int lineCount() const { return int(m_lineStarts.size()); }
    qsizetype lineStart(int line) const { return m_lineStarts[size_t(line)]; }
    // Length of a line without its line feed.
    qsizetype lineLength(int line) const;
    // The line that holds pos (a line feed belongs to the line it ends).
    int lineOf(qsizetype pos) const;

    QString text(qsizetype pos, qsizetype length) const;
    QString text() const { return text(0, size()); }
    QString lineText(int line) const { return text(lineStart(line), lineLength(line)); }
    // The range as at most two views, split where the gap lies; views stay valid until the next change.
    std::array<QStringView, 2> pieces(qsizetype pos, qsizetype length) const;
    // The whole text as one view (moves the gap to the end); valid until the next change.
    QStringView contiguous();

    void insert(qsizetype pos, QStringView text);
    // Room for units at the end, to be filled and then announced by appended().
    QChar* appendRoom(qsizetype units);
    void appended(qsizetype units);
    void remove(qsizetype pos, qsizetype length);
    void clear();

    // Many replacements in one pass; ranges sorted by position, not overlapping, in
    // positions of the text before any of them.
    struct Range
    {
        qsizetype pos;
        qsizetype length;
        QString text;
    };
    void replaceRanges(const std::vector<Range>& ranges);

    // Room for this many units in all, so that appending a text of known size copies nothing.
    // False when the memory is not there (the text is unchanged).
    bool reserve(qsizetype units);
    // Room in the line index, with some to spare so that the first new lines copy nothing.
    void reserveLines(qsizetype lines) { m_lineStarts.reserve(size_t(lines + lines / 16 + 1024)); }
    // Gives back room beyond a small gap (after a load that reserved for the worst case).
    void squeeze();

private:
    void moveGap(qsizetype pos);
    void indexLines();
    bool ensureGap(qsizetype needed);

    char16_t* m_data = nullptr;
    qsizetype m_capacity = 0;
    qsizetype m_gapStart = 0;
    qsizetype m_gapEnd = 0;
    std::vector<qsizetype> m_lineStarts;
};
