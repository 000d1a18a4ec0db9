#pragma once

#include <QString>

// The file manager's settings, kept in the settings file "korvex" and read by every
// part of the program. Only the main window and the options dialog change them.

constexpr int kxFavorMax = 20;
extern const QString kxFavorSeparator; // "$sep$"

extern int kxcfgIcoLink;
extern int kxcfgIcoLock;
extern int kxcfgIcoExec;
extern int kxcfgListShowHidden;
extern int kxcfgKeepOpenFolder;
extern QString kxcfgLastOpenFolder;
extern int kxcfgBarShowTool;
extern int kxcfgBarShowAdrs;
extern int kxcfgBarShowStat;
extern QString kxcfgFavorItem[kxFavorMax];
extern QString kxcfgFavorName[kxFavorMax];

void kxReadConfig();
void kxWriteConfig();

// "1234567" -> "1,234,567".
QString kxCommaFormat(const QString& digits);

// 1 on the large (VGA) display, 0 on the small one.
int kxDisplayVga();
