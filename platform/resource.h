#pragma once

#include <QPixmap>
#include <QString>

// Images by resource name: the project's own images first, then the desktop's
// icon theme. A name with no image gives an empty pixmap.
class Resource
{
public:
    static QPixmap loadPixmap(const QString& name);
    static QString themeIconName(const QString& name);

private:
    static QPixmap findPixmap(const QString& name);
};
