#pragma once

#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>

class ctlListViewItem;

// The detailed list of the current folder's entries, sorted by any column with the
// folders kept together.
class ctlListView : public QTreeWidget
{
    Q_OBJECT
public:
    ctlListView(QWidget* parent, int vgaMode);

    int vgaMode;
    QString pathEnv; // ":" + $PATH + ":"

    // False when a newer rebuild started while this one let events through.
    bool refreshFileList(const QString& folder);
    void refreshColumnLabel();
    void refreshItemRename(QString folder, QString newName);
    void refreshItemInsert(QString folder, QStringList names);
    void refreshItemDelete(QStringList names);
    quint64 allFileSize() const;
    void selFileSizeCnt(quint64* size, unsigned int* count) const;
    int childCount() const { return topLevelItemCount(); }
    void setMultiSelection(bool on);
    void invertSelection();
    bool isMultiSelection() const { return selectionMode() == QAbstractItemView::MultiSelection; }
    ctlListViewItem* row(int i) const;

signals:
    void openFolder(const QString& name);
    void execFile(const QString& name);
    void popupMenu();
    void shortcutKey(QKeyEvent* e);
    void singleSelChanged();
    void multiSelChanged();

public slots:
    void slotFileSelected(QTreeWidgetItem* item);
    void slotFileSelected();
    void slotExecItem(QTreeWidgetItem* item);
    void slotMousePressed(QTreeWidgetItem* item);
    void slotMouseClicked(QTreeWidgetItem* item);
    void slotPopTimer();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void setColumnLabels();
    void insertRows(const QList<QTreeWidgetItem*>& rows);
    void selectRows(const QSet<QTreeWidgetItem*>& rows);
    void widenColumns();

    QTreeWidgetItem* pressItem = nullptr;
    QTreeWidgetItem* selItem = nullptr;
    QTreeWidgetItem* popItem = nullptr;
    QTimer* popTimer;
    quint64 m_generation = 0;
    bool m_doubleClicked = false;
};
