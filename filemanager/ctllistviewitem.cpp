#include "ctllistviewitem.h"

#include "ctllistview.h"
#include "kxconfig.h"
#include "kxicons.h"
#include "kxmarkdelegate.h"
#include "kxpaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

#include <grp.h>
#include <pwd.h>
#include <time.h>

// Owner and group names, looked up once per id: a folder of many files has few owners.
static QString ownerGroupText(uid_t uid, gid_t gid)
{
    static QHash<quint64, QString> cache;
    const quint64 id = (quint64(uid) << 32) | gid;
    auto it = cache.constFind(id);
    if (it != cache.constEnd())
        return *it;
    QString owner, groupName;
    if (const passwd* pw = ::getpwuid(uid))
        owner = QFile::decodeName(pw->pw_name);
    if (const struct group* gr = ::getgrgid(gid))
        groupName = QFile::decodeName(gr->gr_name);
    return *cache.insert(id, owner + QLatin1Char('/') + groupName);
}

static const QPixmap* fileIcon(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : name.mid(dot + 1).toLower();
    static const QHash<QString, QPixmap**> icons = {
        {QStringLiteral("txt"), &kxpixFileText},     {QStringLiteral("desktop"), &kxpixFileText},
        {QStringLiteral("conf"), &kxpixFileText},    {QStringLiteral("h"), &kxpixFileText},
        {QStringLiteral("c"), &kxpixFileText},       {QStringLiteral("cpp"), &kxpixFileText},
        {QStringLiteral("pro"), &kxpixFileText},     {QStringLiteral("jpg"), &kxpixFilePic},
        {QStringLiteral("jpeg"), &kxpixFilePic},     {QStringLiteral("gif"), &kxpixFilePic},
        {QStringLiteral("bmp"), &kxpixFilePic},      {QStringLiteral("png"), &kxpixFilePic},
        {QStringLiteral("xpm"), &kxpixFilePic},      {QStringLiteral("mp3"), &kxpixFileMusic},
        {QStringLiteral("wma"), &kxpixFileMusic},    {QStringLiteral("avi"), &kxpixFileMovie},
        {QStringLiteral("rm"), &kxpixFileMovie},     {QStringLiteral("wmv"), &kxpixFileMovie},
        {QStringLiteral("asf"), &kxpixFileMovie},    {QStringLiteral("sh"), &kxpixFileScript},
        {QStringLiteral("ipk"), &kxpixFileIpk},
    };
    return *icons.value(ext, &kxpixFileEtc);
}

ctlListViewItem::ctlListViewItem(ctlListView* view, const QString& folder, const QString& name)
    : ctlListViewItem(folder, name, view->pathEnv)
{
    view->addTopLevelItem(this);
}

ctlListViewItem::ctlListViewItem(const QString& folder, const QString& name, const QString& pathEnv)
    : m_folder(folder), m_name(name)
{
    const QByteArray path = QFile::encodeName(folder + name);
    struct stat st = {};
    ::lstat(path.constData(), &st);
    isLink = S_ISLNK(st.st_mode);
    QString target;
    if (isLink) {
        target = kxReadLink(folder + name);
        struct stat followed;
        if (::stat(path.constData(), &followed) == 0)
            st = followed;
    }
    fill(st, target, pathEnv);
}

ctlListViewItem::ctlListViewItem(const QString& folder, const QString& name, const struct stat& st, bool isLink,
                                 const QString& linkTarget, const QString& pathEnv)
    : isLink(isLink), m_folder(folder), m_name(name)
{
    fill(st, linkTarget, pathEnv);
}

void ctlListViewItem::fill(const struct stat& st, const QString& linkTarget, const QString& pathEnv)
{
    m_isDir = S_ISDIR(st.st_mode);
    m_mode = st.st_mode;
    m_size = st.st_size;
    m_linkTarget = linkTarget;
    m_owner = ownerGroupText(st.st_uid, st.st_gid);
    struct tm t = {};
    const time_t mtime = st.st_mtime;
    localtime_r(&mtime, &t);
    m_minute = ((((qint64(t.tm_year) + 1900) * 100 + t.tm_mon + 1) * 100 + t.tm_mday) * 100 + t.tm_hour) * 100 + t.tm_min;
    if (m_isDir) {
        m_icon = kxFolderIcon(m_folder + m_name + QLatin1Char('/'), isLink, pathEnv, kxFolderView::List, false);
        m_folderText = QCoreApplication::translate("ctlListViewItem", "Folder");
    } else {
        m_icon = fileIcon(m_name);
    }
    isLock = !m_isDir && !(m_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
    // A link whose target is missing keeps its own mode, rwx for all: nothing to run there.
    isExec = !m_isDir && !S_ISLNK(m_mode) && ((m_mode & S_IXUSR) || ((m_mode & S_IXGRP) && (m_mode & S_IXOTH))) &&
             !kxPath::onMemoryCard(QFile::encodeName(m_folder + m_name));
}

QString ctlListViewItem::sizeText(qint64 bytes)
{
    const qint64 kb = bytes / 1024 + (bytes % 1024 ? 1 : 0);
    return kxCommaFormat(QString::number(kb)) + QStringLiteral(" KB");
}

QString ctlListViewItem::permissionText(mode_t mode, bool isDir)
{
    QString text(10, QLatin1Char('-'));
    if (isDir)
        text[0] = QLatin1Char('d');
    static const mode_t bits[9] = {S_IRUSR, S_IWUSR, S_IXUSR, S_IRGRP, S_IWGRP, S_IXGRP, S_IROTH, S_IWOTH, S_IXOTH};
    for (int i = 0; i < 9; ++i)
        if (mode & bits[i])
            text[i + 1] = QLatin1Char("rwx"[i % 3]);
    return text;
}

QString ctlListViewItem::columnText(int column) const
{
    switch (column) {
    case 0:
        return kxVisibleName(m_name);
    case 1:
        return m_isDir ? m_folderText : sizeText(m_size);
    case 2: {
        const qint64 m = m_minute;
        return QString::asprintf("%02d/%02d/%02d %02d:%02d", int(m / 100000000 % 100), int(m / 1000000 % 100),
                                 int(m / 10000 % 100), int(m / 100 % 100), int(m % 100));
    }
    case 3:
        return kxVisibleName(m_linkTarget);
    case 4:
        return permissionText(m_mode, m_isDir);
    case 5:
        return m_owner;
    default:
        return QString();
    }
}

QVariant ctlListViewItem::data(int column, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return columnText(column);
    case Qt::DecorationRole:
        if (column == 0 && m_icon)
            return *m_icon;
        break;
    case Qt::TextAlignmentRole:
        if (column == 1)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (column == 2)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case kxMarkDelegate::MarksRole:
        if (column == 0)
            return (isLink ? kxMarkDelegate::MarkLink : 0) | (isLock ? kxMarkDelegate::MarkLock : 0) |
                   (isExec ? kxMarkDelegate::MarkExec : 0);
        break;
    default:
        break;
    }
    return QTreeWidgetItem::data(column, role);
}

QString ctlListViewItem::key(int column, bool) const
{
    const QChar kind = m_isDir ? QLatin1Char('0') : QLatin1Char('1');
    switch (column) {
    case 1:
        // Wide enough for any size, so that the texts compare as the numbers do.
        return kind + QString::asprintf("%016lld", m_size / 1024);
    case 2:
        return kind + QString::number(m_minute);
    case 3:
    case 4:
    case 5:
        return kind + columnText(column);
    default:
        return kind + m_name.toUpper();
    }
}

const QString& ctlListViewItem::cachedKey(int column) const
{
    if (m_keyColumn != column) {
        m_key = key(column, true);
        m_keyColumn = column;
    }
    return m_key;
}

bool ctlListViewItem::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const auto& row = static_cast<const ctlListViewItem&>(other);
    // Size and date keys are numbers of equal width: comparing the numbers gives their order
    // without making the texts.
    if (column == 1 || column == 2) {
        if (m_isDir != row.m_isDir)
            return m_isDir;
        return column == 1 ? m_size / 1024 < row.m_size / 1024 : m_minute < row.m_minute;
    }
    return cachedKey(column) < row.cachedKey(column);
}
