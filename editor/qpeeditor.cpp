#include "qpeeditor.h"

#include "velinoglobals.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QKeyEvent>
#include <QShortcut>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextLayout>

QpeEditor::QpeEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    setCursorColor(0);
    setCursorLineColor(0);
    setSelectedColor(0);
}

bool QpeEditor::event(QEvent* event)
{
    // The window's menu keys and accelerators (Ctrl+A saves as, Tab indents, the
    // special keys) come before the text widget's own use of the same keys.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        const QWidget* top = window();
        for (const QAction* action : top->findChildren<QAction*>()) {
            if (action->isEnabled() && action->shortcut() == key) {
                event->ignore();
                return true;
            }
        }
        for (const QShortcut* shortcut : top->findChildren<QShortcut*>()) {
            if (shortcut->isEnabled() && shortcut->key() == key) {
                event->ignore();
                return true;
            }
        }
    }
    return QPlainTextEdit::event(event);
}

void QpeEditor::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    // The caption's line part follows the cursor.
    if (m_lineNumberMode == 1)
        InsteadOfSignal();
    // A fixed-width wrap postponed while the widget was narrow, or made for another width.
    if (FrameWidth != -99 && (FrameWidth < 200 || FrameWidth != width()))
        InsteadOfWrapSignal();
    UpdateCellWidth = 0;
}

int QpeEditor::rowsOf(const QTextBlock& block) const
{
    // Blocks out of view may not be laid out yet; asking for their rectangle lays them out.
    if (block.layout()->lineCount() == 0)
        document()->documentLayout()->blockBoundingRect(block);
    return qMax(1, block.layout()->lineCount());
}

int QpeEditor::numRows() const
{
    if (lineWrapMode() == NoWrap)
        return document()->blockCount();
    int rows = 0;
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next())
        rows += rowsOf(b);
    return rows;
}

QTextBlock QpeEditor::blockOfRow(int row, int* lineInBlock) const
{
    int first = 0;
    QTextBlock b = document()->firstBlock();
    for (; b.isValid(); b = b.next()) {
        const int n = rowsOf(b);
        if (row < first + n || !b.next().isValid()) {
            *lineInBlock = qBound(0, row - first, n - 1);
            return b;
        }
        first += n;
    }
    *lineInBlock = 0;
    return b;
}

int QpeEditor::cursorRow() const
{
    const QTextCursor c = textCursor();
    const QTextBlock block = c.block();
    int row = Line2WrapLineNumber(block.blockNumber());
    rowsOf(block);
    const QTextLine line = block.layout()->lineForTextPosition(c.positionInBlock());
    if (line.isValid())
        row += line.lineNumber();
    return row;
}

int QpeEditor::cursorColumn() const
{
    const QTextCursor c = textCursor();
    const QTextBlock block = c.block();
    rowsOf(block);
    const QTextLine line = block.layout()->lineForTextPosition(c.positionInBlock());
    return line.isValid() ? c.positionInBlock() - line.textStart() : c.positionInBlock();
}

QString QpeEditor::rowText(int row) const
{
    int lineNo = 0;
    const QTextBlock b = blockOfRow(row, &lineNo);
    const QTextLine line = b.layout()->lineAt(lineNo);
    if (!line.isValid())
        return b.text();
    return b.text().mid(line.textStart(), line.textLength());
}

int QpeEditor::Row2CRLineNumber(int row) const
{
    int lineNo = 0;
    return blockOfRow(row, &lineNo).blockNumber();
}

int QpeEditor::Line2WrapLineNumber(int line) const
{
    if (line < 0 || line >= document()->blockCount())
        return -1;
    if (lineWrapMode() == NoWrap)
        return line;
    int row = 0;
    for (QTextBlock b = document()->firstBlock(); b.blockNumber() < line; b = b.next())
        row += rowsOf(b);
    return row;
}

void QpeEditor::setCursorPosition(int row, int col)
{
    int lineNo = 0;
    const QTextBlock b = blockOfRow(qMax(0, row), &lineNo);
    const QTextLine line = b.layout()->lineAt(lineNo);
    int pos = 0;
    if (line.isValid()) {
        // Within a wrapped row, stop before the next row's first character.
        const bool lastRow = lineNo == b.layout()->lineCount() - 1;
        const int width = lastRow ? line.textLength() : qMax(0, line.textLength() - 1);
        pos = line.textStart() + qBound(0, col, width);
    } else {
        pos = qBound(0, col, b.length() - 1);
    }
    QTextCursor c(b);
    c.setPosition(b.position() + pos);
    setTextCursor(c);
}

void QpeEditor::setFixedWrapWidth(int width)
{
    // The plain text widget wraps at its viewport's width only; a right margin narrows it.
    const int scrollBar = verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0;
    const int available = contentsRect().width() - scrollBar;
    setViewportMargins(0, 0, width > 0 ? qMax(0, available - width) : 0, 0);
}

bool QpeEditor::edited() const
{
    return document()->isModified();
}

void QpeEditor::setEdited(bool on)
{
    document()->setModified(on);
}

int QpeEditor::fontSize() const
{
    return font().pointSize();
}

void QpeEditor::setFontSize(int pointSize)
{
    QFont f = font();
    f.setPointSize(pointSize);
    setFont(f);
    setDefaultTabStop(m_tabStop);
    setLineNumber(m_lineNumberMode, m_lineNumberCr);
}

void QpeEditor::setDefaultTabStop(int xWidths)
{
    m_tabStop = xWidths;
    setTabStopDistance(xWidths * QFontMetricsF(font()).horizontalAdvance(QLatin1Char('x')));
}

void QpeEditor::setUserFileInfo(int type, const UserFileInfo& info)
{
    if (type >= 0 && type < FileTypes)
        m_fileInfo[type] = info;
}

void QpeEditor::set2byteSpace()
{
    QTextCodec* codec = QTextCodec::codecForName("EUC-JP");
    m_fullWidthSpace = codec ? codec->toUnicode("\xA1\xA1") : QString(QChar(0x3000));
}

void QpeEditor::setOverWriteWhich(int on)
{
    setOverwriteMode(on != 0);
}

void QpeEditor::setJumpMark(int line, int col)
{
    m_markLine = line;
    m_markCol = col;
    viewport()->update();
}

void QpeEditor::setLineNumber(int mode, bool cr)
{
    m_lineNumberMode = mode;
    m_lineNumberCr = cr;
    m_margin = mode <= 1 ? 3 : fontSize() / 2 * mode + 5;
}

void QpeEditor::setScrollBarDisp(int mode)
{
    const bool vertical = mode == 0 || mode == 2;
    const bool horizontal = mode == 0 || mode == 1;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void QpeEditor::setSelectedColor(int n)
{
    static const QColor table[] = {QColor(0, 0, 255), QColor(0, 0, 128), QColor(128, 0, 0), QColor(0, 128, 0),
                                   QColor(128, 0, 128), QColor(128, 128, 0), QColor(80, 80, 80)};
    m_selectionColour = n >= 0 && n < 7 ? table[n] : table[0];
}

void QpeEditor::setCursorColor(int n)
{
    static const QColor table[] = {Qt::red, Qt::green, Qt::blue, Qt::magenta, Qt::cyan, Qt::yellow, Qt::black, Qt::white};
    m_cursorColour = n >= 0 && n < 8 ? table[n] : table[0];
}

void QpeEditor::setCursorLineColor(int n)
{
    static const QColor table[] = {Qt::red, Qt::red, QColor(0, 128, 0), Qt::blue, Qt::magenta,
                                   Qt::cyan, QColor(128, 128, 0), Qt::black, Qt::white};
    m_cursorLineColour = n >= 0 && n < 9 ? table[n] : table[0];
}
