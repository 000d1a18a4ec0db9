#pragma once

#include <QFileInfo>
#include <QString>
#include <QTreeWidgetItem>

class ctlTreeView;

// One folder of the tree. Its children are read from disk each time it is opened.
class ctlTreeViewItem : public QTreeWidgetItem
{
public:
    ctlTreeViewItem(ctlTreeView* view, const QString& name); // the root, "/"
    ctlTreeViewItem(ctlTreeViewItem* parent, const QString& name);

    QString folderPath;           // ends in "/"
    ctlTreeViewItem* parentFolder; // null for the root
    QFileInfo fileInfo;
    QString folderName;
    bool isLink;

    bool isOpen() const { return isExpanded(); }
    // Opening re-reads the folder; closing keeps the children.
    void setOpen(bool open);
    void changeIcon(bool open);
    bool isExpandable() const;
    void setExpandable(bool expandable);
    ctlTreeView* view() const;

private:
    void init();
};
