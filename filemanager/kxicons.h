#pragma once

#include <QPixmap>
#include <QString>

// The icons shared by the folder tree and the file list: loaded once by the main window.
extern QPixmap* kxpixFolder1;
extern QPixmap* kxpixFolder2;
extern QPixmap* kxpixFolderRoot;
extern QPixmap* kxpixFolderHome;
extern QPixmap* kxpixFolderUser;
extern QPixmap* kxpixFolderDoc;
extern QPixmap* kxpixFolderQt;
extern QPixmap* kxpixFolderQtSta;
extern QPixmap* kxpixFolderCF;
extern QPixmap* kxpixFolderSD;
extern QPixmap* kxpixFolderPen;
extern QPixmap* kxpixFolderBin;
extern QPixmap* kxpixFolderMnt;
extern QPixmap* kxpixFileText;
extern QPixmap* kxpixFilePic;
extern QPixmap* kxpixFileMusic;
extern QPixmap* kxpixFileMovie;
extern QPixmap* kxpixFileScript;
extern QPixmap* kxpixFileIpk;
extern QPixmap* kxpixFileEtc;
extern QPixmap* kxpixMarkLink;
extern QPixmap* kxpixMarkLock;
extern QPixmap* kxpixMarkExec;

// Loads the 23 icons, scaled for the small display when vgaMode is 0.
void kxLoadIcons(int vgaMode);
void kxDeleteIcons();

// The icon of a folder by its path (ending in "/"): special folders have their own.
// A list row differs from a tree node: "/bin/" has the program icon and a row is never open.
enum class kxFolderView { Tree, List };
QPixmap* kxFolderIcon(const QString& folderPath, bool isLink, const QString& pathEnv, kxFolderView view,
                      bool open);

// The resource name of a favourite's menu icon.
QString kxFavorIconName(const QString& path);

// A symbolic link's own text, as it is stored (relative targets stay relative).
QString kxReadLink(const QString& path);

// A name as the views show it: control characters (a newline in a name) show as "?", as ls shows them.
QString kxVisibleName(const QString& name);
