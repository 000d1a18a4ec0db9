#pragma once

#include <QPixmap>
#include <QStack>
#include <QString>
#include <QTimer>
#include <QTreeWidget>

class ctlTreeViewItem;

// The folder tree: folders only, read when opened, with the Back and Forward history.
// The chosen folder is announced 30 ms after a tap and 500 ms after the last navigation key.
class ctlTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    ctlTreeView(QWidget* parent, int vgaMode);

    QStack<QString> backStack;
    QStack<QString> forwStack;
    int historyMode = 0; // 0 a selection, 1 a Back step, 2 a Forward step
    int vgaMode;
    QString pathEnv; // ":" + $PATH + ":"

    QString fullPath() const { return currentPath; }
    QString cdUpPath() const;
    void activeFolder(const QString& path, bool flag);
    void openFolder(const QString& path, bool flag);
    void upperFolder();
    void backFolder();
    void forwFolder();
    void refreshItemRename(QString newName);
    void refreshItemDelete();
    void refreshItemChild();

    ctlTreeViewItem* rootItem() const;
    ctlTreeViewItem* selectedFolder() const;
    // True while an item reads its folder, so that the expansion it causes is not read twice.
    bool readingFolder = false;

signals:
    void folderSelected(const QString& path, const QPixmap& icon);
    void shortcutKey(QKeyEvent* e);

public slots:
    void slotFolderSelected(QTreeWidgetItem* item);
    void slotReturnPressed(QTreeWidgetItem* item);
    void slotKeyDelayTimer();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    void walk(const QString& path, bool reread);
    void showFolder(ctlTreeViewItem* node);

    QString currentPath;
    QTimer* keyDelayTimer;
};
