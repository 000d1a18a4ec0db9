#include "textedit.h"

#include "qpeeditor.h"

#include <QComboBox>

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

ViewOptions TextEdit::viewOptions() const
{
    ViewOptions o;
    o.shortCutKey = ShortCutKey;
    o.backColor = BackColor;
    o.textColor = TextColor;
    o.cursorDraw = CursorDraw;
    o.cursorColor = CursorColor;
    o.cursorColor2 = CursorColor2;
    o.cursorWidth = CursorWidth;
    o.lineNumber = LineNumber;
    o.lineNumberCr = LineNumberCr;
    o.crMarkDisp = CRMarkDisp;
    o.selectedColor = SelectedColor;
    o.verticalLine = VerticalLine;
    o.scrollBarDisp = ScrollBarDisp;
    o.fontFamilyName = FontFamilyName;
    return o;
}

void TextEdit::applyViewOptions(const ViewOptions& o)
{
    bool repaint = false;
    if (o.shortCutKey != ShortCutKey)
        setShortCutKey(o.shortCutKey);
    const bool backChanged = o.backColor != BackColor;
    if (backChanged)
        setBackColor(o.backColor);
    if (o.cursorDraw != CursorDraw) {
        CursorDraw = o.cursorDraw;
        m_editor->setCursorDraw(CursorDraw);
        m_editor->viewport()->update();
    }
    if (o.lineNumber != LineNumber) {
        const int old = LineNumber;
        LineNumber = o.lineNumber;
        LineNumberCr = o.lineNumberCr;
        m_editor->setLineNumber(LineNumber, LineNumberCr);
        // The margin width changed.
        if ((old > 1 || LineNumber > 1) && Wrap)
            setWordWrap(true);
        updateCaption();
        repaint = true;
    }
    if (o.lineNumberCr != LineNumberCr) {
        LineNumberCr = o.lineNumberCr;
        m_editor->setLineNumber(LineNumber, LineNumberCr);
        updateCaption();
        repaint = true;
    }
    if (o.crMarkDisp != CRMarkDisp) {
        CRMarkDisp = o.crMarkDisp;
        m_editor->setCRMarkDisp(CRMarkDisp);
        repaint = true;
    }
    if (o.textColor != TextColor || backChanged) {
        int text = o.textColor;
        if (BackColor == 0 && text == 4)
            text = 0;
        else if (BackColor == 7 && text == 0)
            text = 4;
        TextColor = text;
        setTextColor(TextColor);
        repaint = true;
    }
    if (o.cursorColor != CursorColor) {
        int colour = o.cursorColor;
        if (BackColor == 0 && colour == 8)
            colour = 7;
        else if (BackColor == 7 && colour == 7)
            colour = 8;
        CursorColor = colour;
        m_editor->setCursorLineColor(CursorColor);
        repaint = true;
    }
    if (o.cursorColor2 != CursorColor2) {
        int colour = o.cursorColor2;
        if (BackColor == 0 && colour == 7)
            colour = 0;
        else if (BackColor == 7 && colour == 6)
            colour = 7;
        CursorColor2 = colour;
        m_editor->setCursorColor(CursorColor2);
        repaint = true;
    }
    if (o.cursorWidth != CursorWidth) {
        CursorWidth = o.cursorWidth;
        m_editor->setCursorStyle(CursorWidth);
        repaint = true;
    }
    if (o.selectedColor != SelectedColor) {
        SelectedColor = o.selectedColor;
        m_editor->setSelectedColor(SelectedColor);
        repaint = true;
    }
    if (o.verticalLine != VerticalLine) {
        VerticalLine = o.verticalLine;
        m_editor->setVerticalLine(VerticalLine);
        repaint = true;
    }
    if (o.scrollBarDisp != ScrollBarDisp) {
        ScrollBarDisp = o.scrollBarDisp;
        m_editor->setScrollBarDisp(ScrollBarDisp);
        repaint = true;
    }
    if (o.fontFamilyName != FontFamilyName) {
        FontFamilyName = o.fontFamilyName;
        m_editor->setFont(QFont(FontFamilyName, 12, QFont::Normal, false));
        m_editor->setDefaultTabStop(TabLength);
        repaint = true;
    }
    writeConf();
    if (repaint)
        m_editor->viewport()->update();
}

FuncOptions TextEdit::funcOptions() const
{
    FuncOptions o;
    o.moveCursor = MoveCursor;
    o.appendCRCode = AppendCRCode;
    o.caseSensitive = CaseSensitive;
    o.incrementalSearch = IncrementalSearch;
    o.wrapMethod = WrapMethod;
    o.tabLength = TabLength;
    o.inputCodec = InputCodec;
    o.outputCodec = OutputCodec;
    o.cursorWord = CursorWord;
    o.winDateForm = WinDateForm;
    return o;
}

void TextEdit::applyFuncOptions(const FuncOptions& o)
{
    MoveCursor = o.moveCursor;
    AppendCRCode = o.appendCRCode;
    CaseSensitive = o.caseSensitive;
    CursorWord = o.cursorWord;
    WinDateForm = o.winDateForm;
    IncrementalSearch = o.incrementalSearch;
    if (o.wrapMethod != WrapMethod) {
        WrapMethod = o.wrapMethod;
        if (Wrap)
            setWordWrap(true);
    }
    disconnect(searchCombo, &QComboBox::editTextChanged, this, &TextEdit::search);
    if (IncrementalSearch)
        connect(searchCombo, &QComboBox::editTextChanged, this, &TextEdit::search);
    if (o.tabLength != TabLength) {
        TabLength = o.tabLength;
        m_editor->setDefaultTabStop(TabLength);
        m_editor->viewport()->update();
    }
    if (o.inputCodec != InputCodec) {
        InputCodec = o.inputCodec;
        updateCaption();
    }
    int output = o.outputCodec;
    if (InputCodec > 0 && output == 0)
        output = InputCodec;
    if (output != OutputCodec) {
        OutputCodec = output;
        updateCaption();
    }
    writeConf();
}

QList<UserFileInfo> TextEdit::colorOptions() const
{
    return QList<UserFileInfo>(fileInfo, fileInfo + 6);
}

void TextEdit::applyColorOptions(const QList<UserFileInfo>& records)
{
    bool changed = false;
    for (int n = 0; n < 6 && n < records.size(); ++n) {
        const UserFileInfo& in = records.at(n);
        UserFileInfo& r = fileInfo[n];
        const UserFileInfo before = r;
        if (n == 0) {
            r.regExp = in.regExp;
            r.charColor = in.charColor;
        } else if (in.ext != r.ext) {
            r.ext = in.ext;
            userExt[n] = r.ext.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
        r.color1 = in.color1;
        r.color2 = in.color2;
        r.color3 = in.color3;
        r.word1 = in.word1;
        r.word2 = in.word2;
        r.word3 = in.word3;
        r.commentColor = in.commentColor;
        r.comment = in.comment;
        changed = changed || r.regExp != before.regExp || r.charColor != before.charColor || r.ext != before.ext
            || r.color1 != before.color1 || r.color2 != before.color2 || r.color3 != before.color3
            || r.word1 != before.word1 || r.word2 != before.word2 || r.word3 != before.word3
            || r.commentColor != before.commentColor || r.comment != before.comment;
        m_editor->setUserFileInfo(n, r);
    }
    writeConf2();
    if (changed) {
        setFileType(fileExt);
        m_editor->viewport()->update();
    }
}

QStringList TextEdit::idioms() const
{
    return idiom;
}

void TextEdit::applyIdioms(const QStringList& idioms)
{
    for (int i = 0; i < 9 && i < idioms.size(); ++i)
        idiom[i] = idioms.at(i);
    writeConf2();
}

void TextEdit::applySpecialKey(const SpecialKey& keys)
{
    if (keys == m_specialKey)
        return;
    optionSpecialKey(false);
    m_specialKey = keys;
    optionSpecialKey(true);
    writeConf();
}

// The option dialogs come with the editor's dialogs; their results go through the apply functions above.
void TextEdit::optionProc() {}
void TextEdit::optionProc2() {}
void TextEdit::optionProc3() {}
void TextEdit::optionProc4() {}
void TextEdit::optionProc5() {}
