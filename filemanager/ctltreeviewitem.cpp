#include "ctltreeviewitem.h"

#include "ctltreeview.h"
#include "kxconfig.h"
#include "kxicons.h"
#include "kxmarkdelegate.h"

#include <QDir>

#include <algorithm>

ctlTreeViewItem::ctlTreeViewItem(ctlTreeView* view, const QString& name)
    : folderPath(QStringLiteral("/")), parentFolder(nullptr), fileInfo(QStringLiteral("/")), folderName(name),
      isLink(false)
{
    view->addTopLevelItem(this);
    init();
}

ctlTreeViewItem::ctlTreeViewItem(ctlTreeViewItem* parent, const QString& name)
    : folderPath(parent->folderPath + name + QLatin1Char('/')), parentFolder(parent),
      fileInfo(parent->folderPath + name), folderName(name), isLink(fileInfo.isSymLink())
{
    parent->addChild(this);
    init();
}

void ctlTreeViewItem::init()
{
    setText(0, kxVisibleName(folderName));
    if (isLink)
        setData(0, kxMarkDelegate::MarksRole, int(kxMarkDelegate::MarkLink));
    setExpandable(true);
    changeIcon(false);
}

ctlTreeView* ctlTreeViewItem::view() const
{
    return static_cast<ctlTreeView*>(treeWidget());
}

bool ctlTreeViewItem::isExpandable() const
{
    return childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

void ctlTreeViewItem::setExpandable(bool expandable)
{
    setChildIndicatorPolicy(expandable ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicator);
}

void ctlTreeViewItem::setOpen(bool open)
{
    ctlTreeView* tree = view();
    if (!open) {
        changeIcon(false);
        setExpanded(false);
        return;
    }
    setExpandable(true);
    qDeleteAll(takeChildren());
    tree->setUpdatesEnabled(false);

    QDir::Filters filter = QDir::Dirs | QDir::NoDotAndDotDot;
    if (kxcfgListShowHidden == 1)
        filter |= QDir::Hidden;
    // The tree orders its nodes by their plain text, upper-case names first.
    QStringList names = QDir(folderPath).entryList(filter, QDir::Unsorted);
    std::sort(names.begin(), names.end());
    for (const QString& name : names)
        new ctlTreeViewItem(this, name);
    if (names.isEmpty())
        setExpandable(false);

    changeIcon(true);
    tree->setUpdatesEnabled(true);
    tree->readingFolder = true;
    setExpanded(true);
    tree->readingFolder = false;
}

void ctlTreeViewItem::changeIcon(bool open)
{
    ctlTreeView* tree = view();
    const QPixmap* icon = kxFolderIcon(folderPath, isLink, tree ? tree->pathEnv : QString(), kxFolderView::Tree, open);
    setData(0, Qt::DecorationRole, icon ? *icon : QPixmap());
}
