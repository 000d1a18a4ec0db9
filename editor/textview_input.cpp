#include "textview.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

namespace {
// The input method sees this much of a line on each side of the cursor.
constexpr qsizetype surroundingReach = 512;

const QKeySequence::StandardKey handledKeys[] = {
    QKeySequence::MoveToNextChar,        QKeySequence::MoveToPreviousChar,     QKeySequence::MoveToNextWord,
    QKeySequence::MoveToPreviousWord,    QKeySequence::MoveToNextLine,         QKeySequence::MoveToPreviousLine,
    QKeySequence::MoveToNextPage,        QKeySequence::MoveToPreviousPage,     QKeySequence::MoveToStartOfLine,
    QKeySequence::MoveToEndOfLine,       QKeySequence::MoveToStartOfDocument,  QKeySequence::MoveToEndOfDocument,
    QKeySequence::SelectNextChar,        QKeySequence::SelectPreviousChar,     QKeySequence::SelectNextWord,
    QKeySequence::SelectPreviousWord,    QKeySequence::SelectNextLine,         QKeySequence::SelectPreviousLine,
    QKeySequence::SelectNextPage,        QKeySequence::SelectPreviousPage,     QKeySequence::SelectStartOfLine,
    QKeySequence::SelectEndOfLine,       QKeySequence::SelectStartOfDocument,  QKeySequence::SelectEndOfDocument,
    QKeySequence::SelectAll,             QKeySequence::Undo,                   QKeySequence::Redo,
    QKeySequence::Cut,                   QKeySequence::Copy,                   QKeySequence::Paste,
    QKeySequence::Delete,                QKeySequence::Backspace,              QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfWord,       QKeySequence::InsertParagraphSeparator, QKeySequence::InsertLineSeparator,
};

bool isHandledKey(QKeyEvent* event)
{
    for (const QKeySequence::StandardKey key : handledKeys)
        if (event->matches(key))
            return true;
    return false;
}

bool isTypedText(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    return text.at(0) == u'\t' || text.at(0).unicode() >= 0x20;
}
} // namespace

bool TextView::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isHandledKey(key) || isTypedText(key) || key->key() == Qt::Key_Insert) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

// ---- positions

qsizetype TextView::nextPosition(qsizetype pos) const
{
    const TextBuffer& b = buffer();
    if (pos >= b.size())
        return b.size();
    const char16_t c = b.at(pos).unicode();
    if (pos + 1 < b.size()) {
        const char16_t next = b.at(pos + 1).unicode();
        if ((c == u'\r' && next == u'\n') || (QChar::isHighSurrogate(c) && QChar::isLowSurrogate(next)))
            return pos + 2;
    }
    return pos + 1;
}

qsizetype TextView::previousPosition(qsizetype pos) const
{
    const TextBuffer& b = buffer();
    if (pos <= 0)
        return 0;
    const char16_t c = b.at(pos - 1).unicode();
    if (pos >= 2) {
        const char16_t before = b.at(pos - 2).unicode();
        if ((c == u'\n' && before == u'\r') || (QChar::isLowSurrogate(c) && QChar::isHighSurrogate(before)))
            return pos - 2;
    }
    return pos - 1;
}

int TextView::characterClass(QChar c) const
{
    if (c.isSpace())
        return 0;
    if (c.isLetterOrNumber() || c == u'_')
        return 1;
    return 2 + int(c.script());
}

qsizetype TextView::wordEnd(qsizetype pos) const
{
    const TextBuffer& b = buffer();
    if (pos >= b.size() || b.at(pos) == u'\n' || b.at(pos) == u'\r')
        return nextPosition(pos);
    const int cls = characterClass(b.at(pos));
    while (pos < b.size() && b.at(pos) != u'\n' && characterClass(b.at(pos)) == cls)
        ++pos;
    while (pos < b.size() && b.at(pos) != u'\n' && b.at(pos) != u'\r' && characterClass(b.at(pos)) == 0)
        ++pos;
    return pos;
}

qsizetype TextView::wordStart(qsizetype pos) const
{
    const TextBuffer& b = buffer();
    while (pos > 0 && b.at(pos - 1) != u'\n' && b.at(pos - 1) != u'\r' && characterClass(b.at(pos - 1)) == 0)
        --pos;
    if (pos == 0 || b.at(pos - 1) == u'\n' || b.at(pos - 1) == u'\r')
        return previousPosition(pos);
    const int cls = characterClass(b.at(pos - 1));
    while (pos > 0 && b.at(pos - 1) != u'\n' && characterClass(b.at(pos - 1)) == cls)
        --pos;
    return pos;
}

void TextView::moveVertically(int rows, bool keepAnchor)
{
    const int row = rowOfCursor();
    const qreal x = m_preferredX >= 0 ? m_preferredX : m_layout.width(rowText(row), m_cursor - rowStart(row));
    const auto [line, index] = m_layout.rowAt(qMax(0, row + rows));
    const std::vector<qsizetype>& starts = m_layout.rowStarts(line);
    const bool last = size_t(index) + 1 == starts.size();
    const qsizetype start = buffer().lineStart(line) + starts[size_t(index)];
    const qsizetype end = last ? lineEndPosition(line) : buffer().lineStart(line) + starts[size_t(index) + 1];
    const qsizetype column = m_layout.columnAt(buffer().text(start, end - start), x);
    moveCursorTo(start + column, keepAnchor, !last && start + column == end);
    m_preferredX = x;
}

// ---- editing

QString TextView::lineBreak()
{
    // A new line ends as the lines around it do: CR LF in a Windows text.
    const TextBuffer& b = buffer();
    int line = b.lineOf(m_cursor);
    if (line + 1 == b.lineCount() && line > 0)
        --line;
    const bool crlf = line + 1 < b.lineCount() && m_layout.shownLength(line) < b.lineLength(line);
    return crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

void TextView::typeText(const QString& text)
{
    if (m_readOnly || text.isEmpty())
        return;
    if (hasSelection()) {
        insertText(text);
        return;
    }
    qsizetype replaced = 0;
    if (m_overwrite && text != lineBreak()) {
        // Typing over stops at the line end.
        const qsizetype end = lineEndPosition(buffer().lineOf(m_cursor));
        qsizetype pos = m_cursor;
        for (qsizetype i = 0; i < text.size() && pos < end; ++i) {
            if (!text.at(i).isLowSurrogate())
                pos = nextPosition(pos);
        }
        replaced = pos - m_cursor;
    }
    const qsizetype at = m_cursor;
    m_model->replace(at, replaced, text, TextModel::Typing);
    moveCursorTo(at + text.size(), false);
}

void TextView::deleteBackward()
{
    if (m_readOnly)
        return;
    if (hasSelection()) {
        removeSelectedText();
        return;
    }
    const qsizetype from = previousPosition(m_cursor);
    if (from == m_cursor)
        return;
    m_model->remove(from, m_cursor - from, TextModel::Typing);
    moveCursorTo(from, false);
}

void TextView::deleteForward()
{
    if (m_readOnly)
        return;
    if (hasSelection()) {
        removeSelectedText();
        return;
    }
    const qsizetype to = nextPosition(m_cursor);
    if (to == m_cursor)
        return;
    const qsizetype at = m_cursor;
    m_model->remove(at, to - at, TextModel::Typing);
    moveCursorTo(at, false);
}

// ---- keys

bool TextView::handleStandardKey(QKeyEvent* e)
{
    const bool select = e->modifiers() & Qt::ShiftModifier;
    auto move = [&](qsizetype pos, bool atRowEnd = false) { moveCursorTo(pos, select, atRowEnd); };
    if (e == QKeySequence::MoveToNextChar || e == QKeySequence::SelectNextChar) {
        move(hasSelection() && !select ? selectionEnd() : nextPosition(m_cursor));
    } else if (e == QKeySequence::MoveToPreviousChar || e == QKeySequence::SelectPreviousChar) {
        move(hasSelection() && !select ? selectionStart() : previousPosition(m_cursor));
    } else if (e == QKeySequence::MoveToNextWord || e == QKeySequence::SelectNextWord) {
        move(wordEnd(m_cursor));
    } else if (e == QKeySequence::MoveToPreviousWord || e == QKeySequence::SelectPreviousWord) {
        move(wordStart(m_cursor));
    } else if (e == QKeySequence::MoveToNextLine || e == QKeySequence::SelectNextLine) {
        moveVertically(1, select);
    } else if (e == QKeySequence::MoveToPreviousLine || e == QKeySequence::SelectPreviousLine) {
        moveVertically(-1, select);
    } else if (e == QKeySequence::MoveToNextPage || e == QKeySequence::SelectNextPage) {
        const int page = visibleRows();
        setTopRow(m_top + page);
        moveVertically(page, select);
    } else if (e == QKeySequence::MoveToPreviousPage || e == QKeySequence::SelectPreviousPage) {
        const int page = visibleRows();
        setTopRow(m_top - page);
        moveVertically(-page, select);
    } else if (e == QKeySequence::MoveToStartOfLine || e == QKeySequence::SelectStartOfLine) {
        move(rowStart(rowOfCursor()));
    } else if (e == QKeySequence::MoveToEndOfLine || e == QKeySequence::SelectEndOfLine) {
        const int row = rowOfCursor();
        const int line = buffer().lineOf(rowStart(row));
        if (rowEndsLine(row))
            move(lineEndPosition(line));
        else
            move(rowStart(row + 1), true);
    } else if (e == QKeySequence::MoveToStartOfDocument || e == QKeySequence::SelectStartOfDocument) {
        move(0);
    } else if (e == QKeySequence::MoveToEndOfDocument || e == QKeySequence::SelectEndOfDocument) {
        move(buffer().size());
    } else if (e == QKeySequence::SelectAll) {
        selectAll();
    } else if (e == QKeySequence::Undo) {
        undo();
    } else if (e == QKeySequence::Redo) {
        redo();
    } else if (e == QKeySequence::Cut) {
        cut();
    } else if (e == QKeySequence::Copy) {
        copy();
    } else if (e == QKeySequence::Paste) {
        paste();
    } else if (e == QKeySequence::Delete) {
        deleteForward();
    } else if (e == QKeySequence::Backspace) {
        deleteBackward();
    } else if (e == QKeySequence::DeleteStartOfWord) {
        if (!hasSelection())
            moveCursorTo(wordStart(m_cursor), true);
        deleteBackward();
    } else if (e == QKeySequence::DeleteEndOfWord) {
        if (!hasSelection())
            moveCursorTo(wordEnd(m_cursor), true);
        deleteForward();
    } else if (e == QKeySequence::InsertParagraphSeparator || e == QKeySequence::InsertLineSeparator) {
        if (!m_readOnly) {
            if (hasSelection())
                insertText(lineBreak());
            else
                typeText(lineBreak());
        }
    } else {
        return false;
    }
    return true;
}

void TextView::keyPressEvent(QKeyEvent* event)
{
    if (handleStandardKey(event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        setOverwriteMode(!m_overwrite);
    } else if (event->key() == Qt::Key_Backspace) {
        deleteBackward(); // Shift+Backspace and the like
    } else if (isTypedText(event)) {
        typeText(event->text());
    } else {
        event->ignore();
        return;
    }
    event->accept();
}

// ---- input method

void TextView::inputMethodEvent(QInputMethodEvent* event)
{
    if (m_readOnly) {
        event->ignore();
        return;
    }
    const QString commit = event->commitString();
    if (hasSelection() && (!commit.isEmpty() || !event->preeditString().isEmpty()))
        removeSelectedText();
    if (!commit.isEmpty() || event->replacementLength() > 0) {
        const qsizetype from = qBound<qsizetype>(0, m_cursor + event->replacementStart(), buffer().size());
        const qsizetype length = qBound(qsizetype(0), qsizetype(event->replacementLength()), buffer().size() - from);
        m_model->replace(from, length, commit);
        moveCursorTo(from + commit.size(), false);
    }
    m_preedit = event->preeditString();
    m_preeditCursor = int(m_preedit.size());
    m_preeditFormats.clear();
    for (const QInputMethodEvent::Attribute& a : event->attributes()) {
        if (a.type == QInputMethodEvent::Cursor)
            m_preeditCursor = qBound(0, a.start, int(m_preedit.size()));
        else if (a.type == QInputMethodEvent::TextFormat)
            m_preeditFormats.append(a);
        else if (a.type == QInputMethodEvent::Selection && m_preedit.isEmpty()) {
            const qsizetype lineStart = buffer().lineStart(buffer().lineOf(m_cursor));
            setSelection(lineStart + a.start, lineStart + a.start + a.length);
        }
    }
    ensureCursorVisible();
    viewport()->update();
    event->accept();
}

QVariant TextView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    auto* self = const_cast<TextView*>(this);
    const TextBuffer& b = buffer();
    const int line = b.lineOf(m_cursor);
    const qsizetype lineStart = b.lineStart(line);
    const qsizetype from = qMax(lineStart, m_cursor - surroundingReach);
    const qsizetype to = qMin(lineStart + b.lineLength(line), m_cursor + surroundingReach);
    switch (query) {
    case Qt::ImEnabled: return !m_readOnly;
    case Qt::ImHints: return int(Qt::ImhMultiLine);
    case Qt::ImFont: return font();
    case Qt::ImCursorRectangle: return self->cursorRect();
    case Qt::ImAnchorRectangle: return self->cursorRect();
    case Qt::ImAbsolutePosition: return qlonglong(m_cursor);
    case Qt::ImCursorPosition: return int(m_cursor - from);
    case Qt::ImAnchorPosition: return int(qBound(from, m_anchor, to) - from);
    case Qt::ImSurroundingText: return b.text(from, to - from);
    case Qt::ImTextBeforeCursor: return b.text(from, m_cursor - from);
    case Qt::ImTextAfterCursor: return b.text(m_cursor, to - m_cursor);
    case Qt::ImCurrentSelection:
        return selectionEnd() - selectionStart() <= surroundingReach * 2 ? selectedText() : QString();
    case Qt::ImMaximumTextLength: return QVariant();
    default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- mouse

qsizetype TextView::positionAt(const QPoint& point, bool* atRowEnd)
{
    const int row = m_top + qMax(0, point.y()) / m_rowHeight;
    const auto [line, index] = m_layout.rowAt(row);
    const std::vector<qsizetype>& starts = m_layout.rowStarts(line);
    const bool last = size_t(index) + 1 == starts.size();
    const qsizetype start = buffer().lineStart(line) + starts[size_t(index)];
    const qsizetype end = last ? lineEndPosition(line) : buffer().lineStart(line) + starts[size_t(index) + 1];
    const QString text = buffer().text(start, end - start);
    const qreal x = point.x() + horizontalScrollBar()->value() - originOf(text);
    const qsizetype column = m_layout.columnAt(text, x);
    *atRowEnd = !last && start + column == end;
    return start + column;
}

void TextView::mousePressEvent(QMouseEvent* event)
{
    bool atRowEnd = false;
    if (event->button() == Qt::LeftButton) {
        const qsizetype pos = positionAt(event->position().toPoint(), &atRowEnd);
        moveCursorTo(pos, event->modifiers() & Qt::ShiftModifier, atRowEnd);
        m_dragging = true;
    } else if (event->button() == Qt::MiddleButton && !m_readOnly) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard->supportsSelection())
            return;
        const QString text = clipboard->text(QClipboard::Selection);
        moveCursorTo(positionAt(event->position().toPoint(), &atRowEnd), false, atRowEnd);
        if (!text.isEmpty())
            insertText(text);
    }
}

void TextView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    m_dragPoint = event->position().toPoint();
    bool atRowEnd = false;
    const QPoint inside(m_dragPoint.x(), qBound(0, m_dragPoint.y(), viewport()->height() - 1));
    moveCursorTo(positionAt(inside, &atRowEnd), true, atRowEnd);
    if (m_dragPoint.y() < 0 || m_dragPoint.y() >= viewport()->height())
        m_autoScroll.start(50, this);
}

void TextView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    m_autoScroll.stop();
    if (hasSelection())
        announceSelection();
}

void TextView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    bool atRowEnd = false;
    const qsizetype pos = positionAt(event->position().toPoint(), &atRowEnd);
    const TextBuffer& b = buffer();
    if (pos >= b.size() || b.at(pos) == u'\n' || b.at(pos) == u'\r')
        return;
    const int cls = characterClass(b.at(pos));
    qsizetype start = pos;
    while (start > 0 && b.at(start - 1) != u'\n' && characterClass(b.at(start - 1)) == cls)
        --start;
    qsizetype end = pos;
    while (end < b.size() && b.at(end) != u'\n' && b.at(end) != u'\r' && characterClass(b.at(end)) == cls)
        ++end;
    setSelection(start, end);
}

void TextView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    const bool editable = !m_readOnly;
    menu.addAction(tr("&Undo"), this, &TextView::undo)->setEnabled(editable && m_model->isUndoAvailable());
    menu.addAction(tr("&Redo"), this, &TextView::redo)->setEnabled(editable && m_model->isRedoAvailable());
    menu.addSeparator();
    menu.addAction(tr("Cu&t"), this, &TextView::cut)->setEnabled(editable && hasSelection());
    menu.addAction(tr("&Copy"), this, &TextView::copy)->setEnabled(hasSelection());
    menu.addAction(tr("&Paste"), this, &TextView::paste)
        ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("Delete"), this, &TextView::removeSelectedText)->setEnabled(editable && hasSelection());
    menu.addSeparator();
    menu.addAction(tr("Select All"), this, &TextView::selectAll)->setEnabled(!buffer().isEmpty());
    menu.exec(event->globalPos());
}
