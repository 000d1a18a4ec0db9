#pragma once

#include "editorsettings.h"

#include <QColor>
#include <QPlainTextEdit>
#include <QString>

#include <functional>

// The editor's text widget. A "paragraph" is a line of the file; a "row" is one
// displayed line of it. Rows and paragraphs count from 0. The window drives it
// through the functions below only, and learns of changes by its signals.
class QpeEditor : public QPlainTextEdit
{
    Q_OBJECT
public:
    static constexpr int FileTypes = 7;
    enum class WrapMode { None, WidgetWidth, FixedWidth };

    explicit QpeEditor(QWidget* parent = nullptr);

    // The whole text, and the paragraphs.
    QString text() const;
    void setText(const QString& text);
    // Inserts text at the cursor, replacing the selection.
    void insert(const QString& text);
    bool isEmpty() const;
    int numLines() const;
    QString textLine(int paragraph) const;

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

    bool edited() const;
    void setEdited(bool on);

    // Wrapping at white space or anywhere; FixedWidth wraps rows at pixelWidth
    // pixels of text, whatever the widget's width.
    void setWrap(WrapMode mode, bool atWhiteSpace, int pixelWidth = 0);
    WrapMode wrapMode() const { return m_wrapMode; }
    int getVerticalScrollBarWidth() const;

    int fontSize() const;
    void setFontSize(int pointSize);

    // Everything the settings say about drawing and editing; the widget keeps no
    // other copy of them.
    void setSettings(const EditorSettings& settings);
    const EditorSettings& settings() const { return m_settings; }
    // The keyword-colouring file type 0 to 6, whose record of the settings applies.
    void setFileType(int type);
    int fileType() const { return m_fileType; }

    // Values as the widget uses them.
    int defaultTabStop() const { return m_settings.TabLength; }
    int horizontalMargin() const;
    QColor cursorColour() const;
    QColor cursorLineColour() const;
    QColor selectionColour() const;

    void set2byteSpace();
    QString fullWidthSpace() const { return m_fullWidthSpace; }
    void setOverWriteWhich(int on);
    bool isOverwrite() const { return overwriteMode(); }
    void setJumpMark(int line, int col);
    int markLine() const { return m_markLine; }
    int markCol() const { return m_markCol; }

    // With a selection, a tab at the start of (or one taken from) every paragraph
    // that starts in it; false without a selection.
    bool insertTabIndent();
    bool removeTabIndent();

signals:
    // The cursor moved, or the text or its rows changed: the caption's line part may be stale.
    void cursorMoved();
    // The widget changed its size: a wrap made for its width is due again.
    void resized();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTextBlock blockOfRow(int row, int* lineInBlock) const;
    int rowsOf(const QTextBlock& block) const;
    void applyFixedWidth();
    // Runs edit at the start of each paragraph that starts in the selection's rows,
    // the last first, as one undo step; false without a selection.
    bool editSelectedParagraphs(const std::function<void(QTextCursor&, const QTextBlock&)>& edit);
    void applyTabStop();

    EditorSettings m_settings;
    int m_fileType = 0;
    QString m_fullWidthSpace;
    int m_markLine = -1;
    int m_markCol = -1;
    WrapMode m_wrapMode = WrapMode::None;
    int m_fixedWidth = 0;
};
