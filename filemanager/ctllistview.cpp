#include "ctllistview.h"

#include "ctllistviewitem.h"
#include "kxconfig.h"
#include "kxicons.h"
#include "kxmarkdelegate.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QSet>

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

namespace {
struct Column {
    int vgaWidth;
    int width;
    bool growsToText;
};
const Column columns[] = {{160, 100, false}, {90, 50, false}, {140, 88, false},
                          {200, 100, false}, {100, 60, true},  {120, 80, true}};

bool isCommandKey(int key)
{
    for (int k : {int(Qt::Key_Delete), int(Qt::Key_Underscore), int(Qt::Key_Plus), 0xA3, 0x2016, 0x2017, 0x2019,
                  0x201A, 0x201B})
        if (key == k)
            return true;
    return false;
}
} // namespace

ctlListView::ctlListView(QWidget* parent, int vgaMode)
    : QTreeWidget(parent), vgaMode(vgaMode), popTimer(new QTimer(this))
{
    pathEnv = QLatin1Char(':') + qEnvironmentVariable("PATH") + QLatin1Char(':');
    QFont font = QApplication::font();
    font.setPointSize(vgaMode ? 14 : 6);
    header()->setFont(font);
    setColumnCount(6);
    setColumnLabels();
    for (int i = 0; i < 6; ++i)
        setColumnWidth(i, vgaMode ? columns[i].vgaWidth : columns[i].width);
    header()->setStretchLastSection(false);
    headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    headerItem()->setTextAlignment(2, Qt::AlignCenter);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(0, Qt::AscendingOrder);
    setSortingEnabled(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemDelegate(new kxMarkDelegate(this, 0));
    if (kxpixFileEtc && !kxpixFileEtc->isNull())
        setIconSize(kxpixFileEtc->size());
    setSelectionMode(QAbstractItemView::SingleSelection);
    popTimer->setSingleShot(true);

    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!isMultiSelection()) {
            const QList<QTreeWidgetItem*> items = selectedItems();
            slotFileSelected(items.isEmpty() ? nullptr : items.first());
        }
        slotFileSelected();
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, &ctlListView::slotExecItem);
    connect(this, &QTreeWidget::itemPressed, this, &ctlListView::slotMousePressed);
    connect(this, &QTreeWidget::itemClicked, this, &ctlListView::slotMouseClicked);
    connect(popTimer, &QTimer::timeout, this, &ctlListView::slotPopTimer);
}

void ctlListView::setColumnLabels()
{
    setHeaderLabels({tr("Name"), tr("Size"), tr("Date Modified"), tr("Link to"), tr("Permission"), tr("Owner/Group")});
}

ctlListViewItem* ctlListView::row(int i) const
{
    return static_cast<ctlListViewItem*>(topLevelItem(i));
}

bool ctlListView::refreshFileList(const QString& folder)
{
    const quint64 generation = ++m_generation;
    pressItem = selItem = popItem = nullptr;
    popTimer->stop();
    clear();

    const QByteArray encoded = QFile::encodeName(folder);
    DIR* dir = ::opendir(encoded.constData());
    if (!dir)
        return true;
    const int fd = ::dirfd(dir);
    const bool showHidden = kxcfgListShowHidden == 1;
    QList<QTreeWidgetItem*> rows;
    QPointer<ctlListView> alive(this);
    QElapsedTimer clock;
    clock.start();
    // One lstat per entry (and a stat through links), relative to the open folder.
    while (const dirent* entry = ::readdir(dir)) {
        const char* raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
            continue;
        if (raw[0] == '.' && !showHidden)
            continue;
        struct stat st;
        if (::fstatat(fd, raw, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone since the folder was read
        const bool isLink = S_ISLNK(st.st_mode);
        QString target;
        if (isLink) {
            char buffer[PATH_MAX];
            const ssize_t n = ::readlinkat(fd, raw, buffer, sizeof buffer);
            if (n > 0)
                target = QFile::decodeName(QByteArray(buffer, int(n)));
            struct stat followed;
            if (::fstatat(fd, raw, &followed, 0) == 0)
                st = followed;
        }
        rows.append(new ctlListViewItem(folder, QFile::decodeName(raw), st, isLink, target, pathEnv));
        // Let the window answer while a large folder is read.
        if (rows.size() == 20 || clock.elapsed() >= 100) {
            QApplication::processEvents();
            clock.restart();
            if (!alive || generation != m_generation) {
                ::closedir(dir);
                qDeleteAll(rows);
                return false;
            }
        }
    }
    ::closedir(dir);
    insertRows(rows);
    if (topLevelItemCount() > 0) {
        setCurrentItem(topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
        scrollToItem(topLevelItem(0));
    }
    return true;
}

// Rows go in all at once and are sorted once, by the column the user chose.
void ctlListView::insertRows(const QList<QTreeWidgetItem*>& rows)
{
    setSortingEnabled(false);
    addTopLevelItems(rows);
    setSortingEnabled(true);
    widenColumns();
}

// Permission and Owner/Group grow to their widest text, never shrink.
void ctlListView::widenColumns()
{
    const QFontMetrics metrics(font());
    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    for (int column = 0; column < 6; ++column) {
        if (!columns[column].growsToText)
            continue;
        QSet<QString> texts;
        for (int i = 0; i < topLevelItemCount(); ++i)
            texts.insert(topLevelItem(i)->text(column));
        int width = columnWidth(column);
        for (const QString& text : texts)
            width = qMax(width, metrics.horizontalAdvance(text) + margin);
        setColumnWidth(column, width);
    }
}

void ctlListView::refreshColumnLabel()
{
    setColumnLabels();
    const QString folderText = tr("Folder");
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (row(i)->isDir())
            row(i)->setFolderText(folderText);
    viewport()->update();
}

void ctlListView::refreshItemRename(QString folder, QString newName)
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (!selected.isEmpty()) {
        pressItem = selItem = popItem = nullptr;
        delete selected.first();
    }
    auto* item = new ctlListViewItem(this, folder, newName);
    sortItems(sortColumn(), header()->sortIndicatorOrder());
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

void ctlListView::refreshItemInsert(QString folder, QStringList names)
{
    QTreeWidgetItem* first = topLevelItem(0);
    clearSelection();
    if (first && names.contains(row(0)->name()))
        first = nullptr;
    refreshItemDelete(names);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(names.size());
    for (const QString& name : names)
        rows.append(new ctlListViewItem(folder, name, pathEnv));
    insertRows(rows);
    selectRows(QSet<QTreeWidgetItem*>(rows.begin(), rows.end()));
    QTreeWidgetItem* current = rows.isEmpty() ? first : rows.first();
    if (current) {
        setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
        scrollToItem(current);
    }
}

// All rows are taken out at once and the others put back: the view spends a pass over
// every row on each row removed alone, which froze it for minutes after deleting 100,000.
void ctlListView::refreshItemDelete(QStringList names)
{
    const QSet<QString> gone(names.begin(), names.end());
    QTreeWidgetItem* current = currentItem();
    const QList<QTreeWidgetItem*> selectedList = selectedItems();
    QSet<QTreeWidgetItem*> selected(selectedList.begin(), selectedList.end());
    const int scroll = verticalScrollBar()->value();
    QList<QTreeWidgetItem*> kept;
    for (QTreeWidgetItem* item : invisibleRootItem()->takeChildren()) {
        if (!gone.contains(static_cast<ctlListViewItem*>(item)->name())) {
            kept.append(item);
            continue;
        }
        if (item == pressItem || item == selItem || item == popItem)
            pressItem = selItem = popItem = nullptr;
        if (item == current)
            current = nullptr;
        selected.remove(item);
        delete item;
    }
    insertRows(kept);
    selectRows(selected);
    if (current)
        setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    verticalScrollBar()->setValue(scroll);
}

// One change of the selection for all of them, in runs of neighbouring rows.
void ctlListView::selectRows(const QSet<QTreeWidgetItem*>& rows)
{
    if (rows.isEmpty())
        return;
    QItemSelection selection;
    int begin = -1;
    const int count = topLevelItemCount();
    for (int i = 0; i <= count; ++i) {
        const bool wanted = i < count && rows.contains(topLevelItem(i));
        if (wanted && begin < 0)
            begin = i;
        if (!wanted && begin >= 0) {
            selection.select(model()->index(begin, 0), model()->index(i - 1, columnCount() - 1));
            begin = -1;
        }
    }
    selectionModel()->select(selection, QItemSelectionModel::Select);
}

quint64 ctlListView::allFileSize() const
{
    quint64 sum = 0;
    for (int i = 0; i < topLevelItemCount(); ++i)
        sum += quint64(row(i)->size());
    return sum;
}

void ctlListView::selFileSizeCnt(quint64* size, unsigned int* count) const
{
    *size = 0;
    *count = 0;
    for (QTreeWidgetItem* item : selectedItems()) {
        *size += quint64(static_cast<ctlListViewItem*>(item)->size());
        ++*count;
    }
}

void ctlListView::setMultiSelection(bool on)
{
    setSelectionMode(on ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
}

// One change of the selection, however many rows: each change is a status bar refresh.
void ctlListView::invertSelection()
{
    if (topLevelItemCount() == 0)
        return;
    const QItemSelection all(indexFromItem(topLevelItem(0), 0),
                             indexFromItem(topLevelItem(topLevelItemCount() - 1), columnCount() - 1));
    selectionModel()->select(all, QItemSelectionModel::Toggle);
}

void ctlListView::slotFileSelected(QTreeWidgetItem* item)
{
    if (!item)
        return;
    selItem = item;
    emit singleSelChanged();
}

void ctlListView::slotFileSelected()
{
    emit multiSelChanged();
}

void ctlListView::slotExecItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    auto* row = static_cast<ctlListViewItem*>(item);
    if (row->fileInfo().isDir())
        emit openFolder(row->name());
    else
        emit execFile(row->name());
}

void ctlListView::slotMousePressed(QTreeWidgetItem* item)
{
    popItem = item;
    popTimer->start(700);
}

void ctlListView::slotMouseClicked(QTreeWidgetItem* item)
{
    // A second tap on the row that was already selected opens it.
    if (item && item == pressItem && item == selItem && !m_doubleClicked)
        slotExecItem(item);
}

void ctlListView::slotPopTimer()
{
    if (popItem == currentItem())
        emit popupMenu();
}

void ctlListView::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (key == Qt::Key_Backspace) {
        emit shortcutKey(e);
    } else if (key == Qt::Key_F11 && e->modifiers() == Qt::ShiftModifier) {
        emit popupMenu();
    } else if (isCommandKey(key) || (e->modifiers() == Qt::ControlModifier && key != Qt::Key_Control)) {
        emit shortcutKey(e);
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && currentItem()) {
        slotExecItem(currentItem());
    } else {
        QTreeWidget::keyPressEvent(e);
    }
}

void ctlListView::mousePressEvent(QMouseEvent* e)
{
    m_doubleClicked = false;
    const QList<QTreeWidgetItem*> selected = selectedItems();
    pressItem = !isMultiSelection() && !selected.isEmpty() ? selected.first() : nullptr;
    const bool onRow = itemAt(e->position().toPoint()) != nullptr;
    QTreeWidget::mousePressEvent(e);
    if (!onRow)
        slotMousePressed(nullptr); // the toolkit reports presses on rows only
}

void ctlListView::mouseReleaseEvent(QMouseEvent* e)
{
    popTimer->stop();
    QTreeWidget::mouseReleaseEvent(e);
}

void ctlListView::mouseDoubleClickEvent(QMouseEvent* e)
{
    m_doubleClicked = true;
    QTreeWidget::mouseDoubleClickEvent(e);
}

// The right button of a desktop mouse opens the context menu as holding the pen does.
void ctlListView::contextMenuEvent(QContextMenuEvent* e)
{
    popTimer->stop();
    e->accept();
    emit popupMenu();
}
