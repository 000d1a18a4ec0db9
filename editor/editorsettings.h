#pragma once

#include "listlastfile.h"
#include "specialkey.h"
#include "userfileinfo.h"

#include <QString>

#include <array>

// Everything the editor's two settings files hold, each value named by its key.
// Defaults, corrections and which keys are written come from SettingsTable; the
// window changes the values and hands the whole struct to the editing widget,
// and the option dialogs edit a copy of it.
struct EditorSettings
{
    // Defaults of SettingsTable, as a missing settings file gives them.
    EditorSettings();

    // Group "Key" (the special-key record).
    SpecialKey specialKey;

    // Group "View".
    int FontSize = 0;
    bool Wrap = false;
    int WrapMethod = 0;
    bool AutoIndent = false;
    int CursorWord = 0;
    bool MoveCursor = false;
    int WinDateForm = 0;
    bool ShortCutKey = false;
    int BackColor = 0;
    int TextColor = 0;
    int CursorDraw = 0;
    int CursorColor2 = 0;
    int CursorColor = 0;
    int CursorWidth = 0;
    int SelectedColor = 0;
    int VerticalLine = 0;
    int ScrollBarDisp = 0;
    int AppendCRCode = 0;
    int CaseSensitive = 0;
    bool IncrementalSearch = false;
    int TabLength = 0;
    int InputCodec = 0;
    int OutputCodec = 0;
    int LineNumber = 0;
    bool LineNumberCr = false;
    int CRMarkDisp = 0;
    bool IconNew = false;
    bool IconOpen = false;
    bool IconSave = false;
    bool IconCut = false;
    bool IconCopy = false;
    bool IconPaste = false;
    bool IconFind = false;
    bool IconNFind = false;
    int AutoSave = 0;
    QString AutoSaveDir;
    bool SmallSaveDialog = false;
    bool OKisEnter = false;
    int CtrlUpSelect = 0;
    int CtrlDownSelect = 0;
    bool AppendFileExtension = false;
    bool SeparateKanaKanji = false;
    QString IconNewName;
    QString IconOpenName;
    QString IconSaveName;
    QString IconCutName;
    QString IconCopyName;
    QString IconPasteName;
    QString IconFindName;
    QString IconNFindName;
    QString UserJumpU;
    QString UserJumpJ;
    bool SaveFastUTF8 = false;
    bool DefCutAndCopy = false;
    bool MarkPosToggle = false;
    // Null until the window fills in its own font's family.
    QString FontFamilyName;
    // Most recent first.
    std::array<QString, 10> SearchWords;

    // Group "LastFile": the first path as read at start-up, and the history.
    QString startDir;
    ListLastFile history;

    // The second file: keyword colouring of ".txt" files (record 0), of the user
    // types 1 to 5 and of every other file (record 6, never stored); the idioms.
    std::array<UserFileInfo, 7> fileInfo;
    std::array<QString, 9> idiom;
};
