#include "qpeeditor.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
const QColor darkCyan(0, 128, 128);
const QColor darkGray(128, 128, 128);
const QColor darkYellow(128, 128, 0);
} // namespace

void QpeEditor::paintRow(QPainter& painter, const Row& row)
{
    const qsizetype length = row.text.size();
    std::vector<QRgb> colours(size_t(length), palette().text().color().rgba());
    // Half-width characters of ".txt" files.
    const UserFileInfo& text = m_settings.fileInfo[0];
    if (m_fileType == 0 && text.charColor != 0) {
        const QRgb halfWidth = reservedColour(text.charColor).rgba();
        for (qsizetype i = 0; i < length; ++i) {
            const char16_t c = row.text.at(i).unicode();
            if (c >= 0x20 && c <= 0x7E)
                colours[size_t(i)] = halfWidth;
        }
    }
    if (m_colouring.isActive())
        colourKeywords(row, colours);
    drawText(painter, row, 0, length, QColor(), colours.data());

    if (m_settings.CRMarkDisp != 0)
        drawMarks(painter, row);
    if (m_settings.LineNumber >= 2)
        drawLineNumber(painter, row);

    if (row.selectionStart >= 0 && row.selectionStart < row.selectionEnd) {
        const qreal x1 = columnX(row, row.selectionStart) - 1 - (row.selectionStart == 0 ? 2 : 0);
        const qreal x2 = columnX(row, row.selectionEnd) - 1 + (row.selectionEnd == length ? 3 : 0);
        const QRectF span(x1, 0, x2 - x1, rowHeight());
        painter.fillRect(span, selectionColour());
        painter.save();
        painter.setClipRect(span, Qt::IntersectClip);
        drawText(painter, row, row.selectionStart, row.selectionEnd, Qt::white);
        painter.restore();
    }

    const QFontMetricsF& metrics = rowLayout().widths().metrics();
    const int h = int(metrics.height());
    if (m_settings.VerticalLine >= 1 && m_settings.VerticalLine <= 7) {
        const int columns = 5 * m_settings.VerticalLine + 5;
        const int xWidth = QFontMetrics(font()).horizontalAdvance(QLatin1Char('x'));
        painter.setPen(QPen(darkYellow, 1, Qt::DotLine));
        for (int k = 1; k <= 9; ++k) {
            const int x = xWidth * columns * k + horizontalMargin();
            if (x > 1400)
                break;
            painter.drawLine(x, 0, x, h);
        }
    }

    if (m_markCol >= 0 && row.row == m_markLine)
        painter.drawImage(QPointF(columnX(row, qMin<qsizetype>(m_markCol, length)) - 2, 0), m_marks.jumpMark());

    if (row.cursor >= 0 && cursorShown())
        drawCursor(painter, row);
}

void QpeEditor::colourKeywords(const Row& row, std::vector<QRgb>& colours)
{
    // The row with up to 30 characters of the rows before and after it in its line.
    const TextBuffer& b = buffer();
    const qsizetype lineStart = b.lineStart(row.line);
    const qsizetype offset = row.start - lineStart;
    const std::vector<qsizetype>& starts = rowLayout().rowStarts(row.line);
    const qsizetype previousStart = row.index > 0 ? starts[size_t(row.index) - 1] : offset;
    const qsizetype before = qMin<qsizetype>(KeywordColouring::Context, offset - previousStart);
    qsizetype after = 0;
    if (!row.endsLine) {
        const qsizetype next = row.start + row.text.size() - row.preeditLength;
        const qsizetype nextEnd = size_t(row.index) + 2 < starts.size() ? lineStart + starts[size_t(row.index) + 2]
                                                                          : lineStart + rowLayout().shownLength(row.line);
        after = qMin<qsizetype>(KeywordColouring::Context, nextEnd - next);
    }
    const QString search = b.text(row.start - before, before) + row.text
        + b.text(row.start + row.text.size() - row.preeditLength, after);

    bool commentBefore = false;
    if (offset > 0) {
        auto hit = m_commentHits.find(row.line);
        if (hit == m_commentHits.end())
            hit = m_commentHits.emplace(row.line, m_colouring.firstComment(b.lineText(row.line))).first;
        const auto first = hit->second;
        commentBefore = m_colouring.commentBefore(first, offset, [&] {
            return b.text(lineStart + first.first, offset - first.first);
        });
    }
    m_colouring.colour(search, before, before + row.text.size(), commentBefore, colours);
}

void QpeEditor::drawMarks(QPainter& painter, const Row& row) const
{
    const int y = rowHeight() - 12;
    if (row.endsLine) {
        const QImage& end = row.lastRow ? m_marks.endOfText() : m_marks.lineEnd();
        if (!end.isNull())
            painter.drawImage(QPointF(columnX(row, row.text.size()), y), end);
    }
    for (qsizetype i = 0; i < row.text.size(); ++i) {
        const QChar c = row.text.at(i);
        const QImage* mark = c == u'\t' ? &m_marks.tab() : c == u'\x3000' ? &m_marks.fullWidthSpace() : nullptr;
        if (mark && !mark->isNull())
            painter.drawImage(QPointF(columnX(row, i), y), *mark);
    }
}

void QpeEditor::drawLineNumber(QPainter& painter, const Row& row)
{
    const int margin = horizontalMargin();
    const int h = int(rowLayout().widths().metrics().height());
    // By paragraph, the number stands on a paragraph's first row only.
    if (!m_settings.LineNumberCr || row.index == 0) {
        const int number = m_settings.LineNumberCr ? row.line : row.row;
        const QString digits = QString::asprintf("%06d", number + 1).right(m_settings.LineNumber);
        painter.setPen(darkCyan);
        painter.drawText(QRect(0, 0, margin - 5, h), Qt::AlignLeft | Qt::AlignTop, digits);
    }
    painter.setPen(QPen(darkGray, 1));
    painter.drawLine(margin - 5, 0, margin - 5, h);
}

void QpeEditor::drawCursor(QPainter& painter, const Row& row) const
{
    const qsizetype length = row.text.size();
    const qsizetype k = qMin(row.cursor, length);
    const qreal a = columnX(row, k);
    const bool atEnd = k >= length;
    const qreal b = atEnd ? a : columnX(row, k + 1);
    const qreal h = rowLayout().widths().metrics().height();
    const QColor colour = overwriteMode() ? darkGray : cursorColour();
    const int style = m_settings.CursorWidth;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    switch (style) {
    case 6: // "squar"
        painter.setPen(QPen(colour, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(a - 1, 0, (atEnd ? a + 4 : b) - (a - 1), h - 2));
        break;
    case 7: { // "solid"
        painter.fillRect(QRectF(a, 0, (atEnd ? a + 5 : b) - a, h - 1), colour);
        const bool light = colour == Qt::green || colour == Qt::cyan || colour == Qt::yellow || colour == Qt::white;
        if (!atEnd)
            drawText(painter, row, k, k + 1, light ? Qt::red : Qt::white);
        break;
    }
    case 8: // "I"
        painter.fillRect(QRectF(a - 1, 0, 3, h - 2), colour);
        painter.fillRect(QRectF(a - 6, 1, 9, 2), colour);
        painter.fillRect(QRectF(a - 6, h - 3, 9, 2), colour);
        break;
    case 9: // "/"
        painter.setPen(QPen(colour, 4));
        painter.drawLine(QPointF(a + 2, 0), QPointF(a - 3, h - 2));
        break;
    default: // "|(1" to "|(5": a bar of that width
        painter.fillRect(QRectF(a - 1, 0, qBound(1, style, 5), h - 2), colour);
        break;
    }
    painter.restore();
}

void QpeEditor::paintEvent(QPaintEvent* event)
{
    TextView::paintEvent(event);
    if (m_settings.CursorDraw == 0)
        return;
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
    const int y = (cursorRow() - topRow()) * rowHeight() + rowHeight() - 1;
    if (y < 0 || y >= viewport()->height())
        return;
    const int left = -horizontalScrollBar()->value();
    const int width = qMax(viewport()->width(), horizontalScrollBar()->maximum() + viewport()->width());
    QPainter painter(viewport());
    painter.setPen(QPen(cursorLineColour(), 1, styles[qBound(1, m_settings.CursorDraw, 4) - 1]));
    painter.drawLine(left + 1, y, left + width - 1, y);
}
