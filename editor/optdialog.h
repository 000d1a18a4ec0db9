#pragma once

#include "optdialogbase.h"

#include <QString>

class OptionList;
struct EditorSettings;

// "[View] option": colours, cursor, marks, line numbers, guides, scroll bars
// and the font of the editor.
class OptionDialog : public OptionDialogBase
{
    Q_OBJECT
public:
    explicit OptionDialog(QWidget* parent = nullptr, const char* name = nullptr, bool modal = false,
                          Qt::WindowFlags flags = {});

    void setShortCutKey(bool on);
    void setBackgroundColor(int colour);
    void setTextColor(int colour);
    void setCursorLine(int style);
    void setCursorLineColor(int colour);
    void setCursorStyle(int shape);
    void setCursorColor(int colour);
    void setCRMarkDisp(int mark);
    void setLineNumber(int display, bool counting);
    void setSelectedColor(int colour);
    void setVerticalLine(int lines);
    void setScrollBarDisp(int bars);
    void setFontName(const QString& family);

    bool getShortCutKey() const;
    int getBackgroundColor() const;
    int getTextColor() const;
    int getCursorLine() const;
    int getCursorLineColor() const;
    int getCursorWidth() const;
    int getCursorColor() const;
    int getCRMarkDisp() const;
    int getLineNumber() const;
    bool getLineNumberCr() const;
    int getSelectedColor() const;
    int getVerticalLine() const;
    int getScrollBarDisp() const;
    QString getFontName() const;

    // Fills the dialog from the settings, and gives its values back into them.
    void fillFrom(const EditorSettings& settings);
    void readInto(EditorSettings& settings) const;

private:
    OptionList* m_shortCutKey;
    OptionList* m_background;
    OptionList* m_text;
    OptionList* m_cursorLine;
    OptionList* m_cursorLineColour;
    OptionList* m_cursorShape;
    OptionList* m_cursorColour;
    OptionList* m_mark;
    OptionList* m_lineNumberCr;
    OptionList* m_lineNumber;
    OptionList* m_selected;
    OptionList* m_verticalLine;
    OptionList* m_scrollBar;
    OptionList* m_font;
    QString m_fontName;
};
