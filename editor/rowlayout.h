#pragma once

#include "charwidths.h"
#include "textmodel.h"

#include <QDeadlineTimer>

#include <limits>
#include <map>
#include <utility>
#include <vector>

// Where the lines of a text break into display rows. A line is measured only when
// a question needs it; its row count is kept until its text, the font or the wrap
// width changes, so painting and moving the cursor cost the rows in view, not the
// size of the text. Rows of lines not measured yet are estimated for the scroll bar
// until an idle pass (measureSome) has measured them.
class RowLayout
{
public:
    enum WrapMode { NoWrap, WrapAnywhere, WrapAtSpace };

    explicit RowLayout(const TextBuffer& buffer);

    const CharWidths& widths() const { return m_widths; }
    void setFont(const QFont& font);
    // Distance between tab stops, in pixels.
    void setTabDistance(qreal distance);
    qreal tabDistance() const { return m_tab; }
    void setWrap(WrapMode mode, qreal width);
    WrapMode wrapMode() const { return m_mode; }
    qreal wrapWidth() const { return m_width; }

    void textChanged(const TextModel::Change& change);
    void textReset();

    int rowCount();
    int estimatedRowCount() const;
    int rowsOfLine(int line);
    int firstRow(int line);
    // The line of a row and the row's index within that line; rows past the end give the last row.
    std::pair<int, int> rowAt(int row);
    // Offsets within the line where its rows begin; the first is 0.
    const std::vector<qsizetype>& rowStarts(int line);
    // Length of a line as shown: a carriage return before its line feed is part of the line end.
    qsizetype shownLength(int line) const;

    // The width of the first count characters of a row, tabs included.
    qreal width(QStringView row, qsizetype count) const;
    // The character boundary of a row nearest to x.
    qsizetype columnAt(QStringView row, qreal x) const;
    qreal nextTab(qreal x) const;

    // Measures lines until the deadline; true when every line is measured.
    bool measureSome(const QDeadlineTimer& deadline);
    // The widest line measured so far.
    qreal widest() const { return m_widest; }

private:
    static constexpr int BlockSize = 1024;

    void invalidate();
    void rebuildBlocks(int fromBlock, int toBlock = std::numeric_limits<int>::max());
    QStringView lineView(int line, QString* scratch) const;
    int layOut(QStringView text, std::vector<qsizetype>* starts, qreal* widest) const;
    int measure(int line);
    void measureBlock(int block);

    const TextBuffer& m_buffer;
    CharWidths m_widths;
    qreal m_tab = 64;
    WrapMode m_mode = NoWrap;
    qreal m_width = 0;

    // Rows of each line, 0 while not measured.
    std::vector<quint32> m_rows;
    // Per block of lines: measured rows, and lines not measured.
    std::vector<qint64> m_blockRows;
    std::vector<int> m_blockUnknown;
    int m_idleBlock = 0;
    qreal m_widest = 0;
    // Row starts of lines asked for lately.
    std::map<int, std::vector<qsizetype>> m_starts;
};
