#include "frmmain.h"

#include "ctllistview.h"
#include "ctltreeview.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>

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

// The file commands act once the operations engine and their dialogs are in place.
void frmMain::slotCmdFileNewFolder()
{
}

void frmMain::slotCmdFileNewText()
{
}

void frmMain::slotCmdFileDel()
{
}

void frmMain::slotCmdFileRename()
{
}

void frmMain::slotCmdFileProp()
{
}

void frmMain::slotCmdEditCut()
{
    slotCmdEditCutCopy(1);
}

void frmMain::slotCmdEditCopy()
{
    slotCmdEditCutCopy(2);
}

void frmMain::slotCmdEditCutCopy(int)
{
}

void frmMain::slotCmdEditPast()
{
}

void frmMain::slotCmdEditSymblnk()
{
}

void frmMain::slotCmdEditOption()
{
    slotCmdEtcOption(0);
}

void frmMain::slotCmdEtcOption(int)
{
}
