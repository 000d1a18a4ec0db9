#include "ctltreeview.h"

#include "ctltreeviewitem.h"
#include "kxicons.h"
#include "kxmarkdelegate.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <initializer_list>

// The device's command keys, as the keyboard driver reports them.
static bool isCommandKey(int key)
{
    for (int k : {int(Qt::Key_Delete), int(Qt::Key_Underscore), int(Qt::Key_Plus), 0xA3, 0x2016, 0x2017, 0x2019,
                  0x201A, 0x201B})
        if (key == k)
            return true;
    return false;
}

// The device's Fn combinations arrive with exactly the Control modifier; the Control key
// itself is none.
static bool isControlCombination(const QKeyEvent* e)
{
    return e->modifiers() == Qt::ControlModifier && e->key() != Qt::Key_Control;
}

ctlTreeView::ctlTreeView(QWidget* parent, int vgaMode)
    : QTreeWidget(parent), vgaMode(vgaMode), keyDelayTimer(new QTimer(this))
{
    pathEnv = QLatin1Char(':') + qEnvironmentVariable("PATH") + QLatin1Char(':');
    setColumnCount(1);
    setHeaderLabels({QStringLiteral("dummy")});
    header()->hide();
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setIndentation(22);
    setUniformRowHeights(true);
    setItemDelegate(new kxMarkDelegate(this, vgaMode ? 0 : 16));
    if (kxpixFolder1 && !kxpixFolder1->isNull())
        setIconSize(kxpixFolder1->size());
    setSelectionMode(QAbstractItemView::SingleSelection);
    keyDelayTimer->setSingleShot(true);

    new ctlTreeViewItem(this, QStringLiteral("/"));

    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { slotFolderSelected(selectedFolder()); });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        // Opened by the user (expander, double tap, keys): read it now.
        if (!readingFolder)
            static_cast<ctlTreeViewItem*>(item)->setOpen(true);
    });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [](QTreeWidgetItem* item) { static_cast<ctlTreeViewItem*>(item)->changeIcon(false); });
    connect(keyDelayTimer, &QTimer::timeout, this, &ctlTreeView::slotKeyDelayTimer);
}

ctlTreeViewItem* ctlTreeView::rootItem() const
{
    return static_cast<ctlTreeViewItem*>(topLevelItem(0));
}

ctlTreeViewItem* ctlTreeView::selectedFolder() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? nullptr : static_cast<ctlTreeViewItem*>(items.first());
}

QString ctlTreeView::cdUpPath() const
{
    if (currentPath.isEmpty() || currentPath == QLatin1String("/"))
        return QString();
    const int slash = currentPath.lastIndexOf(QLatin1Char('/'), currentPath.length() - 2);
    return slash < 0 ? QString() : currentPath.left(slash + 1);
}

void ctlTreeView::activeFolder(const QString& path, bool)
{
    walk(path, false);
}

void ctlTreeView::openFolder(const QString& path, bool)
{
    walk(path, true);
}

void ctlTreeView::walk(const QString& path, bool reread)
{
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    ctlTreeViewItem* node = rootItem();
    if (reread || !node->isOpen())
        node->setOpen(true);
    for (const QString& part : parts) {
        ctlTreeViewItem* found = nullptr;
        for (int i = 0; i < node->childCount() && !found; ++i)
            if (static_cast<ctlTreeViewItem*>(node->child(i))->folderName == part)
                found = static_cast<ctlTreeViewItem*>(node->child(i));
        if (!found)
            break;
        if (reread || !found->isOpen())
            found->setOpen(true);
        node = found;
    }
    showFolder(node);
}

void ctlTreeView::showFolder(ctlTreeViewItem* node)
{
    setCurrentItem(node);
    node->setSelected(true);
    // Show as much as possible of the opened folder below it.
    if (node->childCount() > 0)
        scrollToItem(node->child(node->childCount() - 1));
    scrollToItem(node);
}

// A narrow tree shows a folder's own expander, icon and name rather than the lines of its
// parents (the toolkit scrolls to the start of the row, which is wider than the tree).
// Done once the new rows are laid out, and only when the folder is out of sight.
void ctlTreeView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTreeWidget::scrollTo(index, hint);
    const QPersistentModelIndex target(index);
    QTimer::singleShot(0, this, [this, target] {
        if (!target.isValid())
            return;
        const int left = visualRect(target).left();
        if (left - indentation() < 0 || left + indentation() > viewport()->width())
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + left - indentation());
    });
}

void ctlTreeView::upperFolder()
{
    QDir dir(currentPath);
    if (currentPath.isEmpty() || !dir.cdUp())
        return;
    activeFolder(dir.absolutePath(), false);
}

void ctlTreeView::backFolder()
{
    if (backStack.isEmpty())
        return;
    const QString path = backStack.pop();
    forwStack.push(currentPath);
    historyMode = 1;
    activeFolder(path, true);
}

void ctlTreeView::forwFolder()
{
    if (forwStack.isEmpty())
        return;
    const QString path = forwStack.pop();
    backStack.push(currentPath);
    historyMode = 2;
    activeFolder(path, true);
}

void ctlTreeView::refreshItemRename(QString newName)
{
    ctlTreeViewItem* node = selectedFolder();
    const QString parent = cdUpPath();
    if (node && node->parentFolder)
        node->parentFolder->setOpen(true);
    activeFolder(parent + newName, false);
}

void ctlTreeView::refreshItemDelete()
{
    upperFolder();
    if (ctlTreeViewItem* node = selectedFolder())
        node->setOpen(true);
}

void ctlTreeView::refreshItemChild()
{
    ctlTreeViewItem* node = selectedFolder();
    if (!node || (!node->isOpen() && node->isExpandable()))
        return;
    node->setOpen(true);
}

void ctlTreeView::slotFolderSelected(QTreeWidgetItem* item)
{
    if (!item || keyDelayTimer->isActive() || static_cast<ctlTreeViewItem*>(item)->folderPath == currentPath)
        return;
    keyDelayTimer->start(30);
}

void ctlTreeView::slotReturnPressed(QTreeWidgetItem* item)
{
    if (auto* node = static_cast<ctlTreeViewItem*>(item))
        node->setOpen(!node->isOpen());
}

void ctlTreeView::slotKeyDelayTimer()
{
    ctlTreeViewItem* node = selectedFolder();
    if (!node || node->folderPath == currentPath)
        return;
    if (historyMode == 0) {
        backStack.push(currentPath);
        forwStack.clear();
    } else {
        historyMode = 0;
    }
    currentPath = node->folderPath;
    emit folderSelected(currentPath, node->data(0, Qt::DecorationRole).value<QPixmap>());
}

void ctlTreeView::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (key == Qt::Key_Backspace)
        upperFolder();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        keyDelayTimer->start(500);
        break;
    default:
        break;
    }
    if (isCommandKey(key) || isControlCombination(e)) {
        emit shortcutKey(e);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        slotReturnPressed(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(e);
}

// A folder is chosen when the pen goes down; lifting or dragging it changes nothing,
// except on an expander, which the toolkit may toggle on release.
void ctlTreeView::mouseReleaseEvent(QMouseEvent* e)
{
    const QModelIndex index = indexAt(e->position().toPoint());
    if (index.isValid() && e->position().x() < visualRect(index).left())
        QTreeWidget::mouseReleaseEvent(e);
}

void ctlTreeView::mouseMoveEvent(QMouseEvent*)
{
}

void ctlTreeView::drawBranches(QPainter* p, const QRect& rect, const QModelIndex& index) const
{
    p->fillRect(rect, palette().base());
    const QTreeWidgetItem* item = itemFromIndex(index);
    if (!item)
        return;
    const int step = indentation();
    int level = 0;
    for (const QTreeWidgetItem* a = item->parent(); a; a = a->parent())
        ++level;
    const int top = rect.top(), bottom = rect.bottom() + 1, c = rect.top() + rect.height() / 2;
    const int phase = (top + verticalOffset()) & 1;
    auto hasNextSibling = [](const QTreeWidgetItem* i) {
        const QTreeWidgetItem* parent = i->parent();
        return parent && parent->indexOfChild(const_cast<QTreeWidgetItem*>(i)) < parent->childCount() - 1;
    };
    auto dottedV = [&](int x, int y0, int y1) {
        for (int y = y0 + ((y0 - top + phase) & 1); y < y1; y += 2)
            p->drawPoint(x, y);
    };
    auto dottedH = [&](int x0, int x1, int y) {
        for (int x = x0 + (x0 & 1); x < x1; x += 2)
            p->drawPoint(x, y);
    };

    const bool expandable =
        item->childCount() > 0 || item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
    p->save();
    p->setPen(palette().color(QPalette::Dark));
    // Lines of the ancestors that have more children below this row.
    const QTreeWidgetItem* a = item;
    for (int l = level; l >= 0; --l, a = a->parent()) {
        const int bx = rect.right() + 1 - (level - l + 1) * step + step / 2;
        if (l == level) {
            if (item->parent())
                dottedV(bx, top, expandable ? c - 6 : c);
            if (hasNextSibling(item))
                dottedV(bx, expandable ? c + 7 : c, bottom);
            dottedH(expandable ? bx + 7 : bx + 1, rect.right() + 1, c);
        } else if (hasNextSibling(a)) {
            dottedV(bx, top, bottom);
        }
    }
    if (expandable) {
        const int bx = rect.right() + 1 - step + step / 2;
        p->setPen(palette().color(QPalette::Text));
        p->drawRect(bx - 6, c - 6, 12, 12);
        p->drawLine(bx - 3, c, bx + 3, c);
        if (!item->isExpanded())
            p->drawLine(bx, c - 3, bx, c + 3);
    }
    p->restore();
}
