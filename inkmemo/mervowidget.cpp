#include "mervowidget.h"

#include "mervodata.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

MervoWidget::MervoWidget(QWidget* parent, const char* name, MervoData* data, bool readOnly)
    : QWidget(parent), m_data(data), m_readOnly(readOnly)
{
    setObjectName(QLatin1String(name));
    setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 255));
    setPalette(pal);
    setAutoFillBackground(true);
    m_charTimer.setSingleShot(true);
    m_charTimer.setInterval(500);
    connect(&m_charTimer, &QTimer::timeout, this, &MervoWidget::slotTimeOut);
}

void MervoWidget::selectPoint()
{
    m_selectingPoint = true;
}

void MervoWidget::jumpTo(QPoint pos)
{
    m_cursor = m_data->pointToIndex(pos, width(), m_charHeight, m_charSpace, m_lineSpace);
    repaint();
}

void MervoWidget::commitPending()
{
    if (!m_charTimer.isActive())
        return;
    m_charTimer.stop();
    slotTimeOut();
}

void MervoWidget::dropPending()
{
    m_charTimer.stop();
    m_strokePoints.clear();
    m_strokeConnected.clear();
    m_liveInk.clear();
    update();
}

void MervoWidget::insertText(const QString& text)
{
    if (!isVisible())
        return;
    commitPending();
    if (m_data->insert(m_cursor, MervoChar(text)))
        ++m_cursor;
    repaint();
}

void MervoWidget::slotSpace()
{
    insertText(QStringLiteral(" "));
}

void MervoWidget::slotEnter()
{
    insertText(QStringLiteral("\n"));
}

void MervoWidget::slotBS()
{
    if (!isVisible())
        return;
    commitPending();
    if (m_cursor > 0)
        m_data->remove(--m_cursor);
    repaint();
}

void MervoWidget::slotDeleteLine()
{
    if (!isVisible())
        return;
    commitPending();
    const int start = m_cursor;
    while (m_cursor > 0) {
        if (m_data->at(m_cursor - 1).isLineBreak()) {
            // At the start of a line: join it with the line above.
            if (m_cursor == start)
                m_data->remove(--m_cursor);
            break;
        }
        m_data->remove(--m_cursor);
    }
    repaint();
}

void MervoWidget::setTwoLineMode(bool on)
{
    m_twoLineMode = on;
    repaint();
}

void MervoWidget::setDimensions(int charHeight, int charSpace, int lineSpace)
{
    m_charHeight = charHeight;
    m_charSpace = charSpace;
    m_lineSpace = lineSpace;
    repaint();
}

void MervoWidget::slotTimeOut()
{
    MervoChar c(height() / 3);
    c.setData(m_strokePoints, m_strokeConnected);
    if (m_data->insert(m_cursor, c))
        ++m_cursor;
    m_strokePoints.clear();
    m_strokeConnected.clear();
    m_liveInk.clear();
    repaint();
}

bool MervoWidget::inOtherHalf(QPoint press) const
{
    if (width() < height()) {
        const int m = height() / 2;
        return (press.y() - m) * (m_pressPoint.y() - m) <= 0;
    }
    const int m = width() / 2;
    return (press.x() - m) * (m_pressPoint.x() - m) <= 0;
}

void MervoWidget::addStrokePoint(QPoint p, bool connected)
{
    m_strokePoints.append(p);
    m_strokeConnected.resize(m_strokeConnected.size() + 1);
    m_strokeConnected.setBit(m_strokeConnected.size() - 1, connected);
}

void MervoWidget::mousePressEvent(QMouseEvent* e)
{
    if (m_readOnly || m_selectingPoint)
        return;
    const QPoint p = e->position().toPoint();
    if (m_twoLineMode && m_charTimer.isActive() && inOtherHalf(p)) {
        m_charTimer.stop();
        slotTimeOut();
    }
    m_pressPoint = p;
    m_charTimer.stop();
    m_lastPoint = m_prevPoint = p;
    addStrokePoint(p, false);
}

// True where the pen turns in x or y; only such points and points far apart are kept.
bool MervoWidget::isTurningPoint(QPoint p) const
{
    auto turns = [](int before, int now) {
        return (before >= 0 && now < 0) || (before <= 0 && now > 0);
    };
    return turns(m_lastPoint.x() - m_prevPoint.x(), p.x() - m_lastPoint.x())
        || turns(m_lastPoint.y() - m_prevPoint.y(), p.y() - m_lastPoint.y());
}

void MervoWidget::mouseMoveEvent(QMouseEvent* e)
{
    if (m_readOnly || m_selectingPoint || m_strokePoints.isEmpty())
        return;
    const QPoint p = e->position().toPoint();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const int far = qMax(screen.width(), screen.height()) / 16;
    if (isTurningPoint(p) || (p - m_strokePoints.last()).manhattanLength() >= far)
        addStrokePoint(p, true);

    const QLine segment(m_lastPoint, p);
    m_liveInk.append(segment);
    update(QRect(segment.p1(), segment.p2()).normalized().adjusted(-1, -1, 1, 1));
    m_prevPoint = m_lastPoint;
    m_lastPoint = p;
}

void MervoWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (m_readOnly)
        return;
    const QPoint p = e->position().toPoint();
    if (m_selectingPoint) {
        m_selectingPoint = false;
        jumpTo(p);
        emit pointSelected();
        return;
    }
    if (m_strokePoints.isEmpty())
        return;
    addStrokePoint(p, true);
    m_charTimer.start();
}

void MervoWidget::keyPressEvent(QKeyEvent* e)
{
    if (m_readOnly)
        return;
    switch (e->key()) {
    case Qt::Key_Left:
        if (m_cursor > 0)
            --m_cursor;
        repaint();
        break;
    case Qt::Key_Right:
        if (m_cursor < m_data->count() - 1)
            ++m_cursor;
        repaint();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // Aim at the column where vertical moves started, not at the cell landed on.
        const int column = m_cursorPos.x();
        const int pitch = m_charHeight + m_lineSpace;
        jumpTo(m_cursorPos + QPoint(-1, e->key() == Qt::Key_Up ? -pitch : pitch));
        if (m_cursor != 0)
            m_cursorPos.setX(column);
        break;
    }
    case Qt::Key_Backspace:
        slotBS();
        break;
    case Qt::Key_Return:
        slotEnter();
        break;
    case Qt::Key_Space:
        slotSpace();
        break;
    default:
        QWidget::keyPressEvent(e);
    }
}

void MervoWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    m_cursorPos = m_data->draw(p, m_cursor, width(), m_charHeight, m_charSpace, m_lineSpace);
    if (!m_readOnly && m_twoLineMode) {
        p.setPen(QColor(192, 192, 255));
        if (width() < height())
            p.drawLine(0, height() / 2, width(), height() / 2);
        else
            p.drawLine(width() / 2, 0, width() / 2, height());
    }
    if (!m_liveInk.isEmpty()) {
        p.setPen(Qt::red);
        p.drawLines(m_liveInk);
    }
}
