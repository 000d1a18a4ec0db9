#pragma once

#include "editorsettings.h"
#include "keywordcolouring.h"
#include "markimages.h"
#include "textview.h"

#include <QColor>
#include <QString>

#include <map>

class TextSearch;

// The editor's text widget. A "paragraph" is a line of the file; a "row" is one
// displayed line of it. Rows and paragraphs count from 0. The window drives it
// through the functions below only, and learns of changes by its signals. Rows are
// painted with line numbers, marks, keyword colours, guide lines, the jump mark and
// the cursor shapes the settings ask for.
class QpeEditor : public TextView
{
    Q_OBJECT
public:
    static constexpr int FileTypes = 7;
    enum class WrapMode { None, WidgetWidth, FixedWidth };

    explicit QpeEditor(QWidget* parent = nullptr);

    // The whole text, and the paragraphs.
    QString text() const { return toPlainText(); }
    void setText(const QString& text) { setPlainText(text); }
    // Inserts text at the cursor, replacing the selection.
    void insert(const QString& text) { insertText(text); }
    bool isEmpty() const { return buffer().isEmpty(); }
    int numLines() const { return buffer().lineCount(); }
    // A paragraph's characters, a carriage return before its line feed included.
    QString textLine(int paragraph) const { return buffer().lineText(paragraph); }

    // Rows.
    int numRows() { return rowCount(); }
    // The 0-based paragraph that holds row (the last one for rows past the end).
    int Row2CRLineNumber(int row) { return rowLayout().rowAt(row).first; }
    // The first row of paragraph line, or -1 when the text has fewer paragraphs.
    int Line2WrapLineNumber(int line);
    // Cursor to a column of a row, both limited to the text.
    void setCursorPosition(int row, int col) { setCursorRowColumn(row, col); }
    // Puts the cursor so far below row that moving to row then brings it to the middle.
    void moveCursorCenter(int row);

    bool edited() const { return isModified(); }
    void setEdited(bool on) { setModified(on); }

    // Wrapping at white space or anywhere; FixedWidth wraps rows at pixelWidth
    // pixels of text, whatever the widget's width.
    void setWrap(WrapMode mode, bool atWhiteSpace, int pixelWidth = 0);
    WrapMode wrapMode() const { return m_wrapMode; }
    int getVerticalScrollBarWidth() const;

    int fontSize() const { return font().pointSize(); }
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
    // Keyword, comment and half-width colours by their number in the settings.
    static QColor reservedColour(int n);

    void set2byteSpace();
    QString fullWidthSpace() const { return m_fullWidthSpace; }
    void setOverWriteWhich(int on) { setOverwriteMode(on != 0); }
    bool isOverwrite() const { return overwriteMode(); }
    void overwrite() { setOverwriteMode(!overwriteMode()); }
    // The jump mark at a row and column; -1, -1 for none.
    void setJumpMark(int line, int col);
    int markLine() const { return m_markLine; }
    int markCol() const { return m_markCol; }

    // With a selection, a tab at the start of (or one taken from) every paragraph
    // that starts in it; false without a selection.
    bool insertTabIndent();
    bool removeTabIndent();

    // The class of a character for word selection: 1 tab, 2 space, 41 control, 11 to
    // 13 digits and letters, 21 other ASCII, 31 half-width katakana, 301 full-width
    // space, 101 to 103 full-width digits and letters, 601 hiragana, 401 katakana,
    // 501 punctuation, 201 symbols, 602 kanji and the rest.
    static int getCharType(QChar ch);
    // Selects the word at the cursor, or extends the selection to the end of the word at its end.
    void autoSelectWords();

    // Find and replace (qpeeditor_find.cpp), in the find modes of TextSearch. A find
    // selects the match, the cursor at its end (at its start when backward); a
    // forward find that found nothing makes the next one start at the top. With
    // fromSelectionStart (searching as the word is typed) the selected match itself
    // may be found again, longer.
    bool find(const QString& needle, int mode, bool backward, bool fromSelectionStart = false);
    // Replaces the matches from the cursor or from the top, asking before each one
    // when confirm is set, as one undo step; returns how many were replaced.
    int replace(const QString& oldWord, const QString& newWord, int mode, bool fromCursor, bool confirm);
    // how 1: the cursor's row from the cursor, cut before its first space (its first
    // 10 characters when it has none); any other value: the selection up to its first
    // line end.
    QString getCursorWord(int how);

    // Lines (qpeeditor_lines.cpp). Without a selection, selects the cursor's row
    // with its line end.
    void defaultLineMark();
    // A copy of the cursor's row before it.
    void lineDuplicate();
    // Removes a row with its line end (the last row: the line end before it).
    void removeRow(int row);

signals:
    // The cursor moved or the text changed: the caption's line part may be stale.
    void cursorMoved();
    // The widget changed its size: a wrap made for its width is due again.
    void resized();

protected:
    void paintRow(QPainter& painter, const Row& row) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    int characterClass(QChar c) const override;

private:
    void applyColouring();
    void drawMarks(QPainter& painter, const Row& row) const;
    void drawLineNumber(QPainter& painter, const Row& row);
    void drawCursor(QPainter& painter, const Row& row) const;
    void colourKeywords(const Row& row, std::vector<QRgb>& colours);
    bool sameWord(int left, int right) const;
    bool editSelectedParagraphs(const std::function<void(int line)>& edit);

    EditorSettings m_settings;
    int m_fileType = 0;
    QString m_fullWidthSpace;
    int m_markLine = -1;
    int m_markCol = -1;
    WrapMode m_wrapMode = WrapMode::None;
    MarkImages m_marks;
    KeywordColouring m_colouring;
    // The first comment hit of lines painted lately, until the text changes.
    std::map<int, std::pair<qsizetype, qsizetype>> m_commentHits;

    int replaceAll(const TextSearch& search, const QString& newWord, qsizetype from);
    int replaceConfirmed(const TextSearch& search, const QString& newWord, qsizetype from);
    // A search ran off the end: the next forward find starts at the top.
    bool st_sw = false;
};
