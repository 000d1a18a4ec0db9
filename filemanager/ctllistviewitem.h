#pragma once

#include <QFileInfo>
#include <QPixmap>
#include <QString>
#include <QTreeWidgetItem>

#include <sys/stat.h>

class ctlListView;

// One entry of the file list. Its texts are made from what one stat() said when the row
// was created, so sorting and painting never touch the disk.
class ctlListViewItem : public QTreeWidgetItem
{
public:
    ctlListViewItem(ctlListView* view, const QString& folder, const QString& name);
    // A row for the entry as it stands, not yet in a view.
    ctlListViewItem(const QString& folder, const QString& name, const QString& pathEnv);
    // A row for an entry already examined (lstat, and stat through a link), not yet in a view.
    ctlListViewItem(const QString& folder, const QString& name, const struct stat& st, bool isLink,
                    const QString& linkTarget, const QString& pathEnv);

    QFileInfo fileInfo() const { return QFileInfo(m_folder + m_name); }
    bool isLink = false;
    bool isLock = false;
    bool isExec = false;

    bool isDir() const { return m_isDir; }
    qint64 size() const { return m_size; }
    QString name() const { return m_name; }
    void setFolderText(const QString& text) { m_folderText = text; }

    virtual QString key(int column, bool ascending) const;
    QVariant data(int column, int role) const override;
    bool operator<(const QTreeWidgetItem& other) const override;

    static QString sizeText(qint64 bytes);
    static QString permissionText(mode_t mode, bool isDir);

private:
    void fill(const struct stat& st, const QString& linkTarget, const QString& pathEnv);
    QString columnText(int column) const;
    const QString& cachedKey(int column) const;

    QString m_folder;
    QString m_name;
    QString m_folderText;
    QString m_linkTarget;
    QString m_owner; // "owner/group"
    const QPixmap* m_icon = nullptr;
    qint64 m_size = 0;
    qint64 m_minute = 0; // yyyymmddhhmm of the last change, local time
    mode_t m_mode = 0;
    bool m_isDir = false;
    mutable QString m_key;
    mutable int m_keyColumn = -1;
};
