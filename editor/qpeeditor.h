#pragma once

#include "userfileinfo.h"

#include <QColor>
#include <QPlainTextEdit>
#include <QString>

// The editor's text widget. A "paragraph" is a text block; a "row" is one laid-out
// line of a block. Rows and paragraphs count from 0.
class QpeEditor : public QPlainTextEdit
{
    Q_OBJECT
public:
    static constexpr int FileTypes = 7;

    explicit QpeEditor(QWidget* parent = nullptr);

    // Rows.
    int numRows() const;
    int cursorRow() const;
    int cursorColumn() const;
    QString rowText(int row) const;
    // The 0-based paragraph that holds row (the last one for rows past the end).
    int Row2CRLineNumber(int row) const;
    // The first row of paragraph line, or -1 when the text has fewer paragraphs.
    int Line2WrapLineNumber(int line) const;
    // Cursor to a column of a row, both limited to the text.
    void setCursorPosition(int row, int col);

    // Wraps rows at width pixels of text area (0: at the widget's width).
    void setFixedWrapWidth(int width);

    bool edited() const;
    void setEdited(bool on);

    int fontSize() const;
    void setFontSize(int pointSize);
    // Tab stop in widths of the letter x of the current font.
    int defaultTabStop() const { return m_tabStop; }
    void setDefaultTabStop(int xWidths);

    // Settings passed by the main window; drawing them is the widget's painting's job.
    void setUserFileInfo(int type, const UserFileInfo& info);
    UserFileInfo userFileInfo(int type) const { return m_fileInfo[type]; }
    void set2byteSpace();
    QString fullWidthSpace() const { return m_fullWidthSpace; }
    void setOverWriteWhich(int on);
    bool isOverwrite() const { return overwriteMode(); }
    void setSeparateKanaKanji(int on) { m_separateKanaKanji = on != 0; }
    void setJumpMark(int line, int col);
    int markLine() const { return m_markLine; }
    int markCol() const { return m_markCol; }
    void setAutoindent(bool on) { m_autoIndentOn = on; }
    bool autoIndent() const { return m_autoIndentOn; }
    void setCRMarkDisp(int mode) { m_crMarkMode = mode; }
    int crMarkMode() const { return m_crMarkMode; }
    void setLineNumber(int mode, bool cr);
    int lineNumberMode() const { return m_lineNumberMode; }
    bool lineNumberCr() const { return m_lineNumberCr; }
    int horizontalMargin() const { return m_margin; }
    void setScrollBarDisp(int mode);
    void setVerticalLine(int v) { m_verticalLine = v; }
    int verticalLine() const { return m_verticalLine; }
    void setSelectedColor(int n);
    QColor selectionColour() const { return m_selectionColour; }
    void setCursorStyle(int style) { m_cursorStyle = style; }
    int cursorStyle() const { return m_cursorStyle; }
    void setCursorColor(int n);
    QColor cursorColour() const { return m_cursorColour; }
    void setCursorLineColor(int n);
    QColor cursorLineColour() const { return m_cursorLineColour; }
    void setCursorDraw(int style) { m_cursorDraw = style; }
    int cursorDraw() const { return m_cursorDraw; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTextBlock blockOfRow(int row, int* lineInBlock) const;
    int rowsOf(const QTextBlock& block) const;

    UserFileInfo m_fileInfo[FileTypes];
    QString m_fullWidthSpace;
    bool m_separateKanaKanji = false;
    bool m_autoIndentOn = false;
    int m_markLine = -1;
    int m_markCol = -1;
    int m_crMarkMode = 0;
    int m_lineNumberMode = 0;
    bool m_lineNumberCr = false;
    int m_margin = 3;
    int m_verticalLine = 0;
    int m_cursorStyle = 2;
    int m_cursorDraw = 0;
    QColor m_cursorColour;
    QColor m_cursorLineColour;
    QColor m_selectionColour;
    int m_tabStop = 8;
};
