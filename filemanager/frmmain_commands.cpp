// The command keys and the File menu's commands: new, delete, rename, properties. A
// command acts on the tree when the tree has the focus, else on the list.
#include "frmmain.h"

#include "ctllistview.h"
#include "ctllistviewitem.h"
#include "ctltreeview.h"
#include "ctltreeviewitem.h"
#include "frmfilename.h"
#include "frmproperty.h"
#include "kxcommon.h"
#include "kxconfig.h"
#include "kxicons.h"
#include "kxscreen.h"

#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

#include <sys/stat.h>

namespace {

// A folder, or a link to one.
bool isFolder(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isLink(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

} // namespace

void frmMain::slotListShortcutKey(QKeyEvent* e)
{
    const int key = e->key();
    const bool ctrl = e->modifiers() == Qt::ControlModifier;
    if (key == Qt::Key_Backspace)
        treeView->upperFolder();
    else if ((ctrl && key == Qt::Key_N) || key == 0x2019)
        slotCmdFileNewFolder();
    else if ((ctrl && key == Qt::Key_M) || key == 0x201A)
        slotCmdFileNewText();
    else if (key == Qt::Key_Delete)
        slotCmdFileDel();
    else if ((ctrl && key == Qt::Key_B) || key == Qt::Key_Underscore)
        slotCmdFileRename();
    else if ((ctrl && key == Qt::Key_P) || key == 0x2016)
        slotCmdFileProp();
    else if (ctrl && key == Qt::Key_X)
        slotCmdEditCut();
    else if (ctrl && key == Qt::Key_C)
        slotCmdEditCopy();
    else if (ctrl && key == Qt::Key_V)
        slotCmdEditPast();
    else if ((ctrl && key == Qt::Key_A) || key == 0x2017)
        slotCmdEditMultiselAll();
    else if ((ctrl && key == Qt::Key_R) || key == Qt::Key_Plus)
        slotCmdEditMultiselChg();
    else if (key == 0x201B)
        slotCmdViewReload();
    else if ((ctrl && key == Qt::Key_I) || key == 0xA3)
        menuFavor->exec(QPoint(4, 32));
}

// ---- the pane, the questions and the objects

bool frmMain::onTree() const
{
    return focusWidget() == treeView;
}

void frmMain::notice(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Korvex QT"), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    kxFitMessageBox(&box);
    box.exec();
}

// Only OK goes on.
bool frmMain::confirm(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setEscapeButton(box.addButton(tr("Cancel"), QMessageBox::RejectRole));
    box.setDefaultButton(ok);
    kxFitMessageBox(&box);
    box.exec();
    return box.clickedButton() == ok;
}

// The folder chosen in the tree. A choice still waiting for its announcement is announced
// first, so that the command acts on the folder the user sees chosen and the tree's paths
// and the list agree with it.
ctlTreeViewItem* frmMain::treeFolder()
{
    treeView->slotKeyDelayTimer();
    ctlTreeViewItem* node = treeView->selectedFolder();
    if (!node || node->folderPath != treeView->fullPath())
        return nullptr;
    return !node->parentFolder || findable(treeView->cdUpPath(), {node->folderName}) ? node : nullptr;
}

// A name whose bytes are not text in the system's encoding is shown with substitutes, and
// by that text it names nothing: a delete would report success and delete nothing.
bool frmMain::findable(const QString& folder, const QStringList& names)
{
    for (const QString& name : names) {
        struct stat st;
        if (name.contains(QChar::ReplacementCharacter) && ::lstat(QFile::encodeName(folder + name).constData(), &st) != 0) {
            notice(tr("The name of\n'%1'\nis not valid text in this system's encoding:\nit cannot be handled here.")
                       .arg(kxVisibleName(name)));
            return false;
        }
    }
    return true;
}

// Multiple selection has no one selected row.
ctlListViewItem* frmMain::selectedRow() const
{
    if (listView->isMultiSelection())
        return nullptr;
    const QList<QTreeWidgetItem*> selected = listView->selectedItems();
    return selected.isEmpty() ? nullptr : static_cast<ctlListViewItem*>(selected.first());
}

// Top to bottom.
QStringList frmMain::selectedNames() const
{
    QStringList names;
    for (int i = 0; i < listView->childCount(); ++i)
        if (listView->row(i)->isSelected())
            names << listView->row(i)->name();
    return names;
}

// ---- new, delete, rename, properties

void frmMain::newEntry(int mode)
{
    const QString folder = treeView->fullPath();
    if (folder.isEmpty())
        return;
    frmFilename dialog(this, mode, folder, mode == 0 ? tr("New Folder") : tr("New Text.txt"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    listView->refreshItemInsert(folder, {dialog.text()});
    if (mode == 0)
        treeView->refreshItemChild();
    slotRefreshStatusbar(0);
}

void frmMain::slotCmdFileNewFolder()
{
    newEntry(0);
}

void frmMain::slotCmdFileNewText()
{
    newEntry(1);
}

void frmMain::slotCmdFileDel()
{
    if (onTree())
        deleteOnTree();
    else
        deleteOnList();
}

void frmMain::deleteOnTree()
{
    ctlTreeViewItem* node = treeFolder();
    if (!node)
        return;
    if (treeView->fullPath() == QLatin1String("/")) {
        notice(QStringLiteral("rootフォルダは削除できません。"));
        return;
    }
    const QString name = node->folderName;
    const QString folder = treeView->cdUpPath();
    const QString shown = kxVisibleName(name);
    const QString question = isLink(folder + name)
        ? QStringLiteral("シンボリックリンク '") + shown + QStringLiteral("'\nを削除します。")
        : QStringLiteral("フォルダ '") + shown + QStringLiteral("' と\nフォルダ内の全てのファイルを削除します。");
    if (!confirm(QStringLiteral("フォルダの削除の確認"), question))
        return;
    QStringList names{name};
    kxCommon engine;
    engine.allItemDel(this, folder, &names);
    if (!names.isEmpty())
        treeView->refreshItemDelete();
    if (btnMultiSel->isChecked())
        btnMultiSel->toggle();
}

void frmMain::deleteOnList()
{
    const QString folder = treeView->fullPath();
    const QStringList names = selectedNames();
    if (names.isEmpty()) {
        notice(tr("Please choose the file or folder to delete."));
        return;
    }
    if (!findable(folder, names))
        return;
    bool ok;
    if (names.size() == 1) {
        const QString shown = kxVisibleName(names.first());
        if (isLink(folder + names.first()))
            ok = confirm(tr("Confirm SymbolicLink Delete"),
                         tr("Are you sure you want to delete the symbolic link\n'%1'?").arg(shown));
        else if (isFolder(folder + names.first()))
            ok = confirm(tr("Confirm Folder Delete"),
                         tr("Are you sure you want to remove the folder\n'%1' and all its contents?").arg(shown));
        else
            ok = confirm(tr("Confirm File Delete"), tr("Are you sure you want to delete\n'%1'?").arg(shown));
    } else {
        ok = confirm(tr("Confirm Multiple File Delete"),
                     tr("Are you sure you want to delete these %1 items?").arg(names.size()));
    }
    if (!ok)
        return;
    QStringList done = names;
    kxCommon engine;
    engine.allItemDel(this, folder, &done);
    if (!done.isEmpty()) {
        treeView->refreshItemChild();
        listView->refreshItemDelete(done);
        slotRefreshStatusbar(0);
        listView->setFocus();
    }
    if (btnMultiSel->isChecked())
        btnMultiSel->toggle();
}

void frmMain::slotCmdFileRename()
{
    if (onTree()) {
        ctlTreeViewItem* node = treeFolder();
        if (!node)
            return;
        if (treeView->fullPath() == QLatin1String("/") || treeView->cdUpPath().isEmpty()) {
            notice(QStringLiteral("このフォルダは変更できません。"));
            return;
        }
        frmFilename dialog(this, 2, treeView->cdUpPath(), node->folderName);
        if (dialog.exec() == QDialog::Accepted)
            treeView->refreshItemRename(dialog.text());
        return;
    }
    ctlListViewItem* row = selectedRow();
    if (!row) {
        notice(QStringLiteral("名前を変更するファイルまたは\nフォルダを選択してください。"));
        return;
    }
    const QString folder = treeView->fullPath();
    if (!findable(folder, {row->name()}))
        return;
    const bool isDir = isFolder(folder + row->name());
    frmFilename dialog(this, isDir ? 2 : 3, folder, row->name());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (isDir)
        treeView->refreshItemChild();
    listView->refreshItemRename(folder, dialog.text());
}

void frmMain::slotCmdFileProp()
{
    if (onTree()) {
        ctlTreeViewItem* node = treeFolder();
        if (!node)
            return;
        QStringList names{node->parentFolder ? node->folderName : QStringLiteral("/")};
        frmProperty dialog(this, treeView->cdUpPath(), &names);
        dialog.exec();
        return;
    }
    ctlListViewItem* row = selectedRow();
    if (!row) {
        notice(QStringLiteral("ファイルまたは\nフォルダを選択してください。"));
        return;
    }
    const QString folder = treeView->fullPath();
    if (!findable(folder, {row->name()}))
        return;
    QStringList names{row->name()};
    frmProperty dialog(this, folder, &names);
    if (dialog.exec() != QDialog::Accepted || names.isEmpty())
        return;
    treeView->refreshItemChild();
    listView->refreshItemInsert(folder, names);
    listView->setFocus();
}
