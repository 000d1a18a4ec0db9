#include "qpeeditor.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QKeyEvent>
#include <QShortcut>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextLayout>

namespace {
QColor backColour(int n)
{
    static const QColor table[] = {QColor(255, 255, 255), QColor(255, 150, 150), QColor(150, 255, 150),
                                   QColor(150, 150, 255), QColor(255, 150, 255), QColor(150, 255, 255),
                                   QColor(255, 255, 150), QColor(0, 0, 0)};
    return n >= 0 && n < 8 ? table[n] : table[0];
}

QColor textColour(int n)
{
    static const QColor table[] = {
        QColor(0, 0, 0),       QColor(80, 0, 0),      QColor(0, 80, 0),      QColor(0, 0, 80),
        QColor(255, 255, 255), QColor(160, 160, 164), QColor(128, 128, 128), QColor(255, 0, 0),
        QColor(0, 255, 0),     QColor(0, 0, 255),     QColor(255, 0, 255),   QColor(0, 255, 255),
        QColor(255, 255, 0),   QColor(255, 100, 100), QColor(100, 255, 100), QColor(100, 100, 255),
        QColor(255, 100, 255), QColor(100, 255, 255), QColor(255, 255, 100)};
    return n >= 0 && n < 19 ? table[n] : table[0];
}
} // namespace

QpeEditor::QpeEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &QpeEditor::cursorMoved);
    connect(this, &QPlainTextEdit::textChanged, this, &QpeEditor::cursorMoved);
    // The number of rows changes when paragraphs wrap anew; told once the layout is done.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &QpeEditor::cursorMoved, Qt::QueuedConnection);
    setSettings(m_settings);
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
    const bool handled = QPlainTextEdit::event(event);
    if (event->type() == QEvent::FontChange)
        applyTabStop();
    return handled;
}

void QpeEditor::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    applyFixedWidth();
    emit resized();
}

QString QpeEditor::text() const
{
    return toPlainText();
}

void QpeEditor::setText(const QString& text)
{
    setPlainText(text);
}

void QpeEditor::insert(const QString& text)
{
    insertPlainText(text);
}

bool QpeEditor::isEmpty() const
{
    return document()->isEmpty();
}

int QpeEditor::numLines() const
{
    return document()->blockCount();
}

QString QpeEditor::textLine(int paragraph) const
{
    return document()->findBlockByNumber(paragraph).text();
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

bool QpeEditor::edited() const
{
    return document()->isModified();
}

void QpeEditor::setEdited(bool on)
{
    document()->setModified(on);
}

void QpeEditor::setWrap(WrapMode mode, bool atWhiteSpace, int pixelWidth)
{
    m_wrapMode = mode;
    m_fixedWidth = mode == WrapMode::FixedWidth ? pixelWidth : 0;
    setWordWrapMode(atWhiteSpace ? QTextOption::WordWrap : QTextOption::WrapAnywhere);
    setLineWrapMode(mode == WrapMode::None ? NoWrap : WidgetWidth);
    applyFixedWidth();
}

void QpeEditor::applyFixedWidth()
{
    // The plain text widget wraps at its viewport's width only; a right margin narrows it.
    const int scrollBar = verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0;
    const int available = contentsRect().width() - scrollBar;
    const int margin = m_fixedWidth > 0 ? qMax(0, available - m_fixedWidth) : 0;
    if (viewportMargins().right() != margin)
        setViewportMargins(0, 0, margin, 0);
}

int QpeEditor::getVerticalScrollBarWidth() const
{
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : verticalScrollBar()->width();
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
}

void QpeEditor::applyTabStop()
{
    setTabStopDistance(m_settings.TabLength * QFontMetricsF(font()).horizontalAdvance(QLatin1Char('x')));
}

void QpeEditor::setSettings(const EditorSettings& settings)
{
    m_settings = settings;
    applyTabStop();
    QPalette p = palette();
    p.setColor(QPalette::Base, backColour(settings.BackColor));
    p.setColor(QPalette::Text, textColour(settings.TextColor));
    setPalette(p);
    const int bars = settings.ScrollBarDisp;
    setVerticalScrollBarPolicy(bars == 0 || bars == 2 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(bars == 0 || bars == 1 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    viewport()->update();
}

void QpeEditor::setFileType(int type)
{
    m_fileType = type >= 0 && type < FileTypes ? type : FileTypes - 1;
    viewport()->update();
}

int QpeEditor::horizontalMargin() const
{
    const int mode = m_settings.LineNumber;
    return mode <= 1 ? 3 : fontSize() / 2 * mode + 5;
}

QColor QpeEditor::cursorColour() const
{
    static const QColor table[] = {Qt::red, Qt::green, Qt::blue, Qt::magenta, Qt::cyan, Qt::yellow, Qt::black, Qt::white};
    const int n = m_settings.CursorColor2;
    return n >= 0 && n < 8 ? table[n] : table[0];
}

QColor QpeEditor::cursorLineColour() const
{
    static const QColor table[] = {Qt::red, Qt::red, QColor(0, 128, 0), Qt::blue, Qt::magenta,
                                   Qt::cyan, QColor(128, 128, 0), Qt::black, Qt::white};
    const int n = m_settings.CursorColor;
    return n >= 0 && n < 9 ? table[n] : table[0];
}

QColor QpeEditor::selectionColour() const
{
    static const QColor table[] = {QColor(0, 0, 255), QColor(0, 0, 128), QColor(128, 0, 0), QColor(0, 128, 0),
                                   QColor(128, 0, 128), QColor(128, 128, 0), QColor(80, 80, 80)};
    const int n = m_settings.SelectedColor;
    return n >= 0 && n < 7 ? table[n] : table[0];
}

void QpeEditor::set2byteSpace()
{
    QTextCodec* codec = QTextCodec::codecForName("EUC-JP");
    m_fullWidthSpace = codec ? codec->toUnicode("\xA1\xA1") : QString(QChar(0x3000));
}

void QpeEditor::setOverWriteWhich(int on)
{
    setOverwriteMode(on != 0);
    viewport()->update();
}

void QpeEditor::setJumpMark(int line, int col)
{
    m_markLine = line;
    m_markCol = col;
    viewport()->update();
}

bool QpeEditor::editSelectedParagraphs(const std::function<void(QTextCursor&, const QTextBlock&)>& edit)
{
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return false;
    // Only rows of the selection that begin a paragraph count.
    QTextCursor rowStart(document());
    rowStart.setPosition(c.selectionStart());
    rowStart.movePosition(QTextCursor::StartOfLine);
    const int from = rowStart.position();
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (QTextBlock b = document()->findBlock(c.selectionEnd()); b.isValid() && b.position() >= from; b = b.previous()) {
        cursor.setPosition(b.position());
        edit(cursor, b);
    }
    cursor.endEditBlock();
    return true;
}

bool QpeEditor::insertTabIndent()
{
    return editSelectedParagraphs([](QTextCursor& c, const QTextBlock&) { c.insertText(QStringLiteral("\t")); });
}

bool QpeEditor::removeTabIndent()
{
    return editSelectedParagraphs([](QTextCursor& c, const QTextBlock& b) {
        if (b.text().startsWith(QLatin1Char('\t')))
            c.deleteChar();
    });
}
