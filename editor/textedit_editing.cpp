#include "textedit.h"

#include "qpeeditor.h"
#include "settingstable.h"

#include <QAction>

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
    if (!m_editor->insertTabIndent())
        m_editor->insert(QStringLiteral("\t"));
    m_editor->setFocus();
}

void TextEdit::shiftTabIndent()
{
    m_editor->removeTabIndent();
    m_editor->setFocus();
}

void TextEdit::changeOverWrite()
{
    m_editor->setOverWriteWhich(!m_editor->isOverwrite());
}

void TextEdit::setAutoIndent(bool on)
{
    m_settings.AutoIndent = on;
    applySettings();
}

void TextEdit::setFontSize(int size, bool down)
{
    const int chosen = snapFontSize(size, down);
    m_editor->setFontSize(chosen);
    largeFontAction->setEnabled(chosen != 36);
    smallFontAction->setEnabled(chosen != 10);
}

void TextEdit::zoomIn()
{
    setFontSize(m_editor->fontSize() + 1, false);
    if (m_settings.Wrap && m_settings.WrapMethod > 3)
        setWordWrap(true);
}

void TextEdit::zoomOut()
{
    setFontSize(m_editor->fontSize() - 1, true);
    if (m_settings.Wrap && m_settings.WrapMethod > 3)
        setWordWrap(true);
}

void TextEdit::setWordWrap(bool on)
{
    const int method = m_settings.WrapMethod;
    m_settings.Wrap = on;
    if (wrapAction->isChecked() != on)
        wrapAction->setChecked(on);
    const bool edited = m_editor->edited();
    if (on && (method == 1 || method > 3)) {
        if (!applyFixedWrap())
            return; // made when the widget has grown wide enough
    } else {
        FrameWidth = -99;
        const auto mode = on ? QpeEditor::WrapMode::WidgetWidth : QpeEditor::WrapMode::None;
        m_editor->setWrap(mode, method == 3);
    }
    m_editor->setEdited(edited);
    m_editor->setCursorPosition(0, 0);
    applySettings();
    m_editor->setFocus();
}

bool TextEdit::applyFixedWrap()
{
    const int method = m_settings.WrapMethod;
    FrameWidth = m_editor->width();
    if (FrameWidth < 200)
        return false;
    const int pointSize = m_editor->fontSize();
    // WrapMethod 1: the widget's width less margin and scroll bar; 10 to 200: that many
    // half-width columns of pointSize / 2 pixels, plus one character.
    const int width = method == 1
        ? FrameWidth - 2 * m_editor->horizontalMargin() - m_editor->getVerticalScrollBarWidth()
        : pointSize * method / 2 + pointSize;
    m_editor->setWrap(QpeEditor::WrapMode::FixedWidth, false, width);
    return true;
}

void TextEdit::editorResized()
{
    // A fixed-width wrap waiting for a wider widget, or made for another width; the
    // cursor stays where it is, and in view.
    if (FrameWidth != -99 && FrameWidth != m_editor->width() && applyFixedWrap())
        m_editor->ensureCursorVisible();
}

void TextEdit::wrap_this()
{
    setWordWrap(m_settings.Wrap);
}

void TextEdit::MarkCursorPos(bool on)
{
    if (on)
        m_editor->setJumpMark(m_editor->cursorRow(), m_editor->cursorColumn());
    else
        m_editor->setJumpMark(-1, -1);
    m_editor->setFocus();
}

void TextEdit::jump_top()
{
    m_editor->setCursorPosition(0, 0);
    m_editor->setFocus();
    if (m_settings.LineNumber == 1)
        updateCaption();
}

void TextEdit::jump_bottom()
{
    m_editor->setCursorPosition(m_editor->numRows() - 1, 0);
    m_editor->setFocus();
    if (m_settings.LineNumber == 1)
        updateCaption();
}

void TextEdit::jump_to(int line)
{
    int row = -1;
    if (line >= 0)
        row = m_settings.Wrap ? m_editor->Line2WrapLineNumber(line) : qMin(line, m_editor->numRows() - 1);
    if (row < 0)
        row = m_editor->numRows() - 1;
    m_editor->setCursorPosition(row, 0);
    m_editor->ensureCursorVisible();
}
