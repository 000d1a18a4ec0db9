#include "textedit.h"

#include "optdialog.h"
#include "optdialog2.h"
#include "optdialog3.h"
#include "optdialog4.h"
#include "optdialog5.h"
#include "qpeeditor.h"

#include <QComboBox>

namespace {
// Runs a filled option dialog; when it ends with OK, its values go into a copy
// of the settings, which apply takes.
template <typename Dialog>
void runOptionDialog(Dialog& dialog, TextEdit* window, void (TextEdit::*apply)(const EditorSettings&))
{
    if (dialog.exec() != QDialog::Accepted)
        return;
    EditorSettings wanted = window->settings();
    dialog.readInto(wanted);
    (window->*apply)(wanted);
}
} // namespace

void TextEdit::optionProcNum(int id)
{
    switch (id) {
    case 0: optionProc(); break;
    case 1: optionProc2(); break;
    case 2: optionProc3(); break;
    case 3: optionProc4(); break;
    case 4: optionProc5(); break;
    default: break;
    }
}

void TextEdit::applyViewOptions(const EditorSettings& o)
{
    EditorSettings& s = m_settings;
    if (o.ShortCutKey != s.ShortCutKey)
        setShortCutKey(o.ShortCutKey);
    const bool backChanged = o.BackColor != s.BackColor;
    if (backChanged)
        setBackColor(o.BackColor);
    s.CursorDraw = o.CursorDraw;
    if (o.LineNumber != s.LineNumber) {
        const int old = s.LineNumber;
        s.LineNumber = o.LineNumber;
        s.LineNumberCr = o.LineNumberCr;
        applySettings();
        // The margin width changed.
        if ((old > 1 || s.LineNumber > 1) && s.Wrap)
            setWordWrap(true);
        updateCaption();
    }
    if (o.LineNumberCr != s.LineNumberCr) {
        s.LineNumberCr = o.LineNumberCr;
        updateCaption();
    }
    s.CRMarkDisp = o.CRMarkDisp;
    // A colour that would vanish on a white (0) or black (7) background changes.
    const auto visible = [&s](int colour, int onWhite, int white, int onBlack, int black) {
        if (s.BackColor == 0 && colour == onWhite)
            return white;
        if (s.BackColor == 7 && colour == onBlack)
            return black;
        return colour;
    };
    if (o.TextColor != s.TextColor || backChanged)
        s.TextColor = visible(o.TextColor, 4, 0, 0, 4);
    if (o.CursorColor != s.CursorColor)
        s.CursorColor = visible(o.CursorColor, 8, 7, 7, 8);
    if (o.CursorColor2 != s.CursorColor2)
        s.CursorColor2 = visible(o.CursorColor2, 7, 0, 6, 7);
    s.CursorWidth = o.CursorWidth;
    s.SelectedColor = o.SelectedColor;
    s.VerticalLine = o.VerticalLine;
    s.ScrollBarDisp = o.ScrollBarDisp;
    if (o.FontFamilyName != s.FontFamilyName) {
        s.FontFamilyName = o.FontFamilyName;
        m_editor->setFont(QFont(s.FontFamilyName, 12, QFont::Normal, false));
    }
    applySettings();
    writeConf();
}

void TextEdit::applyFuncOptions(const EditorSettings& o)
{
    EditorSettings& s = m_settings;
    s.MoveCursor = o.MoveCursor;
    s.AppendCRCode = o.AppendCRCode;
    s.CaseSensitive = o.CaseSensitive;
    s.CursorWord = o.CursorWord;
    s.WinDateForm = o.WinDateForm;
    s.IncrementalSearch = o.IncrementalSearch;
    if (o.WrapMethod != s.WrapMethod) {
        s.WrapMethod = o.WrapMethod;
        if (s.Wrap)
            setWordWrap(true);
    }
    disconnect(searchCombo, &QComboBox::editTextChanged, this, &TextEdit::search);
    if (s.IncrementalSearch)
        connect(searchCombo, &QComboBox::editTextChanged, this, &TextEdit::search);
    s.TabLength = o.TabLength;
    applySettings();
    if (o.InputCodec != s.InputCodec) {
        s.InputCodec = o.InputCodec;
        updateCaption();
    }
    int output = o.OutputCodec;
    if (s.InputCodec > 0 && output == 0)
        output = s.InputCodec;
    if (output != s.OutputCodec) {
        s.OutputCodec = output;
        updateCaption();
    }
    writeConf();
}

void TextEdit::applyColorOptions(const EditorSettings& o)
{
    bool changed = false;
    for (int n = 0; n < 6; ++n) {
        const UserFileInfo& in = o.fileInfo[n];
        UserFileInfo& r = m_settings.fileInfo[n];
        const UserFileInfo before = r;
        if (n == 0) {
            r.regExp = in.regExp;
            r.charColor = in.charColor;
        } else {
            r.ext = in.ext;
        }
        r.color1 = in.color1;
        r.color2 = in.color2;
        r.color3 = in.color3;
        r.word1 = in.word1;
        r.word2 = in.word2;
        r.word3 = in.word3;
        r.commentColor = in.commentColor;
        r.comment = in.comment;
        changed = changed || !(r == before);
    }
    applySettings();
    writeConf2();
    if (changed)
        setFileType(fileExt);
}

void TextEdit::applyIdioms(const EditorSettings& o)
{
    m_settings.idiom = o.idiom;
    writeConf2();
}

void TextEdit::applySpecialKey(const EditorSettings& o)
{
    if (o.specialKey == m_settings.specialKey)
        return;
    optionSpecialKey(false);
    m_settings.specialKey = o.specialKey;
    optionSpecialKey(true);
    writeConf();
}

void TextEdit::optionProc()
{
    OptionDialog dialog(this, "", true, {});
    dialog.fillFrom(m_settings);
    runOptionDialog(dialog, this, &TextEdit::applyViewOptions);
}

void TextEdit::optionProc2()
{
    OptionDialog2 dialog(this, "", true, {});
    dialog.fillFrom(m_settings);
    runOptionDialog(dialog, this, &TextEdit::applyFuncOptions);
}

void TextEdit::optionProc3()
{
    OptionDialog3 dialog(this, "", true, {});
    dialog.fillFrom(m_settings);
    dialog.setUserReservedShow(FileType);
    runOptionDialog(dialog, this, &TextEdit::applyColorOptions);
}

void TextEdit::optionProc4()
{
    OptionDialog4 dialog(this, "", true, {});
    dialog.fillFrom(m_settings);
    runOptionDialog(dialog, this, &TextEdit::applyIdioms);
}

void TextEdit::optionProc5()
{
    OptionDialog5 dialog(this, "", true, {});
    dialog.fillFrom(m_settings);
    runOptionDialog(dialog, this, &TextEdit::applySpecialKey);
}
