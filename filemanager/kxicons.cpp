#include "kxicons.h"

#include "platform/resource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits.h>
#include <unistd.h>

QPixmap* kxpixFolder1 = nullptr;
QPixmap* kxpixFolder2 = nullptr;
QPixmap* kxpixFolderRoot = nullptr;
QPixmap* kxpixFolderHome = nullptr;
QPixmap* kxpixFolderUser = nullptr;
QPixmap* kxpixFolderDoc = nullptr;
QPixmap* kxpixFolderQt = nullptr;
QPixmap* kxpixFolderQtSta = nullptr;
QPixmap* kxpixFolderCF = nullptr;
QPixmap* kxpixFolderSD = nullptr;
QPixmap* kxpixFolderPen = nullptr;
QPixmap* kxpixFolderBin = nullptr;
QPixmap* kxpixFolderMnt = nullptr;
QPixmap* kxpixFileText = nullptr;
QPixmap* kxpixFilePic = nullptr;
QPixmap* kxpixFileMusic = nullptr;
QPixmap* kxpixFileMovie = nullptr;
QPixmap* kxpixFileScript = nullptr;
QPixmap* kxpixFileIpk = nullptr;
QPixmap* kxpixFileEtc = nullptr;
QPixmap* kxpixMarkLink = nullptr;
QPixmap* kxpixMarkLock = nullptr;
QPixmap* kxpixMarkExec = nullptr;

namespace {
struct SharedIcon {
    QPixmap** pixmap;
    const char* resource;
    int smallSize;
};

const SharedIcon sharedIcons[] = {
    {&kxpixFolder1, "korvex/tree/folder1", 14},
    {&kxpixFolder2, "korvex/tree/folder2", 14},
    {&kxpixFolderRoot, "korvex/tree/folderroot1", 14},
    {&kxpixFolderHome, "korvex/tree/folderhome1", 14},
    {&kxpixFolderUser, "korvex/tree/folderuser1", 14},
    {&kxpixFolderDoc, "korvex/tree/folderdoc1", 14},
    {&kxpixFolderQt, "korvex/tree/folderqt1", 14},
    {&kxpixFolderQtSta, "korvex/tree/folderqtstart1", 14},
    {&kxpixFolderCF, "korvex/tree/foldercf1", 14},
    {&kxpixFolderSD, "korvex/tree/foldersd1", 14},
    {&kxpixFolderPen, "korvex/tree/folderpen1", 14},
    {&kxpixFolderBin, "korvex/tree/folderbin1", 14},
    {&kxpixFolderMnt, "korvex/tree/foldermnt1", 14},
    {&kxpixFileText, "korvex/list/filetext", 14},
    {&kxpixFilePic, "korvex/list/filepic", 14},
    {&kxpixFileMusic, "korvex/list/filemusic", 14},
    {&kxpixFileMovie, "korvex/list/filemovie", 14},
    {&kxpixFileScript, "korvex/list/filescript", 14},
    {&kxpixFileIpk, "korvex/list/fileipk", 14},
    {&kxpixFileEtc, "korvex/list/fileetc", 14},
    {&kxpixMarkLink, "korvex/tree/mark_link", 5},
    {&kxpixMarkLock, "korvex/tree/mark_lock", 5},
    {&kxpixMarkExec, "korvex/tree/mark_exec", 5},
};
} // namespace

void kxLoadIcons(int vgaMode)
{
    for (const SharedIcon& icon : sharedIcons) {
        QPixmap pixmap = Resource::loadPixmap(QLatin1String(icon.resource));
        if (!vgaMode && !pixmap.isNull())
            pixmap = pixmap.scaled(icon.smallSize, icon.smallSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        delete *icon.pixmap;
        *icon.pixmap = new QPixmap(pixmap);
    }
}

void kxDeleteIcons()
{
    for (const SharedIcon& icon : sharedIcons) {
        delete *icon.pixmap;
        *icon.pixmap = nullptr;
    }
}

QString kxReadLink(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(encoded.constData(), buffer, sizeof buffer);
    if (n <= 0)
        return QString();
    return QFile::decodeName(QByteArray(buffer, int(n)));
}

static bool isOneOf(const QString& text, std::initializer_list<const char*> candidates)
{
    for (const char* c : candidates)
        if (text == QLatin1String(c))
            return true;
    return false;
}

QPixmap* kxFolderIcon(const QString& folderPath, bool isLink, const QString& pathEnv, kxFolderView view, bool open)
{
    const QString plain = folderPath.size() > 1 && folderPath.endsWith(QLatin1Char('/')) ? folderPath.chopped(1)
                                                                                          : folderPath;
    const QString target = isLink ? kxReadLink(plain) : QString();
    const QString home = QDir::homePath();
    if (folderPath == QLatin1String("/"))
        return kxpixFolderRoot;
    if (view == kxFolderView::List && folderPath == QLatin1String("/bin/"))
        return kxpixFolderBin;
    if (folderPath == QLatin1String("/home/"))
        return kxpixFolderUser;
    if (plain == home)
        return kxpixFolderHome;
    if (folderPath == home + QStringLiteral("/Documents/"))
        return kxpixFolderDoc;
    if (folderPath == QLatin1String("/home/QtPalmtop/") || target == QLatin1String("/home/QtPalmtop"))
        return kxpixFolderQt;
    if (folderPath == QLatin1String("/home/QtPalmtop/apps/"))
        return kxpixFolderQtSta;
    if (isOneOf(folderPath, {"/mnt/", "/var/mnt/", "/usr/mnt.rom/"}))
        return kxpixFolderMnt;
    if (folderPath == QLatin1String("/usr/mnt.rom/card/") ||
        isOneOf(target, {"/usr/mnt.rom/card", "/mnt/card", "/var/mnt/card"}))
        return kxpixFolderSD;
    if (folderPath == QLatin1String("/usr/mnt.rom/cf/") || isOneOf(target, {"/usr/mnt.rom/cf", "/mnt/cf", "/var/mnt/cf"}))
        return kxpixFolderCF;
    if (isOneOf(folderPath, {"/mnt/card/Documents/", "/mnt/cf/Documents/"}))
        return kxpixFolderDoc;
    if (folderPath == QLatin1String("/opt/"))
        return kxpixFolderPen;
    if (pathEnv.contains(QLatin1Char(':') + plain + QLatin1Char(':')))
        return kxpixFolderBin;
    return open && view == kxFolderView::Tree ? kxpixFolder2 : kxpixFolder1;
}

QString kxFavorIconName(const QString& path)
{
    const QString home = QDir::homePath();
    const QString target = QFileInfo(path).isSymLink() ? kxReadLink(path) : QString();
    if (path == QLatin1String("/"))
        return QStringLiteral("korvex/menu/root");
    if (path == QLatin1String("/home/"))
        return QStringLiteral("korvex/menu/user");
    if (path == home)
        return QStringLiteral("korvex/menu/home");
    if (path == home + QStringLiteral("/Documents") || isOneOf(path, {"/mnt/card/Documents", "/mnt/cf/Documents"}))
        return QStringLiteral("korvex/menu/folderdoc");
    if (path == QLatin1String("/home/QtPalmtop") || target == QLatin1String("/home/QtPalmtop"))
        return QStringLiteral("korvex/menu/qtopia");
    if (path == QLatin1String("/home/QtPalmtop/apps"))
        return QStringLiteral("korvex/menu/qtstart");
    if (path == QLatin1String("/usr/mnt.rom/card/") || isOneOf(target, {"/usr/mnt.rom/card", "/mnt/card", "/var/mnt/card"}))
        return QStringLiteral("korvex/menu/folder_sd");
    if (path == QLatin1String("/usr/mnt.rom/cf/") || isOneOf(target, {"/usr/mnt.rom/cf", "/mnt/cf", "/var/mnt/cf"}))
        return QStringLiteral("korvex/menu/folder_cf");
    return QStringLiteral("korvex/menu/folder");
}

QString kxVisibleName(const QString& name)
{
    QString shown = name;
    for (QChar& c : shown)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('?');
    return shown;
}
