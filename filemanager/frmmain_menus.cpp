#include "frmmain.h"

#include "kxconfig.h"
#include "kxicons.h"
#include "platform/qpemenubar.h"
#include "platform/resource.h"

#include <QMenu>

// Menu items keep their number in data(), the id by which other code finds them.
static QAction* addItem(QMenu* menu, const QString& text, const char* icon, int id)
{
    QAction* action = icon ? menu->addAction(QIcon(Resource::loadPixmap(QLatin1String(icon))), text)
                           : menu->addAction(text);
    action->setData(id);
    return action;
}

static QIcon checkIcon(int flag)
{
    return flag == 1 ? QIcon(Resource::loadPixmap(QStringLiteral("korvex/menu/mark_check"))) : QIcon();
}

void frmMain::initMenuItem()
{
    for (QMenu* menu : {menuFile, menuView, menuContext})
        qDeleteAll(menu->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    menuBar->clear();
    menuFile->clear();
    menuEdit->clear();
    menuView->clear();
    menuContext->clear();
    menuBar->addMenu(menuFile)->setText(tr("&File"));
    menuBar->addMenu(menuEdit)->setText(tr("&Edit"));
    menuBar->addMenu(menuView)->setText(tr("&View"));

    // Submenus are made anew each time; the old ones go with the cleared menus.
    QMenu* fileNew = new QMenu(tr("&New"), menuFile);
    fileNew->menuAction()->setData(1);
    connect(addItem(fileNew, tr("&Folder  (Fn+N)"), "korvex/menu/folder", 1), &QAction::triggered, this,
            &frmMain::slotCmdFileNewFolder);
    connect(addItem(fileNew, tr("&Text Document  (Fn+M)"), "korvex/menu/doctext", 2), &QAction::triggered, this,
            &frmMain::slotCmdFileNewText);
    menuFile->addMenu(fileNew);
    menuFile->addSeparator();
    connect(addItem(menuFile, tr("&Delete  (Del)"), "korvex/menu/delete", 2), &QAction::triggered, this,
            &frmMain::slotCmdFileDel);
    connect(addItem(menuFile, tr("Rena&me  (Fn+B)"), "korvex/menu/rename", 3), &QAction::triggered, this,
            &frmMain::slotCmdFileRename);
    connect(addItem(menuFile, tr("P&roperties  (Fn+P)"), "korvex/menu/property", 4), &QAction::triggered, this,
            &frmMain::slotCmdFileProp);
    menuFile->addSeparator();
    addItem(menuFile, tr("Open wi&th"), nullptr, 5)->setEnabled(false);
    addItem(menuFile, tr("&Send To"), nullptr, 6)->setEnabled(false);
    menuFile->addSeparator();
    QMenu* qcop = new QMenu(tr("Send Q&Cop (testing!!)"), menuFile);
    qcop->setIcon(QIcon(Resource::loadPixmap(QStringLiteral("korvex/menu/qcop"))));
    qcop->menuAction()->setData(7);
    const struct {
        const char* text;
        void (frmMain::*slot)();
    } qcopItems[] = {
        {QT_TR_NOOP("Reload &HomeIcon"), &frmMain::slotQcopLinkChanged},
        {QT_TR_NOOP("Reload &TrayIcon"), &frmMain::slotQcopReloadApplets},
        {QT_TR_NOOP("&Lights Off"), &frmMain::slotQcopSetBlankLCD},
        {QT_TR_NOOP("&Screen Saver"), &frmMain::slotQcopSetScreenSaver},
        {QT_TR_NOOP("&Quick Restart"), &frmMain::slotQcopRestart},
    };
    int qcopId = 1;
    for (const auto& item : qcopItems)
        connect(addItem(qcop, tr(item.text), "korvex/menu/qcop", qcopId++), &QAction::triggered, this, item.slot);
    menuFile->addMenu(qcop);
    menuFile->addSeparator();
    connect(addItem(menuFile, tr("&Quit"), "korvex/menu/close", 8), &QAction::triggered, this,
            &frmMain::slotCmdFileQuit);

    connect(addItem(menuEdit, tr("Cu&t  (Fn+X)"), "korvex/menu/cut", 1), &QAction::triggered, this,
            &frmMain::slotCmdEditCut);
    connect(addItem(menuEdit, tr("&Copy  (Fn+C)"), "korvex/menu/copy", 2), &QAction::triggered, this,
            &frmMain::slotCmdEditCopy);
    connect(addItem(menuEdit, tr("&Past  (Fn+V)"), "korvex/menu/past", 3), &QAction::triggered, this,
            &frmMain::slotCmdEditPast);
    connect(addItem(menuEdit, tr("Past Sym&link"), "korvex/menu/pastlnk", 4), &QAction::triggered, this,
            &frmMain::slotCmdEditSymblnk);
    menuEdit->addSeparator();
    itemMultiselOn = addItem(menuEdit, tr("&MultiSelect ON"), "korvex/menu/multisel", 5);
    connect(itemMultiselOn, &QAction::triggered, this, &frmMain::slotCmdEditMultiselOn);
    connect(addItem(menuEdit, tr("Select &All  (Fn+A)"), "korvex/menu/multisel2", 6), &QAction::triggered, this,
            &frmMain::slotCmdEditMultiselAll);
    connect(addItem(menuEdit, tr("&Invert Selection  (Fn+R)"), "korvex/menu/multisel3", 7), &QAction::triggered,
            this, &frmMain::slotCmdEditMultiselChg);
    itemMultiselOff = addItem(menuEdit, tr("MultiSelect &OFF"), nullptr, 8);
    connect(itemMultiselOff, &QAction::triggered, this, &frmMain::slotCmdEditMultiselOff);
    itemMultiselOff->setEnabled(false);
    menuEdit->addSeparator();
    connect(addItem(menuEdit, tr("&Options..."), nullptr, 9), &QAction::triggered, this,
            &frmMain::slotCmdEditOption);

    initMenuFavor();

    itemViewTool = addItem(menuView, tr("&Tool Bar"), nullptr, 1);
    itemViewTool->setIcon(checkIcon(kxcfgBarShowTool));
    connect(itemViewTool, &QAction::triggered, this, &frmMain::slotCmdViewToolbar);
    itemViewAdrs = addItem(menuView, tr("Address &Bar"), nullptr, 2);
    itemViewAdrs->setIcon(checkIcon(kxcfgBarShowAdrs));
    connect(itemViewAdrs, &QAction::triggered, this, &frmMain::slotCmdViewAddress);
    itemViewStat = addItem(menuView, tr("&Status Bar"), nullptr, 3);
    itemViewStat->setIcon(checkIcon(kxcfgBarShowStat));
    connect(itemViewStat, &QAction::triggered, this, &frmMain::slotCmdViewStatus);
    menuView->addSeparator();
    QAction* favor = menuView->addMenu(menuFavor);
    favor->setText(tr("&Favorites  (Fn+I)"));
    favor->setIcon(QIcon(Resource::loadPixmap(QStringLiteral("korvex/menu/favor"))));
    favor->setData(0);
    connect(addItem(menuView, tr("&Refresh  (Fn+5)"), "korvex/menu/reload", 5), &QAction::triggered, this,
            &frmMain::slotCmdViewReload);
    menuView->addSeparator();
    QMenu* language = new QMenu(QStringLiteral("&Language"), menuView);
    language->menuAction()->setData(6);
    connect(language->addAction(QStringLiteral("&Japanese")), &QAction::triggered, this, &frmMain::slotCmdViewLangJa);
    connect(language->addAction(QStringLiteral("&English")), &QAction::triggered, this, &frmMain::slotCmdViewLangEn);
    connect(language->addAction(QStringLiteral("&French")), &QAction::triggered, this, &frmMain::slotCmdViewLangFr);
    menuView->addMenu(language);
    menuView->addSeparator();
    QAction* help = addItem(menuView, tr("&Help"), "korvex/menu/help", 7);
    connect(help, &QAction::triggered, this, &frmMain::slotCmdViewHelp);
    help->setEnabled(false);
    connect(addItem(menuView, tr("&About"), "korvex/menu/about", 8), &QAction::triggered, this,
            &frmMain::slotCmdViewAbout);

    addItem(menuContext, tr("&Open"), nullptr, 1)->setEnabled(false);
    menuContext->addSeparator();
    addItem(menuContext, tr("Open wi&th"), nullptr, 5)->setEnabled(false);
    addItem(menuContext, tr("&Send To"), nullptr, 6)->setEnabled(false);
    menuContext->addSeparator();
    connect(addItem(menuContext, tr("Cu&t"), "korvex/menu/cut", 10), &QAction::triggered, this,
            &frmMain::slotCmdEditCut);
    connect(addItem(menuContext, tr("&Copy"), "korvex/menu/copy", 11), &QAction::triggered, this,
            &frmMain::slotCmdEditCopy);
    connect(addItem(menuContext, tr("&Past"), "korvex/menu/past", 12), &QAction::triggered, this,
            &frmMain::slotCmdEditPast);
    menuContext->addSeparator();
    connect(addItem(menuContext, tr("&Delete"), "korvex/menu/delete", 15), &QAction::triggered, this,
            &frmMain::slotCmdFileDel);
    connect(addItem(menuContext, tr("Rena&me"), "korvex/menu/rename", 16), &QAction::triggered, this,
            &frmMain::slotCmdFileRename);
    menuContext->addSeparator();
    QMenu* contextNew = new QMenu(tr("&New"), menuContext);
    contextNew->menuAction()->setData(0);
    connect(addItem(contextNew, tr("&Folder"), "korvex/menu/folder", 1), &QAction::triggered, this,
            &frmMain::slotCmdFileNewFolder);
    connect(addItem(contextNew, tr("&Text Document"), "korvex/menu/doctext", 2), &QAction::triggered, this,
            &frmMain::slotCmdFileNewText);
    menuContext->addMenu(contextNew);
    menuContext->addSeparator();
    connect(addItem(menuContext, tr("P&roperties"), "korvex/menu/property", 25), &QAction::triggered, this,
            &frmMain::slotCmdFileProp);
}

void frmMain::initMenuFavor()
{
    // "&Edit Favorites..." rebuilds this menu while its own action is still being
    // delivered: the old actions go once that is over.
    for (QAction* action : menuFavor->actions()) {
        menuFavor->removeAction(action);
        action->deleteLater();
    }
    for (int i = 0; i < kxFavorMax; ++i) {
        const QString& path = kxcfgFavorItem[i];
        if (path == kxFavorSeparator)
            menuFavor->addSeparator();
        else if (!path.isEmpty()) {
            // Shown as written: "&" in a folder name or title marks no shortcut.
            QString text = kxcfgFavorName[i].isEmpty() ? path : kxcfgFavorName[i];
            addItem(menuFavor, text.replace(QLatin1Char('&'), QLatin1String("&&")), qPrintable(kxFavorIconName(path)),
                    i);
        }
    }
    menuFavor->addSeparator();
    addItem(menuFavor, tr("&Edit Favorites..."), nullptr, 99);
}

void frmMain::slotCmdEtcFavor(int id)
{
    if (id == 99) {
        slotCmdEtcOption(1);
        return;
    }
    if (id >= 0 && id < kxFavorMax && !kxcfgFavorItem[id].isEmpty() && kxcfgFavorItem[id] != kxFavorSeparator)
        slotAddressComboChanged(kxcfgFavorItem[id]);
}
