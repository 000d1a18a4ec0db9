#include "textedit.h"

#include "qpeeditor.h"
#include "velinoglobals.h"

#include "platform/config.h"
#include "platform/doclnk.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

namespace {
const char* const keyNames[10] = {"KeyCtrlEnter", "KeyCtrlSpace", "KeyShiftEnter", "KeyShiftSpace", "KeyFn_N",
                                  "KeyFn_M",      "KeyFn_O",      "KeyFn_P",       "KeyFn_A",       "KeyFn_S"};

// The special-key record's fields in the order of keyNames.
int* keyField(SpecialKey& k, int i)
{
    int* fields[10] = {&k.ctrlEnter, &k.ctrlSpace, &k.shiftEnter, &k.shiftSpace, &k.fnN,
                       &k.fnM,       &k.fnO,       &k.fnP,        &k.fnA,        &k.fnS};
    return fields[i];
}

QColor backColor(int n)
{
    static const QColor table[] = {QColor(255, 255, 255), QColor(255, 150, 150), QColor(150, 255, 150),
                                   QColor(150, 150, 255), QColor(255, 150, 255), QColor(150, 255, 255),
                                   QColor(255, 255, 150), QColor(0, 0, 0)};
    return n >= 0 && n < 8 ? table[n] : table[0];
}

QColor textColor(int n)
{
    static const QColor table[] = {
        QColor(0, 0, 0),       QColor(80, 0, 0),      QColor(0, 80, 0),      QColor(0, 0, 80),
        QColor(255, 255, 255), QColor(160, 160, 164), QColor(128, 128, 128), QColor(255, 0, 0),
        QColor(0, 255, 0),     QColor(0, 0, 255),     QColor(255, 0, 255),   QColor(0, 255, 255),
        QColor(255, 255, 0),   QColor(255, 100, 100), QColor(100, 255, 100), QColor(100, 100, 255),
        QColor(255, 100, 255), QColor(100, 255, 255), QColor(255, 255, 100)};
    return n >= 0 && n < 19 ? table[n] : table[0];
}

QString userKey(int n, const char* field)
{
    return QStringLiteral("User%1").arg(n) + QLatin1String(field);
}
} // namespace

void TextEdit::readConf()
{
    Config conf(m_appName);
    conf.setGroup(QStringLiteral("Key"));
    for (int i = 0; i < 10; ++i)
        *keyField(m_specialKey, i) = conf.readNumEntry(QLatin1String(keyNames[i]), 0);

    conf.setGroup(QStringLiteral("View"));
    FontSize = conf.readNumEntry(QStringLiteral("FontSize"), 10);
    Wrap = conf.readBoolEntry(QStringLiteral("Wrap"), false);
    WrapMethod = conf.readNumEntry(QStringLiteral("WrapMethod"), 0);
    AutoIndent = conf.readBoolEntry(QStringLiteral("AutoIndent"), false);
    CursorWord = conf.readNumEntry(QStringLiteral("CursorWord"), 1);
    MoveCursor = conf.readBoolEntry(QStringLiteral("MoveCursor"), true);
    WinDateForm = conf.readNumEntry(QStringLiteral("WinDateForm"), 0);
    ShortCutKey = conf.readBoolEntry(QStringLiteral("ShortCutKey"), true);
    BackColor = conf.readNumEntry(QStringLiteral("BackColor"), 0);
    TextColor = conf.readNumEntry(QStringLiteral("TextColor"), 0);
    CursorDraw = conf.readNumEntry(QStringLiteral("CursorDraw"), 0);
    CursorColor2 = conf.readNumEntry(QStringLiteral("CursorColor2"), 0);
    CursorColor = conf.readNumEntry(QStringLiteral("CursorColor"), 0);
    if (CursorColor > 8)
        CursorColor = 1;
    CursorWidth = conf.readNumEntry(QStringLiteral("CursorWidth"), 2);
    if (CursorWidth < 1 || CursorWidth > 9)
        CursorWidth = 2;
    SelectedColor = conf.readNumEntry(QStringLiteral("SelectedColor"), 0);
    VerticalLine = conf.readNumEntry(QStringLiteral("VerticalLine"), 0);
    ScrollBarDisp = conf.readNumEntry(QStringLiteral("ScrollBarDisp"), 0);
    AppendCRCode = conf.readNumEntry(QStringLiteral("AppendCRCode"), 0);
    CaseSensitive = conf.readNumEntry(QStringLiteral("CaseSensitive"), 0);
    IncrementalSearch = conf.readBoolEntry(QStringLiteral("IncrementalSearch"), true);
    TabLength = conf.readNumEntry(QStringLiteral("TabLength"), 0);
    if (TabLength < 2 || TabLength > 8)
        TabLength = 8;
    InputCodec = conf.readNumEntry(QStringLiteral("InputCodec"), 0);
    if (InputCodec < 0 || InputCodec > 6)
        InputCodec = 0;
    OutputCodec = conf.readNumEntry(QStringLiteral("OutputCodec"), 0);
    if (OutputCodec < 0 || OutputCodec > 6)
        OutputCodec = 0;
    LineNumber = conf.readNumEntry(QStringLiteral("LineNumber"), 0);
    LineNumberCr = conf.readBoolEntry(QStringLiteral("LineNumberCr"), false);
    CRMarkDisp = conf.readNumEntry(QStringLiteral("CRMarkDisp"), 0);
    IconNew = conf.readBoolEntry(QStringLiteral("IconNew"), false);
    IconOpen = conf.readBoolEntry(QStringLiteral("IconOpen"), true);
    IconSave = conf.readBoolEntry(QStringLiteral("IconSave"), true);
    IconCut = conf.readBoolEntry(QStringLiteral("IconCut"), true);
    IconCopy = conf.readBoolEntry(QStringLiteral("IconCopy"), true);
    IconPaste = conf.readBoolEntry(QStringLiteral("IconPaste"), true);
    IconFind = conf.readBoolEntry(QStringLiteral("IconFind"), true);
    IconNFind = conf.readBoolEntry(QStringLiteral("IconNFind"), false);
    AutoSave = conf.readNumEntry(QStringLiteral("AutoSave"), 0);
    if (AutoSave < 0 || AutoSave > 60)
        AutoSave = 0;
    AutoSaveDir = conf.readEntry(QStringLiteral("AutoSaveDir"), QStringLiteral("/home/tarvik/Documents/Text_Files/"));
    SmallSaveDialog = conf.readBoolEntry(QStringLiteral("SmallSaveDialog"), false);
    OKisEnter = conf.readBoolEntry(QStringLiteral("OKisEnter"), false);
    CtrlUpSelect = conf.readNumEntry(QStringLiteral("CtrlUpSelect"), 0);
    CtrlDownSelect = conf.readNumEntry(QStringLiteral("CtrlDownSelect"), 0);
    AppendFileExtension = conf.readBoolEntry(QStringLiteral("AppendFileExtension"), false);
    SeparateKanaKanji = conf.readBoolEntry(QStringLiteral("SeparateKanaKanji"), false);
    IconNewName = conf.readEntry(QStringLiteral("IconNewName"), QStringLiteral("new"));
    IconOpenName = conf.readEntry(QStringLiteral("IconOpenName"), QStringLiteral("slfolder"));
    IconSaveName = conf.readEntry(QStringLiteral("IconSaveName"), QStringLiteral("rec"));
    IconCutName = conf.readEntry(QStringLiteral("IconCutName"), QStringLiteral("cut"));
    IconCopyName = conf.readEntry(QStringLiteral("IconCopyName"), QStringLiteral("copy"));
    IconPasteName = conf.readEntry(QStringLiteral("IconPasteName"), QStringLiteral("paste"));
    IconFindName = conf.readEntry(QStringLiteral("IconFindName"), QStringLiteral("find"));
    IconNFindName = conf.readEntry(QStringLiteral("IconNFindName"), QStringLiteral("down"));
    UserJumpU = conf.readEntry(QStringLiteral("UserJumpU"), QStringLiteral("/var/mnt/card/Documents"));
    UserJumpJ = conf.readEntry(QStringLiteral("UserJumpJ"), QStringLiteral("/var/mnt/cf/Documents"));
    SaveFastUTF8 = conf.readBoolEntry(QStringLiteral("SaveFastUTF8"), false);
    DefCutAndCopy = conf.readBoolEntry(QStringLiteral("DefCutAndCopy"), false);
    MarkPosToggle = conf.readBoolEntry(QStringLiteral("MarkPosToggle"), false);
    FontFamilyName = conf.readEntry(QStringLiteral("FontFamilyName"), font().family());
    SearchWords.clear();
    for (int i = 1; i <= 10; ++i)
        SearchWords << conf.readEntry(QStringLiteral("SearchWords%1").arg(i), QString());

    if (BackColor > 7)
        BackColor = 0;
    else if (BackColor == 7 && TextColor == 0)
        TextColor = 4;
    if (BackColor == 0 && TextColor == 4)
        TextColor = 0;

    conf.setGroup(QStringLiteral("LastFile"));
    startDir = conf.readEntry(QStringLiteral("LastFile1"), QString());
    for (int n = 1; n <= ListLastFile::Count; ++n) {
        history.itemSet(n - 1, conf.readEntry(QStringLiteral("LastFile%1").arg(n), QStringLiteral("dummy")),
                        conf.readNumEntry(QStringLiteral("LastFile%1_col").arg(n), -1),
                        conf.readNumEntry(QStringLiteral("LastFile%1_line").arg(n), -1),
                        conf.readNumEntry(QStringLiteral("LastFile%1_color").arg(n), 0));
    }
}

void TextEdit::readConf2()
{
    Config conf(m_appName + QStringLiteral("_r"));
    conf.setGroup(QStringLiteral("Common"));
    UserFileInfo& text = fileInfo[0];
    // Written as a bool; a hand-made file may hold a number, non-zero meaning on.
    text.regExp = conf.readBoolEntry(QStringLiteral("CommonRegExpress"), false);

    conf.setGroup(QStringLiteral("Text"));
    text.charColor = conf.readNumEntry(QStringLiteral("TextCharColor"), 0);
    if (text.charColor < 0 || text.charColor > 12)
        text.charColor = 1;
    text.color1 = conf.readNumEntry(QStringLiteral("rTextColor"), 0);
    text.color2 = conf.readNumEntry(QStringLiteral("rTextColor2"), 0);
    text.color3 = conf.readNumEntry(QStringLiteral("rTextColor3"), 0);
    text.word1 = conf.readEntry(QStringLiteral("rTextWord"));
    text.word2 = conf.readEntry(QStringLiteral("rTextWord2"));
    text.word3 = conf.readEntry(QStringLiteral("rTextWord3"));
    text.commentColor = conf.readNumEntry(QStringLiteral("rTextCommentColor"), 0);
    text.comment = conf.readEntry(QStringLiteral("rTextComment"));

    conf.setGroup(QStringLiteral("User"));
    for (int n = 1; n <= 5; ++n) {
        UserFileInfo& user = fileInfo[n];
        user.ext = conf.readEntry(userKey(n, "Ext"));
        user.color1 = conf.readNumEntry(userKey(n, "Color1"), 0);
        user.color2 = conf.readNumEntry(userKey(n, "Color2"), 0);
        user.color3 = conf.readNumEntry(userKey(n, "Color3"), 0);
        user.word1 = conf.readEntry(userKey(n, "Word1"));
        user.word2 = conf.readEntry(userKey(n, "Word2"));
        user.word3 = conf.readEntry(userKey(n, "Word3"));
        user.commentColor = conf.readNumEntry(userKey(n, "CommentColor"), -1);
        user.comment = conf.readEntry(userKey(n, "Comment"));
        userExt[n] = user.ext.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }

    conf.setGroup(QStringLiteral("Idiom"));
    idiom.clear();
    for (int i = 1; i <= 9; ++i)
        idiom << conf.readEntry(QStringLiteral("rIdiom%1").arg(i));
}

void TextEdit::writeConf()
{
    Config conf(m_appName);
    conf.setGroup(QStringLiteral("LastFile"));
    for (int n = 1; n <= ListLastFile::Count; ++n) {
        conf.writeEntry(QStringLiteral("LastFile%1").arg(n), history.path(n - 1));
        conf.writeEntry(QStringLiteral("LastFile%1_col").arg(n), history.col(n - 1));
        conf.writeEntry(QStringLiteral("LastFile%1_line").arg(n), history.line(n - 1));
        conf.writeEntry(QStringLiteral("LastFile%1_color").arg(n), history.color(n - 1));
    }

    conf.setGroup(QStringLiteral("View"));
    conf.writeEntry(QStringLiteral("FontSize"), m_editor->fontSize());
    conf.writeEntry(QStringLiteral("Wrap"), Wrap);
    conf.writeEntry(QStringLiteral("WrapMethod"), WrapMethod);
    conf.writeEntry(QStringLiteral("AutoIndent"), AutoIndent);
    conf.writeEntry(QStringLiteral("ShortCutKey"), ShortCutKey);
    conf.writeEntry(QStringLiteral("CursorDraw"), CursorDraw);
    conf.writeEntry(QStringLiteral("BackColor"), BackColor);
    conf.writeEntry(QStringLiteral("LineNumber"), LineNumber);
    conf.writeEntry(QStringLiteral("LineNumberCr"), LineNumberCr);
    conf.writeEntry(QStringLiteral("CRMarkDisp"), CRMarkDisp);
    conf.writeEntry(QStringLiteral("CursorWord"), CursorWord);
    conf.writeEntry(QStringLiteral("MoveCursor"), MoveCursor);
    conf.writeEntry(QStringLiteral("WinDateForm"), WinDateForm);
    conf.writeEntry(QStringLiteral("TextColor"), TextColor);
    conf.writeEntry(QStringLiteral("CursorColor"), CursorColor);
    conf.writeEntry(QStringLiteral("CursorColor2"), CursorColor2);
    conf.writeEntry(QStringLiteral("CursorWidth"), CursorWidth);
    conf.writeEntry(QStringLiteral("AppendCRCode"), AppendCRCode);
    conf.writeEntry(QStringLiteral("CaseSensitive"), CaseSensitive);
    conf.writeEntry(QStringLiteral("IncrementalSearch"), IncrementalSearch);
    conf.writeEntry(QStringLiteral("TabLength"), TabLength);
    conf.writeEntry(QStringLiteral("InputCodec"), InputCodec);
    conf.writeEntry(QStringLiteral("OutputCodec"), OutputCodec);
    conf.writeEntry(QStringLiteral("SelectedColor"), SelectedColor);
    conf.writeEntry(QStringLiteral("VerticalLine"), VerticalLine);
    conf.writeEntry(QStringLiteral("ScrollBarDisp"), ScrollBarDisp);
    conf.writeEntry(QStringLiteral("FontFamilyName"), FontFamilyName);
    for (int i = 0; i < 10; ++i)
        conf.writeEntry(QStringLiteral("SearchWords%1").arg(i + 1), SearchWords.value(i));

    conf.setGroup(QStringLiteral("Key"));
    for (int i = 0; i < 10; ++i)
        conf.writeEntry(QLatin1String(keyNames[i]), *keyField(m_specialKey, i));
}

void TextEdit::writeConf2()
{
    Config conf(m_appName + QStringLiteral("_r"));
    const UserFileInfo& text = fileInfo[0];
    conf.setGroup(QStringLiteral("Common"));
    conf.writeEntry(QStringLiteral("CommonRegExpress"), text.regExp);

    conf.setGroup(QStringLiteral("Text"));
    conf.writeEntry(QStringLiteral("TextCharColor"), text.charColor);
    conf.writeEntry(QStringLiteral("rTextColor"), text.color1);
    conf.writeEntry(QStringLiteral("rTextColor2"), text.color2);
    conf.writeEntry(QStringLiteral("rTextColor3"), text.color3);
    conf.writeEntry(QStringLiteral("rTextWord"), text.word1);
    conf.writeEntry(QStringLiteral("rTextWord2"), text.word2);
    conf.writeEntry(QStringLiteral("rTextWord3"), text.word3);
    conf.writeEntry(QStringLiteral("rTextCommentColor"), text.commentColor);
    conf.writeEntry(QStringLiteral("rTextComment"), text.comment);

    conf.setGroup(QStringLiteral("User"));
    for (int n = 1; n <= 5; ++n) {
        const UserFileInfo& user = fileInfo[n];
        conf.writeEntry(userKey(n, "Ext"), user.ext);
        conf.writeEntry(userKey(n, "Color1"), user.color1);
        conf.writeEntry(userKey(n, "Color2"), user.color2);
        conf.writeEntry(userKey(n, "Color3"), user.color3);
        conf.writeEntry(userKey(n, "Word1"), user.word1);
        conf.writeEntry(userKey(n, "Word2"), user.word2);
        conf.writeEntry(userKey(n, "Word3"), user.word3);
        conf.writeEntry(userKey(n, "Comment"), user.comment);
        conf.writeEntry(userKey(n, "CommentColor"), user.commentColor);
    }

    conf.setGroup(QStringLiteral("Idiom"));
    for (int i = 0; i < 9; ++i)
        conf.writeEntry(QStringLiteral("rIdiom%1").arg(i + 1), idiom.value(i));
}

void TextEdit::setLastFile()
{
    if (!doc || doc->file().isEmpty())
        return;
    history.push(doc->file(), m_editor->cursorColumn(), m_editor->cursorRow(), BackColor);
    rebuildHistoryMenu();
}

void TextEdit::fileClearHistory()
{
    for (int i = 0; i < ListLastFile::Count; ++i)
        history.clear(i);
    rebuildHistoryMenu();
}

void TextEdit::setBackColor(int n)
{
    if (n < 0 || n > 7)
        n = 0;
    if (n == 7 && TextColor == 0) {
        TextColor = 4;
        setTextColor(TextColor);
    } else if (n < 7 && TextColor == 4) {
        TextColor = 0;
        setTextColor(TextColor);
    }
    if (n == 0 && CursorColor2 == 7) {
        CursorColor2 = 0;
        m_editor->setCursorColor(CursorColor2);
    } else if (n == 7 && CursorColor2 == 6) {
        CursorColor2 = 7;
        m_editor->setCursorColor(CursorColor2);
    }
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, backColor(n));
    m_editor->setPalette(palette);
    BackColor = n;
    m_editor->setFocus();
}

void TextEdit::setTextColor(int n)
{
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Text, textColor(n));
    m_editor->setPalette(palette);
}

void TextEdit::setFileType(const QString& ext)
{
    FileType = 6;
    if (ext.toUpper() == QLatin1String("TXT")) {
        FileType = 0;
    } else {
        for (int n = 1; n <= 5 && FileType == 6; ++n) {
            if (userExt[n].contains(ext))
                FileType = n;
        }
    }
    m_editor->setUserFileInfo(FileType, fileInfo[FileType]);
}
