#include "platform/resource.h"

#include "platform/qpeapplication.h"

#include <QFileInfo>
#include <QHash>
#include <QIcon>

// Image names the programs use that the desktop's icon theme can show.
static const QHash<QString, QString>& themeNames()
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("new"), QStringLiteral("document-new")},
        {QStringLiteral("slfolder"), QStringLiteral("document-open")},
        {QStringLiteral("fileopen"), QStringLiteral("document-open")},
        {QStringLiteral("rec"), QStringLiteral("document-save")},
        {QStringLiteral("save"), QStringLiteral("document-save")},
        {QStringLiteral("cut"), QStringLiteral("edit-cut")},
        {QStringLiteral("copy"), QStringLiteral("edit-copy")},
        {QStringLiteral("paste"), QStringLiteral("edit-paste")},
        {QStringLiteral("find"), QStringLiteral("edit-find")},
        {QStringLiteral("down"), QStringLiteral("go-down")},
        {QStringLiteral("up"), QStringLiteral("go-up")},
        {QStringLiteral("back"), QStringLiteral("go-previous")},
        {QStringLiteral("forward"), QStringLiteral("go-next")},
        {QStringLiteral("close"), QStringLiteral("window-close")},
        {QStringLiteral("folder"), QStringLiteral("folder")},
        {QStringLiteral("undo"), QStringLiteral("edit-undo")},
        {QStringLiteral("redo"), QStringLiteral("edit-redo")},
        {QStringLiteral("trash"), QStringLiteral("user-trash")},
        {QStringLiteral("home"), QStringLiteral("go-home")},
        // korvex: folders, file types, menus
        {QStringLiteral("korvex/tree/folder1"), QStringLiteral("folder")},
        {QStringLiteral("korvex/tree/folder2"), QStringLiteral("folder-open")},
        {QStringLiteral("korvex/tree/folderroot1"), QStringLiteral("drive-harddisk")},
        {QStringLiteral("korvex/tree/folderhome1"), QStringLiteral("user-home")},
        {QStringLiteral("korvex/tree/folderuser1"), QStringLiteral("system-users")},
        {QStringLiteral("korvex/tree/folderdoc1"), QStringLiteral("folder-documents")},
        {QStringLiteral("korvex/tree/folderqt1"), QStringLiteral("pda")},
        {QStringLiteral("korvex/tree/folderqtstart1"), QStringLiteral("start-here")},
        {QStringLiteral("korvex/tree/foldercf1"), QStringLiteral("drive-removable-media")},
        {QStringLiteral("korvex/tree/foldersd1"), QStringLiteral("media-removable")},
        {QStringLiteral("korvex/tree/folderpen1"), QStringLiteral("system-software-install")},
        {QStringLiteral("korvex/tree/folderbin1"), QStringLiteral("application-x-executable")},
        {QStringLiteral("korvex/tree/foldermnt1"), QStringLiteral("folder-remote")},
        {QStringLiteral("korvex/list/filetext"), QStringLiteral("text-x-generic")},
        {QStringLiteral("korvex/list/filepic"), QStringLiteral("image-x-generic")},
        {QStringLiteral("korvex/list/filemusic"), QStringLiteral("audio-x-generic")},
        {QStringLiteral("korvex/list/filemovie"), QStringLiteral("video-x-generic")},
        {QStringLiteral("korvex/list/filescript"), QStringLiteral("text-x-script")},
        {QStringLiteral("korvex/list/fileipk"), QStringLiteral("package-x-generic")},
        {QStringLiteral("korvex/list/fileetc"), QStringLiteral("application-x-generic")},
        {QStringLiteral("korvex/menu/folder"), QStringLiteral("folder")},
        {QStringLiteral("korvex/menu/doctext"), QStringLiteral("text-x-generic")},
        {QStringLiteral("korvex/menu/delete"), QStringLiteral("edit-delete")},
        {QStringLiteral("korvex/menu/rename"), QStringLiteral("insert-text")},
        {QStringLiteral("korvex/menu/property"), QStringLiteral("document-properties")},
        {QStringLiteral("korvex/menu/qcop"), QStringLiteral("mail-send")},
        {QStringLiteral("korvex/menu/close"), QStringLiteral("application-exit")},
        {QStringLiteral("korvex/menu/cut"), QStringLiteral("edit-cut")},
        {QStringLiteral("korvex/menu/copy"), QStringLiteral("edit-copy")},
        {QStringLiteral("korvex/menu/past"), QStringLiteral("edit-paste")},
        {QStringLiteral("korvex/menu/pastlnk"), QStringLiteral("insert-link")},
        {QStringLiteral("korvex/menu/multisel"), QStringLiteral("edit-select-all")},
        {QStringLiteral("korvex/menu/multisel2"), QStringLiteral("edit-select-all")},
        {QStringLiteral("korvex/menu/multisel3"), QStringLiteral("object-flip-vertical")},
        {QStringLiteral("korvex/menu/mark_check"), QStringLiteral("emblem-default")},
        {QStringLiteral("korvex/menu/favor"), QStringLiteral("user-bookmarks")},
        {QStringLiteral("korvex/menu/favor2"), QStringLiteral("user-bookmarks")},
        {QStringLiteral("korvex/menu/reload"), QStringLiteral("view-refresh")},
        {QStringLiteral("korvex/menu/help"), QStringLiteral("help-browser")},
        {QStringLiteral("korvex/menu/about"), QStringLiteral("help-about")},
        {QStringLiteral("korvex/menu/root"), QStringLiteral("drive-harddisk")},
        {QStringLiteral("korvex/menu/user"), QStringLiteral("system-users")},
        {QStringLiteral("korvex/menu/home"), QStringLiteral("user-home")},
        {QStringLiteral("korvex/menu/folderdoc"), QStringLiteral("folder-documents")},
        {QStringLiteral("korvex/menu/qtopia"), QStringLiteral("pda")},
        {QStringLiteral("korvex/menu/qtstart"), QStringLiteral("start-here")},
        {QStringLiteral("korvex/menu/folder_sd"), QStringLiteral("media-removable")},
        {QStringLiteral("korvex/menu/folder_cf"), QStringLiteral("drive-removable-media")},
        {QStringLiteral("korvex/menu/back"), QStringLiteral("go-previous")},
        {QStringLiteral("korvex/menu/forward"), QStringLiteral("go-next")},
        {QStringLiteral("korvex/menu/upper"), QStringLiteral("go-up")},
        {QStringLiteral("korvex/go"), QStringLiteral("go-jump")},
    };
    return names;
}

QString Resource::themeIconName(const QString& name)
{
    return themeNames().value(name);
}

QPixmap Resource::loadPixmap(const QString& name)
{
    QPixmap pixmap = findPixmap(name);
    // "<name>_d" is the disabled look of <name> unless it has an image of its own.
    if (pixmap.isNull() && name.endsWith(QLatin1String("_d"))) {
        const QPixmap normal = findPixmap(name.chopped(2));
        if (!normal.isNull())
            pixmap = QIcon(normal).pixmap(normal.size(), QIcon::Disabled);
    }
    return pixmap;
}

QPixmap Resource::findPixmap(const QString& name)
{
    const QString base = QPEApplication::qpeDir() + QStringLiteral("/pics/") + name;
    for (const char* ext : {".png", ".xpm", ".svg"}) {
        const QString path = base + QLatin1String(ext);
        // Only a plain file: reading a pipe there would wait for a writer.
        if (QFileInfo(path).isFile()) {
            QPixmap pixmap(path);
            if (!pixmap.isNull())
                return pixmap;
        }
    }
    const QString theme = themeIconName(name);
    if (!theme.isEmpty()) {
        const QIcon icon = QIcon::fromTheme(theme);
        if (!icon.isNull())
            return icon.pixmap(24, 24);
    }
    return QPixmap();
}
