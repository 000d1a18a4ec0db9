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
    };
    return names;
}

QString Resource::themeIconName(const QString& name)
{
    return themeNames().value(name);
}

QPixmap Resource::loadPixmap(const QString& name)
{
    const QString base = QPEApplication::qpeDir() + QStringLiteral("/pics/") + name;
    for (const char* ext : {".png", ".xpm", ".svg"}) {
        const QString path = base + QLatin1String(ext);
        if (QFileInfo::exists(path)) {
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
