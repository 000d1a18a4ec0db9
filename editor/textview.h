#pragma once

#include "rowlayout.h"
#include "textmodel.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QInputMethodEvent>

// A plain-text field over a TextModel that lays out only the rows in view:
// cursor and selection by keys and mouse, input methods with the composing text
// shown in place, undo and redo, the clipboard and the X selection, overwrite,
// wrapping, scrolling by rows. Rows are painted one by one through paintRow, which
// subclasses replace to draw more.
class TextView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TextView(QWidget* parent = nullptr);
    ~TextView() override;

    TextModel* model() const { return m_model; }
    const TextBuffer& buffer() const { return m_model->buffer(); }
    RowLayout& rowLayout() { return m_layout; }
    const RowLayout& rowLayout() const { return m_layout; }

    QString toPlainText() const { return m_model->text(); }
    void setPlainText(const QString& text);
    // A text read elsewhere (see TextLoader), the cursor at its start.
    void setBuffer(TextBuffer&& text);
    void clear() { setPlainText(QString()); }
    bool isModified() const { return m_model->isModified(); }
    void setModified(bool on) { m_model->setModified(on); }

    // Cursor and selection, as positions in the text.
    qsizetype cursorPosition() const { return m_cursor; }
    qsizetype anchorPosition() const { return m_anchor; }
    void setCursorPosition(qsizetype pos, bool keepAnchor = false);
    void setSelection(qsizetype anchor, qsizetype cursor);
    bool hasSelection() const { return m_anchor != m_cursor; }
    qsizetype selectionStart() const { return qMin(m_anchor, m_cursor); }
    qsizetype selectionEnd() const { return qMax(m_anchor, m_cursor); }
    QString selectedText() const;
    void selectAll();
    void deselect() { setCursorPosition(m_cursor); }
    // Puts text in place of the selection, or at the cursor.
    void insertText(const QString& text);
    void removeSelectedText();

    // Rows: every row of a line but its last ends where the next begins.
    int rowCount() { return m_layout.rowCount(); }
    int cursorRow();
    int cursorColumn();
    int rowOfPosition(qsizetype pos, bool atRowEnd = false);
    qsizetype rowStart(int row);
    // Where a row's characters end: the next row's start, or before the line end.
    qsizetype rowEnd(int row);
    // Where a line's characters end, before its line end (CR LF or LF).
    qsizetype lineEndPosition(int line) { return buffer().lineStart(line) + m_layout.shownLength(line); }
    // The row's characters, a line-end carriage return included.
    QString rowText(int row);
    bool rowEndsLine(int row);
    // Cursor to a column of a row, both limited to the text; the end of a wrapped row
    // is a place of its own.
    void setCursorRowColumn(int row, int column, bool keepAnchor = false);

    enum WrapWidth { ViewportWidth = 0 };
    // Wraps at width pixels of text (ViewportWidth: what the viewport leaves after the margin).
    void setWrap(RowLayout::WrapMode mode, int width = ViewportWidth);
    RowLayout::WrapMode wrapMode() const { return m_layout.wrapMode(); }
    // Tab stops every xWidths widths of the letter x.
    void setTabStop(int xWidths);
    int tabStop() const { return m_tabStop; }
    // Room left of column 0 (for line numbers).
    void setLeftMargin(int pixels);
    int leftMargin() const { return m_leftMargin; }

    bool overwriteMode() const { return m_overwrite; }
    void setOverwriteMode(bool on);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on);

    int topRow() const;
    void setTopRow(int row);
    int visibleRows() const;
    int rowHeight() const { return m_rowHeight; }
    void ensureCursorVisible();
    QRect cursorRect();
    // The room of the character at pos, in the widget's coordinates.
    QRect positionRect(qsizetype pos);
    // The position nearest to a point of the widget.
    qsizetype positionAtPoint(const QPoint& point);

public slots:
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();

signals:
    void cursorPositionChanged();
    void selectionChanged();
    void textChanged();
    void modificationChanged(bool modified);
    void copyAvailable(bool yes);

protected:
    // One display row as it is painted. Columns count characters of `text`.
    struct Row
    {
        int row = 0;
        int line = 0;
        int index = 0;           // the row's place among the rows of its line
        qsizetype start = 0;     // position of the row's first character
        QString text;            // as shown: no line-end carriage return, the composing text inside
        bool endsLine = false;   // the last row of its line
        bool lastRow = false;    // the last row of the text
        qsizetype selectionStart = -1; // selected columns [selectionStart, selectionEnd)
        qsizetype selectionEnd = -1;
        qsizetype cursor = -1;   // column of the cursor when it is on this row
        qsizetype preeditStart = -1;
        qsizetype preeditLength = 0;
        qreal origin = 0;        // x of column 0
        qreal left = 0;          // the part of the row in view, from its left edge
        qreal right = 0;
    };
    // Paints one row; the painter's origin is the row's top left corner (scrolled).
    virtual void paintRow(QPainter& painter, const Row& row);
    // x of a column of a row, from the row's left edge.
    qreal columnX(const Row& row, qsizetype column) const { return row.origin + m_layout.width(row.text, column); }
    // Draws columns [from, to) of a row in a colour, or with colours given, each
    // character in its own (colours[i] for column i).
    void drawText(QPainter& painter, const Row& row, qsizetype from, qsizetype to, const QColor& colour,
                  const QRgb* colours = nullptr) const;
    // Whether the blinking cursor is in its visible phase, with focus, on an editable text.
    bool cursorShown() const;
    // Characters of one class form a word for double clicks and Ctrl+arrows.
    virtual int characterClass(QChar c) const;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool) override { return false; } // Tab is a character here

private:
    void modelChanged(const TextModel::Change& change);
    void modelReset();
    void relayout();
    void updateScrollBars();
    void startIdleMeasuring();
    void restartBlink();
    void cursorMoved(bool byUser);
    void announceSelection();
    Row makeRow(int row, int line, int index, const std::vector<qsizetype>& starts, int cursorRow);
    void drawRun(QPainter& painter, const QString& run, qreal x, qreal width) const;
    // x of column 0 of a row's text: the margin less the first character's left bearing.
    qreal originOf(QStringView text) const;
    // Position of a point of the viewport; atRowEnd tells a click past a wrapped row's end.
    qsizetype positionAt(const QPoint& point, bool* atRowEnd);
    int rowOfCursor();
    qsizetype nextPosition(qsizetype pos) const;
    qsizetype previousPosition(qsizetype pos) const;
    qsizetype wordEnd(qsizetype pos) const;
    qsizetype wordStart(qsizetype pos) const;
    void moveVertically(int rows, bool keepAnchor);
    void moveCursorTo(qsizetype pos, bool keepAnchor, bool atRowEnd = false);
    bool handleStandardKey(QKeyEvent* event);
    void typeText(const QString& text);
    void deleteBackward();
    void deleteForward();
    QString lineBreak();

    TextModel* m_model;
    RowLayout m_layout;
    qsizetype m_cursor = 0;
    qsizetype m_anchor = 0;
    bool m_atRowEnd = false;
    qreal m_preferredX = -1;
    int m_top = 0;
    int m_rowHeight = 1;
    int m_tabStop = 8;
    int m_leftMargin = 3;
    int m_fixedWrapWidth = 0;
    bool m_overwrite = false;
    bool m_readOnly = false;
    bool m_blinkOn = true;
    bool m_dragging = false;
    bool m_selectionPending = false;
    QString m_preedit;
    int m_preeditCursor = 0;
    QList<QInputMethodEvent::Attribute> m_preeditFormats;
    QBasicTimer m_blink;
    QBasicTimer m_idle;
    QBasicTimer m_autoScroll;
    QPoint m_dragPoint;
};
