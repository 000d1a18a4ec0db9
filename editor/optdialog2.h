#pragma once

#include "optdialogbase.h"

class OptionList;
struct EditorSettings;

// "[Function] option": opening, line ends, finding, wrapping, tab stop,
// encodings, the text find presets and the date form.
class OptionDialog2 : public OptionDialogBase
{
    Q_OBJECT
public:
    explicit OptionDialog2(QWidget* parent = nullptr, const char* name = nullptr, bool modal = false,
                           Qt::WindowFlags flags = {});

    void setMoveCursor(bool on);
    void setAppendCRCode(int code);
    void setCaseSensitive(int mode);
    void setIncrementalSearch(bool on);
    // 0 "auto", 1 "calc", 3 "space", or a width in columns shown in the third entry.
    void setWordWrap(int method);
    void setTabLength(int length);
    void setInputCodec(int codec);
    void setOutputCodec(int codec);
    void setCursorWord(int preset);
    void setDateForm(int form);

    bool getMoveCursor() const;
    int getAppendCRCode() const;
    int getCaseSensitive() const;
    bool getIncrementalSearch() const;
    // A typed width counts when it is 10 to 200; other text gives 0 ("auto").
    int getWordWrap() const;
    int getTabLength() const;
    int getInputCodec() const;
    int getOutputCodec() const;
    int getCursorWord() const;
    int getDateForm() const;

    void fillFrom(const EditorSettings& settings);
    void readInto(EditorSettings& settings) const;

private:
    OptionList* m_moveCursor;
    OptionList* m_crCode;
    OptionList* m_caseSensitive;
    OptionList* m_incremental;
    OptionList* m_wrap;
    OptionList* m_tab;
    OptionList* m_input;
    OptionList* m_output;
    OptionList* m_cursorWord;
    OptionList* m_dateForm;
};
