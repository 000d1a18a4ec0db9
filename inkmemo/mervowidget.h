#pragma once

#include <QBitArray>
#include <QLine>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QTimer>
#include <QWidget>

class MervoData;

// Shows a page and takes pen strokes anywhere on it. The strokes of one character
// are collected until the pen has stayed up for 500 ms, then inserted at the cursor.
class MervoWidget : public QWidget
{
    Q_OBJECT
public:
    MervoWidget(QWidget* parent, const char* name, MervoData* data, bool readOnly);

    int page() const { return m_page; }
    void setPage(int page) { m_page = page; }
    int charHeight() const { return m_charHeight; }
    int cursor() const { return m_cursor; }
    bool isTwoLineMode() const { return m_twoLineMode; }

    // The palmtop's small display, so that a desktop window starts at a usable size.
    QSize sizeHint() const override { return QSize(240, 320); }

    void selectPoint();
    // Leaves point-select mode without moving the cursor.
    void cancelSelectPoint() { m_selectingPoint = false; }
    void jumpTo(QPoint pos);
    // Inserts a character still waiting for its timer now.
    void commitPending();
    // Forgets a character still waiting for its timer.
    void dropPending();

public slots:
    void slotSpace();
    void slotBS();
    void slotDeleteLine();
    void slotEnter();
    void setTwoLineMode(bool on);
    void setDimensions(int charHeight, int charSpace, int lineSpace);
    void slotTimeOut();

signals:
    void pointSelected();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool inOtherHalf(QPoint press) const;
    bool isTurningPoint(QPoint p) const;
    void addStrokePoint(QPoint p, bool connected);
    void insertText(const QString& text);

    MervoData* m_data;
    int m_page = 0;
    int m_cursor = 0;
    bool m_readOnly;
    bool m_selectingPoint = false;
    bool m_twoLineMode = false;
    int m_charHeight = 12;
    int m_charSpace = 12 / 4;
    int m_lineSpace = 12 / 8;
    QPoint m_lastPoint;
    QPoint m_prevPoint;
    QPolygon m_strokePoints;
    QBitArray m_strokeConnected;
    QTimer m_charTimer;
    // Set by every paint. Edits and cursor moves repaint at once, so that Up and Down
    // aim from the cursor as it is now, even when keys come faster than paint events.
    QPoint m_cursorPos;
    QPoint m_pressPoint;
    // Ink of the pending character, shown over the page until it is committed.
    QList<QLine> m_liveInk;
};
