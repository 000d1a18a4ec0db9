#include "textview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
// Runs are drawn in pieces of this many characters at most, so that a long line
// costs the characters in view only.
constexpr qsizetype longestRun = 256;
} // namespace

qreal TextView::originOf(QStringView text) const
{
    if (text.isEmpty())
        return m_leftMargin;
    return m_leftMargin - m_layout.widths().metrics().leftBearing(QChar(CharWidths::shown(text.at(0).unicode())));
}

TextView::Row TextView::makeRow(int row, int line, int index, const std::vector<qsizetype>& starts, int cursorRow)
{
    const TextBuffer& b = buffer();
    Row r;
    r.row = row;
    r.line = line;
    r.index = index;
    const qsizetype lineStart = b.lineStart(line);
    r.start = lineStart + starts[size_t(index)];
    r.endsLine = size_t(index) + 1 == starts.size();
    const qsizetype end = r.endsLine ? lineStart + m_layout.shownLength(line) : lineStart + starts[size_t(index) + 1];
    r.text = b.text(r.start, end - r.start);
    r.lastRow = r.endsLine && line + 1 == b.lineCount();
    if (hasSelection()) {
        // The line end belongs to the last row of its line.
        const qsizetype reach = r.endsLine ? (r.lastRow ? b.size() : b.lineStart(line + 1)) : end;
        if (selectionStart() < reach && selectionEnd() > r.start) {
            r.selectionStart = qMax(selectionStart(), r.start) - r.start;
            r.selectionEnd = qMin(selectionEnd(), end) - r.start;
        }
    }
    if (row == cursorRow) {
        r.cursor = qBound<qsizetype>(0, m_cursor - r.start, r.text.size());
        if (!m_preedit.isEmpty()) {
            r.text.insert(r.cursor, m_preedit);
            r.preeditStart = r.cursor;
            r.preeditLength = m_preedit.size();
            r.cursor += m_preeditCursor;
        }
    }
    r.origin = originOf(r.text);
    r.left = horizontalScrollBar()->value();
    r.right = r.left + viewport()->width();
    return r;
}

void TextView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, palette().base());
    const int xOffset = horizontalScrollBar()->value();
    const int height = viewport()->height();
    const int lines = buffer().lineCount();
    const int cursorRow = rowOfCursor();
    auto [line, index] = m_layout.rowAt(m_top);
    int row = m_layout.firstRow(line) + index;
    for (int y = 0; y < height && line < lines; ++line, index = 0) {
        // A copy: painting a row may ask for the starts of the lines around it.
        const std::vector<qsizetype> starts = m_layout.rowStarts(line);
        for (; size_t(index) < starts.size() && y < height; ++index, ++row, y += m_rowHeight) {
            if (y + m_rowHeight <= area.top() || y > area.bottom())
                continue;
            const Row r = makeRow(row, line, index, starts, cursorRow);
            painter.save();
            painter.translate(-xOffset, y);
            painter.setClipRect(QRect(xOffset, 0, viewport()->width(), m_rowHeight));
            paintRow(painter, r);
            if (r.preeditLength > 0) {
                // The composing text is underlined where it stands.
                const qreal x1 = columnX(r, r.preeditStart);
                const qreal x2 = columnX(r, r.preeditStart + r.preeditLength);
                const qreal baseline = m_layout.widths().metrics().ascent() + 1.5;
                painter.setPen(QPen(palette().text().color(), 1));
                painter.drawLine(QPointF(x1, baseline), QPointF(x2, baseline));
            }
            painter.restore();
        }
    }
}

void TextView::paintRow(QPainter& painter, const Row& row)
{
    const QPalette& colours = palette();
    drawText(painter, row, 0, row.text.size(), colours.text().color());
    if (row.selectionStart >= 0 && row.selectionStart < row.selectionEnd) {
        const qreal x1 = columnX(row, row.selectionStart);
        const qreal x2 = columnX(row, row.selectionEnd);
        painter.fillRect(QRectF(x1, 0, x2 - x1, m_rowHeight), colours.highlight());
        drawText(painter, row, row.selectionStart, row.selectionEnd, colours.highlightedText().color());
    }
    if (row.cursor >= 0 && cursorShown()) {
        const qreal x = columnX(row, row.cursor);
        const qreal width = m_overwrite ? qMax<qreal>(2, columnX(row, row.cursor + 1) - x) : 2;
        painter.fillRect(QRectF(x - 1, 0, width, m_layout.widths().metrics().height()), colours.text());
    }
}

void TextView::drawRun(QPainter& painter, const QString& run, qreal x, qreal width) const
{
    const QFontMetricsF& metrics = m_layout.widths().metrics();
    const qreal baseline = metrics.ascent();
    // Glyph positions are kept in fixed point, which ends at 2^25 pixels, some four
    // million characters along a line: the run is placed by the painter's transform
    // instead and drawn at its origin.
    const QTransform kept = painter.transform();
    painter.translate(x, 0);
    x = 0;
    // Shaping that joins or kerns characters would move them off the columns the
    // cursor uses; such a run is drawn one character at a time.
    if (m_layout.widths().drawsAsAdded(run) || qAbs(metrics.horizontalAdvance(run) - width) < 1) {
        painter.drawText(QPointF(x, baseline), run);
        painter.setTransform(kept);
        return;
    }
    for (qsizetype i = 0; i < run.size(); ++i) {
        const qsizetype n = run.at(i).isHighSurrogate() && i + 1 < run.size() ? 2 : 1;
        const QString one = run.mid(i, n);
        painter.drawText(QPointF(x, baseline), one);
        x += n == 2 ? m_layout.widths().advance(one.at(0).unicode(), one.at(1).unicode())
                    : m_layout.widths().advance(one.at(0).unicode());
        i += n - 1;
    }
    painter.setTransform(kept);
}

void TextView::drawText(QPainter& painter, const Row& row, qsizetype from, qsizetype to, const QColor& colour,
                        const QRgb* colours) const
{
    to = qMin(to, row.text.size());
    if (from >= to)
        return;
    const CharWidths& widths = m_layout.widths();
    painter.setFont(widths.font());
    const QChar* s = row.text.constData();
    qreal x = row.origin + m_layout.width(row.text, from);
    QString run;
    qreal runX = x;
    QRgb runColour = colours ? colours[from] : colour.rgba();
    auto flush = [&] {
        if (!run.isEmpty()) {
            painter.setPen(QColor::fromRgba(runColour));
            drawRun(painter, run, runX, x - runX);
        }
        run.clear();
        runX = x;
    };
    for (qsizetype i = from; i < to && x <= row.right; ++i) {
        if (colours && colours[i] != runColour) {
            flush();
            runColour = colours[i];
        }
        const char16_t c = s[i].unicode();
        if (c == u'\t') {
            flush();
            x = row.origin + m_layout.nextTab(x - row.origin);
            runX = x;
            continue;
        }
        qreal advance;
        if (QChar::isHighSurrogate(c) && i + 1 < to && s[i + 1].isLowSurrogate()) {
            advance = widths.advance(c, s[i + 1].unicode());
            if (x + advance >= row.left)
                run.append(s + i, 2);
            ++i;
        } else {
            advance = widths.advance(c);
            if (x + advance >= row.left)
                run.append(QChar::isSurrogate(c) ? QChar(QChar::ReplacementCharacter) : QChar(CharWidths::shown(c)));
        }
        if (run.isEmpty())
            runX = x + advance;
        x += advance;
        if (run.size() >= longestRun)
            flush();
    }
    flush();
}
