#include "textview.h"

#include "textviewaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {
// Room right of the text for the cursor.
constexpr int cursorRoom = 4;
} // namespace

TextView::TextView(QWidget* parent)
    : QAbstractScrollArea(parent), m_model(new TextModel(this)), m_layout(m_model->buffer())
{
    static const bool accessible = (TextViewAccessible::install(), true);
    Q_UNUSED(accessible);
    connect(m_model, &TextModel::changed, this, &TextView::modelChanged);
    connect(m_model, &TextModel::reset, this, &TextView::modelReset);
    connect(m_model, &TextModel::modificationChanged, this, &TextView::modificationChanged);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) { m_top = value; });
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    relayout();
}

TextView::~TextView() = default;

void TextView::setPlainText(const QString& text)
{
    m_model->setText(text);
    setCursorPosition(0);
}

void TextView::setBuffer(TextBuffer&& text)
{
    m_model->setBuffer(std::move(text));
    setCursorPosition(0);
}

// ---- cursor and selection

QString TextView::selectedText() const
{
    return buffer().text(selectionStart(), selectionEnd() - selectionStart());
}

void TextView::setCursorPosition(qsizetype pos, bool keepAnchor)
{
    moveCursorTo(pos, keepAnchor);
}

void TextView::setSelection(qsizetype anchor, qsizetype cursor)
{
    moveCursorTo(anchor, false);
    moveCursorTo(cursor, true);
}

void TextView::selectAll()
{
    setSelection(0, buffer().size());
}

void TextView::moveCursorTo(qsizetype pos, bool keepAnchor, bool atRowEnd)
{
    const TextBuffer& b = buffer();
    pos = qBound<qsizetype>(0, pos, b.size());
    // Never between the halves of a line end or of a surrogate pair.
    if (pos > 0 && pos < b.size()
        && ((b.at(pos) == u'\n' && b.at(pos - 1) == u'\r') || (b.at(pos).isLowSurrogate() && b.at(pos - 1).isHighSurrogate())))
        --pos;
    const bool hadSelection = hasSelection();
    const qsizetype oldAnchor = m_anchor;
    const qsizetype oldCursor = m_cursor;
    m_cursor = pos;
    if (!keepAnchor)
        m_anchor = pos;
    m_atRowEnd = atRowEnd;
    m_preferredX = -1;
    restartBlink();
    ensureCursorVisible();
    viewport()->update();
    if (oldCursor != m_cursor) {
        emit cursorPositionChanged();
        if (QAccessible::isActive()) {
            QAccessibleTextCursorEvent event(this, int(m_cursor));
            QAccessible::updateAccessibility(&event);
        }
    }
    if (hadSelection != hasSelection())
        emit copyAvailable(hasSelection());
    if ((hadSelection || hasSelection()) && (oldAnchor != m_anchor || oldCursor != m_cursor)) {
        emit selectionChanged();
        announceSelection();
        if (QAccessible::isActive()) {
            QAccessibleTextSelectionEvent event(this, int(selectionStart()), int(selectionEnd()));
            QAccessible::updateAccessibility(&event);
        }
    }
}

void TextView::announceSelection()
{
    // Coalesced, so that a selection grown key by key is copied once.
    if (m_selectionPending || m_dragging)
        return;
    m_selectionPending = true;
    QTimer::singleShot(0, this, [this] {
        m_selectionPending = false;
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (hasSelection() && clipboard->supportsSelection())
            clipboard->setText(selectedText(), QClipboard::Selection);
    });
}

void TextView::insertText(const QString& text)
{
    if (m_readOnly)
        return;
    const qsizetype start = selectionStart();
    m_model->replace(start, selectionEnd() - start, text);
    moveCursorTo(start + text.size(), false);
}

void TextView::removeSelectedText()
{
    if (hasSelection())
        insertText(QString());
}

// ---- rows

int TextView::rowOfPosition(qsizetype pos, bool atRowEnd)
{
    const int line = buffer().lineOf(pos);
    const std::vector<qsizetype>& starts = m_layout.rowStarts(line);
    const qsizetype offset = pos - buffer().lineStart(line);
    int index = int(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
    if (atRowEnd && index > 0 && starts[size_t(index)] == offset)
        --index;
    return m_layout.firstRow(line) + index;
}

int TextView::rowOfCursor()
{
    return rowOfPosition(m_cursor, m_atRowEnd);
}

int TextView::cursorRow()
{
    return rowOfCursor();
}

int TextView::cursorColumn()
{
    return int(m_cursor - rowStart(rowOfCursor()));
}

qsizetype TextView::rowStart(int row)
{
    const auto [line, index] = m_layout.rowAt(row);
    return buffer().lineStart(line) + m_layout.rowStarts(line)[size_t(index)];
}

qsizetype TextView::rowEnd(int row)
{
    const auto [line, index] = m_layout.rowAt(row);
    const std::vector<qsizetype>& starts = m_layout.rowStarts(line);
    if (size_t(index) + 1 < starts.size())
        return buffer().lineStart(line) + starts[size_t(index) + 1];
    return lineEndPosition(line);
}

QString TextView::rowText(int row)
{
    const auto [line, index] = m_layout.rowAt(row);
    const std::vector<qsizetype>& starts = m_layout.rowStarts(line);
    const qsizetype start = starts[size_t(index)];
    const qsizetype end = size_t(index) + 1 < starts.size() ? starts[size_t(index) + 1] : buffer().lineLength(line);
    return buffer().text(buffer().lineStart(line) + start, end - start);
}

bool TextView::rowEndsLine(int row)
{
    const auto [line, index] = m_layout.rowAt(row);
    return size_t(index) + 1 == m_layout.rowStarts(line).size();
}

void TextView::setCursorRowColumn(int row, int column, bool keepAnchor)
{
    const auto [line, index] = m_layout.rowAt(qMax(0, row));
    const std::vector<qsizetype>& starts = m_layout.rowStarts(line);
    const bool last = size_t(index) + 1 == starts.size();
    const qsizetype start = starts[size_t(index)];
    const qsizetype length = (last ? m_layout.shownLength(line) : starts[size_t(index) + 1]) - start;
    const qsizetype col = qBound(qsizetype(0), qsizetype(column), length);
    moveCursorTo(buffer().lineStart(line) + start + col, keepAnchor, !last && col == length);
}

// ---- layout and scrolling

void TextView::setWrap(RowLayout::WrapMode mode, int width)
{
    m_fixedWrapWidth = width;
    const int topLine = m_layout.rowAt(topRow()).first;
    const qreal available = qMax(1, viewport()->width() - m_leftMargin - cursorRoom);
    m_layout.setWrap(mode, width > 0 ? width : available);
    updateScrollBars();
    setTopRow(m_layout.firstRow(topLine));
    startIdleMeasuring();
    viewport()->update();
}

void TextView::setTabStop(int xWidths)
{
    m_tabStop = xWidths;
    relayout();
}

void TextView::setLeftMargin(int pixels)
{
    if (pixels == m_leftMargin)
        return;
    m_leftMargin = pixels;
    if (m_layout.wrapMode() != RowLayout::NoWrap && m_fixedWrapWidth == ViewportWidth)
        setWrap(m_layout.wrapMode());
    updateScrollBars();
    viewport()->update();
}

void TextView::relayout()
{
    const int topLine = m_layout.rowAt(topRow()).first;
    m_layout.setFont(font());
    const QFontMetrics metrics(font());
    m_rowHeight = qMax(1, metrics.lineSpacing());
    m_layout.setTabDistance(m_tabStop * metrics.horizontalAdvance(QLatin1Char('x')));
    updateScrollBars();
    setTopRow(m_layout.firstRow(topLine));
    startIdleMeasuring();
    viewport()->update();
}

int TextView::topRow() const
{
    return m_top;
}

void TextView::setTopRow(int row)
{
    verticalScrollBar()->setValue(row);
    m_top = verticalScrollBar()->value();
}

int TextView::visibleRows() const
{
    return qMax(1, viewport()->height() / m_rowHeight);
}

void TextView::updateScrollBars()
{
    QScrollBar* vertical = verticalScrollBar();
    const int rows = m_layout.estimatedRowCount();
    const int top = m_top;
    vertical->setRange(0, qMax(0, rows - visibleRows()));
    vertical->setPageStep(visibleRows());
    vertical->setSingleStep(1);
    vertical->setValue(top);
    m_top = vertical->value();

    QScrollBar* horizontal = horizontalScrollBar();
    qreal content = 0;
    if (m_layout.wrapMode() == RowLayout::NoWrap)
        content = m_layout.widest();
    else if (m_fixedWrapWidth != ViewportWidth)
        content = m_layout.wrapWidth();
    const int width = viewport()->width();
    horizontal->setRange(0, qMax(0, int(content) + m_leftMargin + cursorRoom - width));
    horizontal->setPageStep(width);
    horizontal->setSingleStep(qMax(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('x'))));
}

void TextView::startIdleMeasuring()
{
    if (!m_idle.isActive())
        m_idle.start(0, this);
}

void TextView::ensureCursorVisible()
{
    const int row = rowOfCursor();
    const int visible = visibleRows();
    if (row < m_top || row >= m_top + visible) {
        // The range may still be an estimate; the row is known exactly.
        if (verticalScrollBar()->maximum() < row)
            verticalScrollBar()->setMaximum(row);
        setTopRow(row < m_top ? row : row - visible + 1);
    }
    if (m_layout.wrapMode() != RowLayout::NoWrap && m_fixedWrapWidth == ViewportWidth)
        return;
    const QString text = rowText(row);
    const int x = m_leftMargin + int(m_layout.width(text, m_cursor - rowStart(row)));
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width();
    if (x < horizontal->value())
        horizontal->setValue(qMax(0, x - width / 4));
    else if (x + cursorRoom > horizontal->value() + width) {
        if (horizontal->maximum() < x + cursorRoom - width)
            horizontal->setMaximum(x + cursorRoom - width + width / 4);
        horizontal->setValue(x + cursorRoom - width + width / 4);
    }
}

QRect TextView::cursorRect()
{
    const int row = rowOfCursor();
    const qsizetype start = rowStart(row);
    QString text = rowText(row);
    qsizetype column = m_cursor - start;
    if (!m_preedit.isEmpty()) {
        text.insert(column, m_preedit);
        column += m_preeditCursor;
    }
    const int x = int(originOf(text) + m_layout.width(text, column)) - horizontalScrollBar()->value();
    const QPoint origin = viewport()->geometry().topLeft();
    return QRect(origin.x() + x, origin.y() + (row - m_top) * m_rowHeight, 2, m_rowHeight);
}

QRect TextView::positionRect(qsizetype pos)
{
    pos = qBound<qsizetype>(0, pos, buffer().size());
    const int row = rowOfPosition(pos);
    const qsizetype start = rowStart(row);
    const QString text = rowText(row);
    const qreal x1 = originOf(text) + m_layout.width(text, pos - start);
    const qreal x2 = originOf(text) + m_layout.width(text, nextPosition(pos) - start);
    const QPoint origin = viewport()->geometry().topLeft();
    return QRect(origin.x() + int(x1) - horizontalScrollBar()->value(), origin.y() + (row - m_top) * m_rowHeight,
                 qMax(1, int(x2 - x1)), m_rowHeight);
}

qsizetype TextView::positionAtPoint(const QPoint& point)
{
    bool atRowEnd = false;
    return positionAt(point - viewport()->geometry().topLeft(), &atRowEnd);
}

void TextView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_layout.wrapMode() != RowLayout::NoWrap && m_fixedWrapWidth == ViewportWidth)
        setWrap(m_layout.wrapMode());
    else
        updateScrollBars();
}

// ---- model

void TextView::modelChanged(const TextModel::Change& change)
{
    m_layout.textChanged(change);
    auto adjust = [&](qsizetype pos) {
        if (pos <= change.pos)
            return pos;
        if (pos >= change.pos + change.removed)
            return pos + change.inserted - change.removed;
        return change.pos + change.inserted;
    };
    m_cursor = adjust(m_cursor);
    m_anchor = adjust(m_anchor);
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, int(change.pos), change.removedText.toString(),
                                         buffer().text(change.pos, change.inserted));
        QAccessible::updateAccessibility(&event);
    }
    updateScrollBars();
    startIdleMeasuring();
    viewport()->update();
    emit textChanged();
}

void TextView::modelReset()
{
    m_layout.textReset();
    m_cursor = qMin(m_cursor, buffer().size());
    m_anchor = qMin(m_anchor, buffer().size());
    m_preedit.clear();
    updateScrollBars();
    startIdleMeasuring();
    viewport()->update();
    emit textChanged();
}

// ---- editing commands

void TextView::undo()
{
    const qsizetype pos = m_model->undo();
    if (pos >= 0)
        moveCursorTo(pos, false);
}

void TextView::redo()
{
    const qsizetype pos = m_model->redo();
    if (pos >= 0)
        moveCursorTo(pos, false);
}

void TextView::cut()
{
    if (!hasSelection() || m_readOnly)
        return;
    copy();
    removeSelectedText();
}

void TextView::copy()
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void TextView::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        insertText(text);
}

void TextView::setOverwriteMode(bool on)
{
    m_overwrite = on;
    viewport()->update();
}

void TextView::setReadOnly(bool on)
{
    m_readOnly = on;
    setAttribute(Qt::WA_InputMethodEnabled, !on);
    viewport()->update();
}

// ---- timers and focus

void TextView::restartBlink()
{
    m_blinkOn = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
}

bool TextView::cursorShown() const
{
    return m_blinkOn && hasFocus() && !m_readOnly;
}

void TextView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_blinkOn = !m_blinkOn;
        const int y = (rowOfCursor() - m_top) * m_rowHeight;
        viewport()->update(0, y, viewport()->width(), m_rowHeight);
    } else if (event->timerId() == m_idle.timerId()) {
        const bool done = m_layout.measureSome(QDeadlineTimer(5));
        updateScrollBars();
        if (done)
            m_idle.stop();
    } else if (event->timerId() == m_autoScroll.timerId()) {
        const int dy = m_dragPoint.y() < 0 ? -1 : m_dragPoint.y() >= viewport()->height() ? 1 : 0;
        if (dy == 0) {
            m_autoScroll.stop();
            return;
        }
        bool atRowEnd = false;
        setTopRow(m_top + dy);
        const QPoint inside(m_dragPoint.x(), dy < 0 ? 0 : viewport()->height() - 1);
        m_dragging = false;
        moveCursorTo(positionAt(inside, &atRowEnd), true, atRowEnd);
        m_dragging = true;
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void TextView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
    viewport()->update();
}

void TextView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_blink.stop();
    viewport()->update();
}

void TextView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        relayout();
    else if (event->type() == QEvent::PaletteChange)
        viewport()->update();
}
