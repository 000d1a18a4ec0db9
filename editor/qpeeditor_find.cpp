#include "qpeeditor.h"

#include "confirmdialog.h"
#include "textsearch.h"

#include <vector>

bool QpeEditor::find(const QString& needle, int mode, bool backward, bool fromSelectionStart)
{
    const TextSearch search(needle, mode);
    if (search.isEmpty() || !search.isValid())
        return false;
    const bool fromTop = st_sw && !backward;
    st_sw = false;
    qsizetype from = cursorPosition();
    if (fromTop)
        from = 0;
    else if (fromSelectionStart && hasSelection())
        from = selectionStart();
    else if (backward)
        from = cursorPosition() - 1;

    TextSearch::Match m = backward ? search.findBackward(buffer(), from) : search.findForward(buffer(), from);
    // An empty match at the cursor would be found again and again.
    if (m && !backward && !fromTop && !fromSelectionStart && m.length == 0 && m.pos == from)
        m = search.findForward(buffer(), TextSearch::after(buffer(), m));
    if (!m) {
        st_sw = true;
        return false;
    }
    moveCursorCenter(rowOfPosition(m.pos));
    if (backward)
        setSelection(m.pos + m.length, m.pos);
    else
        setSelection(m.pos, m.pos + m.length);
    return true;
}

int QpeEditor::replace(const QString& oldWord, const QString& newWord, int mode, bool fromCursor, bool confirm)
{
    const TextSearch search(oldWord, mode);
    if (search.isEmpty() || !search.isValid())
        return 0;
    qsizetype from = 0;
    if (fromCursor)
        from = search.anchoredAtStart() ? rowStart(cursorRow()) : cursorPosition();
    return confirm ? replaceConfirmed(search, newWord, from) : replaceAll(search, newWord, from);
}

int QpeEditor::replaceAll(const TextSearch& search, const QString& newWord, qsizetype from)
{
    std::vector<TextBuffer::Range> ranges;
    search.forEachMatch(buffer(), from, [&](const TextSearch::Match& m) {
        ranges.push_back({m.pos, m.length, newWord});
        return true;
    });
    if (ranges.empty())
        return 0;
    // The cursor stays on the character it was on.
    qsizetype cursor = cursorPosition();
    qsizetype shift = 0;
    for (const TextBuffer::Range& r : ranges) {
        if (r.pos >= cursor)
            break;
        if (r.pos + r.length > cursor) {
            shift = r.pos + newWord.size() - cursor;
            break;
        }
        shift += newWord.size() - r.length;
    }
    const int count = int(ranges.size());
    model()->replaceAll(std::move(ranges));
    TextView::setCursorPosition(cursor + shift);
    return count;
}

int QpeEditor::replaceConfirmed(const TextSearch& search, const QString& newWord, qsizetype from)
{
    int count = 0;
    model()->beginGroup();
    for (TextSearch::Match m = search.findForward(buffer(), from); m; m = search.findForward(buffer(), from)) {
        setSelection(m.pos, m.pos + m.length);
        ConfirmDialog dialog(this);
        // Away from the match, so that it stays in sight.
        const QRect match = cursorRect();
        const QPoint corner = mapToGlobal(QPoint(width() - dialog.width() - 8, 0));
        const int y = match.center().y() < height() / 2 ? height() - dialog.height() - 40 : 8;
        dialog.move(corner.x(), corner.y() + y);
        if (dialog.exec() != QDialog::Accepted || dialog.getAnswer() < 0)
            break;
        if (dialog.getAnswer() == 0) {
            from = TextSearch::after(buffer(), m);
            continue;
        }
        model()->replace(m.pos, m.length, newWord);
        ++count;
        from = m.pos + newWord.size();
        TextView::setCursorPosition(from);
        if (m.length == 0)
            from = TextSearch::after(buffer(), {from, 0});
    }
    model()->endGroup();
    return count;
}

QString QpeEditor::getCursorWord(int how)
{
    const TextBuffer& b = buffer();
    if (how != 1) {
        // A word holds no line end: the selection as far as its first one.
        const qsizetype start = selectionStart();
        return b.text(start, qMin(selectionEnd(), lineEndPosition(b.lineOf(start))) - start);
    }
    const qsizetype cursor = cursorPosition();
    const qsizetype end = rowEnd(cursorRow());
    qsizetype space = cursor;
    while (space < end && b.at(space) != u' ')
        ++space;
    return b.text(cursor, space < end ? space - cursor : qMin<qsizetype>(end - cursor, 10));
}
