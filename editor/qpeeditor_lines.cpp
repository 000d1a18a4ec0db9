#include "qpeeditor.h"

namespace {
// The line end of the paragraph before line, as the text has it.
QString lineEndBefore(const TextBuffer& b, int line)
{
    if (line > 0) {
        const qsizetype feed = b.lineStart(line) - 1;
        if (feed > 0 && b.at(feed - 1) == u'\r')
            return QStringLiteral("\r\n");
    }
    return QStringLiteral("\n");
}
} // namespace

void QpeEditor::defaultLineMark()
{
    if (hasSelection())
        return;
    const int row = cursorRow();
    setSelection(rowStart(row), row + 1 < numRows() ? rowStart(row + 1) : rowEnd(row));
}

void QpeEditor::lineDuplicate()
{
    const int row = cursorRow();
    const qsizetype start = rowStart(row);
    const TextBuffer& b = buffer();
    QString copy;
    if (rowEndsLine(row) && row + 1 < numRows()) {
        copy = b.text(start, rowStart(row + 1) - start);
    } else {
        // The last row, or a row the paragraph wraps after: a line end of the text's own kind.
        const int line = b.lineOf(start);
        copy = b.text(start, rowEnd(row) - start) + lineEndBefore(b, line + 1 < b.lineCount() ? line + 1 : line);
    }
    // The cursor stays on its row, which moves down below the copy.
    const qsizetype cursor = cursorPosition() + copy.size();
    model()->insert(start, copy);
    TextView::setCursorPosition(cursor);
}

void QpeEditor::removeRow(int row)
{
    if (row < 0 || row >= numRows())
        return;
    const qsizetype start = rowStart(row);
    qsizetype from = start;
    qsizetype to = row + 1 < numRows() ? rowStart(row + 1) : rowEnd(row);
    // The last row goes with the line end before it, when it begins a paragraph.
    const TextBuffer& b = buffer();
    if (row + 1 == numRows() && row > 0 && b.lineStart(b.lineOf(start)) == start) {
        from = lineEndPosition(b.lineOf(start) - 1);
        to = b.size();
    }
    model()->remove(from, to - from);
}
