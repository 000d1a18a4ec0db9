// The Edit menu's commands: cut, copy, paste, paste as links, multiple selection and
// options.
#include "frmmain.h"

#include "ctllistview.h"
#include "ctltreeview.h"
#include "ctltreeviewitem.h"
#include "frmoption.h"
#include "kxcommon.h"
#include "kxconfig.h"
#include "platform/global.h"

#include <QAction>
#include <QApplication>
#include <QToolButton>

// ---- cut, copy, paste and links

void frmMain::slotCmdEditCut()
{
    slotCmdEditCutCopy(1);
}

void frmMain::slotCmdEditCopy()
{
    slotCmdEditCutCopy(2);
}

void frmMain::slotCmdEditCutCopy(int mode)
{
    if (onTree()) {
        ctlTreeViewItem* node = treeFolder();
        if (!node)
            return;
        if (treeView->fullPath() == QLatin1String("/") || treeView->cdUpPath().isEmpty()) {
            notice(QStringLiteral("このフォルダはコピーできません。"));
            return;
        }
        clipMode = mode;
        clipDir = treeView->cdUpPath();
        clipNames = QStringList{node->folderName};
    } else {
        const QStringList names = selectedNames();
        if (names.isEmpty()) {
            clipMode = 0;
            notice(QStringLiteral("コピーするファイルまたは\nフォルダを選択してください。"));
            return;
        }
        if (!findable(treeView->fullPath(), names))
            return;
        clipMode = mode;
        clipDir = treeView->fullPath();
        clipNames = names;
    }
    Global::statusMessage(clipMode == 1 ? tr("The move was prepared.") : tr("The copy was prepared."));
}

// The engine looks at the names as they stand now: what was removed since Cut or Copy is
// reported, and a name taken in the destination is asked about.
void frmMain::slotCmdEditPast()
{
    if (clipMode == 0 || treeView->fullPath().isEmpty())
        return;
    QStringList names = clipNames;
    kxCommon engine;
    engine.allItemCpMv(this, clipMode, clipDir, treeView->fullPath(), &names);
    if (names.isEmpty())
        return;
    refreshAfterPaste(names);
    // Moved entries are pasted once; copies as often as one likes.
    if (clipMode == 1)
        clipMode = 0;
}

void frmMain::slotCmdEditSymblnk()
{
    if (clipMode != 2 || treeView->fullPath().isEmpty())
        return;
    QStringList names = clipNames;
    kxCommon engine;
    engine.allItemSymblnk(this, clipDir, treeView->fullPath(), &names);
    if (!names.isEmpty())
        refreshAfterPaste(names);
}

void frmMain::refreshAfterPaste(const QStringList& names)
{
    treeView->refreshItemChild();
    listView->refreshItemInsert(treeView->fullPath(), names);
    listView->setFocus();
    slotRefreshStatusbar(0);
}

// ---- multiple selection

// Multiple selection follows the button's state.
void frmMain::slotCmdEtcMultisel(bool on)
{
    listView->clearSelection();
    listView->setMultiSelection(on);
    listView->setFocus();
    if (!on && listView->currentItem())
        listView->currentItem()->setSelected(true);
    itemMultiselOn->setEnabled(!on);
    itemMultiselOff->setEnabled(on);
    slotRefreshStatusbar(0);
}

void frmMain::slotCmdEditMultiselOn()
{
    btnMultiSel->toggle();
}

void frmMain::slotCmdEditMultiselOff()
{
    btnMultiSel->toggle();
}

void frmMain::slotCmdEditMultiselAll()
{
    if (!btnMultiSel->isChecked())
        btnMultiSel->setChecked(true);
    listView->selectAll();
}

void frmMain::slotCmdEditMultiselChg()
{
    if (!btnMultiSel->isChecked()) {
        btnMultiSel->setChecked(true);
        if (listView->currentItem())
            listView->currentItem()->setSelected(true);
    }
    listView->invertSelection();
}

// ---- options

void frmMain::slotCmdEditOption()
{
    slotCmdEtcOption(0);
}

void frmMain::slotCmdEtcOption(int page)
{
    const int link = kxcfgIcoLink;
    const int lock = kxcfgIcoLock;
    const int exec = kxcfgIcoExec;
    const int hidden = kxcfgListShowHidden;
    frmOption dialog(this, page);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (hidden != kxcfgListShowHidden)
        treeView->refreshItemChild();
    if (link != kxcfgIcoLink)
        treeView->viewport()->update();
    if (hidden != kxcfgListShowHidden)
        listView->refreshFileList(treeView->fullPath());
    else if (link != kxcfgIcoLink || lock != kxcfgIcoLock || exec != kxcfgIcoExec)
        listView->viewport()->update();
    slotRefreshStatusbar(0);
    listView->setFocus();
    QApplication::processEvents();
    initMenuFavor();
}
