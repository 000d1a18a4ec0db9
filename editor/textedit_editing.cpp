#include "textedit.h"

#include "qpeeditor.h"
#include "velinoglobals.h"

#include "platform/doclnk.h"

#include <QAction>
#include <QScrollBar>
#include <QTextBlock>

namespace {
const int fontsize[] = {10, 12, 16, 18, 20, 24, 36};
const int nfontsizes = 7;
} // namespace

void TextEdit::undoProc()
{
    m_editor->undo();
    m_editor->setFocus();
}

void TextEdit::redoProc()
{
    m_editor->redo();
    m_editor->setFocus();
}

void TextEdit::otherProcNum(int id)
{
    switch (id) {
    case 0: undoProc(); break;
    case 1: redoProc(); break;
    case 2: idiomListBox(); break;
    default: break;
    }
}

void TextEdit::editSelectAll()
{
    m_editor->selectAll();
    m_editor->setFocus();
}

void TextEdit::tabIndent()
{
    QTextCursor c = m_editor->textCursor();
    if (!c.hasSelection()) {
        c.insertText(QStringLiteral("\t"));
        m_editor->setFocus();
        return;
    }
    // Only rows of the selection that begin a paragraph get a tab.
    QTextCursor rowStart(m_editor->document());
    rowStart.setPosition(c.selectionStart());
    rowStart.movePosition(QTextCursor::StartOfLine);
    const int from = rowStart.position();
    const int to = c.selectionEnd();
    QTextCursor edit(m_editor->document());
    edit.beginEditBlock();
    QTextBlock b = m_editor->document()->findBlock(to);
    for (; b.isValid() && b.position() >= from; b = b.previous()) {
        edit.setPosition(b.position());
        edit.insertText(QStringLiteral("\t"));
    }
    edit.endEditBlock();
    m_editor->setFocus();
}

void TextEdit::shiftTabIndent()
{
    QTextCursor c = m_editor->textCursor();
    if (!c.hasSelection())
        return;
    QTextCursor rowStart(m_editor->document());
    rowStart.setPosition(c.selectionStart());
    rowStart.movePosition(QTextCursor::StartOfLine);
    const int from = rowStart.position();
    QTextCursor edit(m_editor->document());
    edit.beginEditBlock();
    for (QTextBlock b = m_editor->document()->findBlock(c.selectionEnd()); b.isValid() && b.position() >= from;
         b = b.previous()) {
        if (b.text().startsWith(QLatin1Char('\t'))) {
            edit.setPosition(b.position());
            edit.deleteChar();
        }
    }
    edit.endEditBlock();
    m_editor->setFocus();
}

void TextEdit::changeOverWrite()
{
    m_editor->setOverWriteWhich(!m_editor->isOverwrite());
    m_editor->viewport()->update();
}

void TextEdit::setAutoIndent(bool on)
{
    AutoIndent = on;
    m_editor->setAutoindent(on);
}

void TextEdit::setFontSize(int size, bool down)
{
    int chosen = 10;
    bool found = false;
    for (int i = 0; i < nfontsizes && !found; ++i)
        found = fontsize[i] == size;
    if (found) {
        chosen = size;
    } else if (down) {
        for (int i = 0; i < nfontsizes; ++i)
            if (fontsize[i] < size)
                chosen = fontsize[i];
    } else {
        for (int i = nfontsizes - 1; i >= 0; --i)
            if (fontsize[i] > size)
                chosen = fontsize[i];
    }
    m_editor->setFontSize(chosen);
    largeFontAction->setEnabled(chosen != 36);
    smallFontAction->setEnabled(chosen != 10);
    setUpdateCellWidth();
}

void TextEdit::zoomIn()
{
    setFontSize(m_editor->fontSize() + 1, false);
    if (Wrap && WrapMethod > 3)
        setWordWrap(true);
}

void TextEdit::zoomOut()
{
    setFontSize(m_editor->fontSize() - 1, true);
    if (Wrap && WrapMethod > 3)
        setWordWrap(true);
}

void TextEdit::setWordWrap(bool on)
{
    Wrap = on;
    if (wrapAction->isChecked() != on)
        wrapAction->setChecked(on);
    const bool edited = m_editor->edited();
    m_editor->setWordWrapMode(WrapMethod == 3 ? QTextOption::WordWrap : QTextOption::WrapAnywhere);
    if (WrapMethod == 1 || WrapMethod > 3) {
        if (on) {
            FrameWidth = m_editor->width();
            if (FrameWidth < 200)
                return; // a later repaint tries again once the widget is wide enough
            setUpdateCellWidth();
            const int pointSize = m_editor->fontSize();
            const int width = WrapMethod == 1
                ? FrameWidth - 2 * m_editor->horizontalMargin() - m_editor->verticalScrollBar()->width()
                : pointSize * WrapMethod / 2 + pointSize;
            m_editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            m_editor->setFixedWrapWidth(width);
        } else {
            FrameWidth = -99;
            m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
            m_editor->setFixedWrapWidth(0);
        }
    } else {
        FrameWidth = -99;
        m_editor->setFixedWrapWidth(0);
        m_editor->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    }
    m_editor->setEdited(edited);
    m_editor->setCursorPosition(0, 0);
    m_editor->setScrollBarDisp(ScrollBarDisp);
    m_editor->setFocus();
}

void TextEdit::wrap_this()
{
    setWordWrap(Wrap);
}

void TextEdit::jump_top()
{
    m_editor->setCursorPosition(0, 0);
    m_editor->setFocus();
    if (LineNumber == 1)
        updateCaption();
}

void TextEdit::jump_bottom()
{
    m_editor->setCursorPosition(m_editor->numRows() - 1, 0);
    m_editor->setFocus();
    if (LineNumber == 1)
        updateCaption();
}

void TextEdit::jump_to(int line)
{
    int row = -1;
    if (line >= 0)
        row = Wrap ? m_editor->Line2WrapLineNumber(line) : qMin(line, m_editor->numRows() - 1);
    if (row < 0)
        row = m_editor->numRows() - 1;
    m_editor->setCursorPosition(row, 0);
    m_editor->ensureCursorVisible();
}

void TextEdit::editCut()
{
    m_editor->cut();
    reSetCursorPosition();
    m_editor->setFocus();
}

void TextEdit::editCopy()
{
    m_editor->copy();
    m_editor->setFocus();
}

void TextEdit::editPaste()
{
    m_editor->paste();
    reSetCursorPosition();
    m_editor->setFocus();
}

// Commands of the editor that come with its find, dialog and editing-aid features.
void TextEdit::editDuplicate() {}
void TextEdit::editRemove() {}
void TextEdit::editSelectTop() {}
void TextEdit::editSelectBottom() {}
void TextEdit::editSelectMark() {}
void TextEdit::selectWords() {}
void TextEdit::inputHalfSpace() {}
void TextEdit::insertDateTime() {}
void TextEdit::insertFullPath() {}
void TextEdit::idiomListBox() {}
void TextEdit::idiomNumber(int) {}
void TextEdit::countCharacter() {}
void TextEdit::show_clipboard() {}
void TextEdit::editFind() {}
void TextEdit::editFindPrev() {}
void TextEdit::search() {}
void TextEdit::findNext() {}
void TextEdit::findPrev() {}
void TextEdit::findClose() {}
void TextEdit::replaceProc() {}
void TextEdit::jump_number() {}
void TextEdit::MarkCursorPos(bool) {}
void TextEdit::jump_markpos() {}
