#include "frmmain.h"

#include "ctllistview.h"
#include "ctltreeview.h"
#include "kxconfig.h"
#include "platform/qcopenvelope.h"
#include "platform/qpeapplication.h"
#include "platform/resource.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>

// A translation is loaded from exactly this file; QTranslator alone would also try
// shortened names of it.
static bool loadTranslation(QTranslator* translator, const QString& language)
{
    const QString file =
        QPEApplication::qpeDir() + QStringLiteral("/i18n/") + language + QStringLiteral("/korvex2.qm");
    return QFileInfo(file).isFile() && translator->load(file);
}

void frmMain::loadStartTranslations()
{
    QString lang = qEnvironmentVariable("LANG");
    QStringList candidates{lang};
    const int dot = lang.indexOf(QLatin1Char('.'));
    if (dot > 0)
        lang = lang.left(dot);
    const int underscore = lang.indexOf(QLatin1Char('_'));
    if (underscore > 0)
        candidates << lang.left(underscore);
    for (const QString& candidate : candidates) {
        translator = new QTranslator(this);
        // A language is a name, never a path.
        if (!candidate.isEmpty() && !candidate.contains(QLatin1Char('/')) && loadTranslation(translator, candidate))
            QApplication::installTranslator(translator);
    }
}

bool frmMain::switchLanguage(const QString& language)
{
    auto* next = new QTranslator(this);
    if (!loadTranslation(next, language)) {
        delete next;
        return false;
    }
    if (translator) {
        QApplication::removeTranslator(translator);
        delete translator;
    }
    QApplication::installTranslator(next);
    translator = next;
    languageChanged();
    return true;
}

void frmMain::languageChanged()
{
    initMenuItem();
    // The selection mode's Edit items follow the button, whatever the new menu says.
    itemMultiselOn->setEnabled(!btnMultiSel->isChecked());
    itemMultiselOff->setEnabled(btnMultiSel->isChecked());
    listView->refreshColumnLabel();
    slotRefreshStatusbar(0);
}

void frmMain::slotCmdViewLangJa()
{
    if (!switchLanguage(QStringLiteral("ja")))
        QMessageBox::critical(this, QStringLiteral("Korvex QT"),
                              QStringLiteral("A japanese translation file is not found."));
}

void frmMain::slotCmdViewLangFr()
{
    if (!switchLanguage(QStringLiteral("fr")))
        QMessageBox::critical(this, QStringLiteral("Korvex QT"), QStringLiteral("A french translation file not found."));
}

void frmMain::slotCmdViewLangEn()
{
    if (translator)
        QApplication::removeTranslator(translator);
    languageChanged();
}

void frmMain::toggleBar(int& flag, QToolBar* bar, QAction* item)
{
    if (flag == 1) {
        item->setIcon(QIcon());
        bar->hide();
        flag = 0;
    } else {
        item->setIcon(QIcon(Resource::loadPixmap(QStringLiteral("korvex/menu/mark_check"))));
        bar->show();
        flag = 1;
    }
    kxWriteConfig();
}

void frmMain::slotCmdViewToolbar()
{
    toggleBar(kxcfgBarShowTool, iconToolBar, itemViewTool);
}

void frmMain::slotCmdViewAddress()
{
    toggleBar(kxcfgBarShowAdrs, addressToolBar, itemViewAdrs);
}

void frmMain::slotCmdViewStatus()
{
    toggleBar(kxcfgBarShowStat, statusToolBar, itemViewStat);
}

void frmMain::slotCmdViewReload()
{
    treeView->refreshItemChild();
    if (listView->refreshFileList(treeView->fullPath()))
        slotRefreshStatusbar(0);
}

void frmMain::slotCmdViewHelp()
{
}

void frmMain::slotCmdViewAbout()
{
    QMessageBox::about(this, QStringLiteral("Korvex QT"),
                       QStringLiteral("Korvex QT Ver1.35\n\nA two-pane file manager for the palmtop and the desktop."));
}

void frmMain::slotCmdFileQuit()
{
    close();
}

void frmMain::sendQcop(const QString& channel, const QByteArray& message, const int* argument)
{
    QCopEnvelope envelope(channel, message);
    if (argument)
        envelope << *argument;
    QApplication::processEvents();
}

void frmMain::slotQcopLinkChanged()
{
    sendQcop(QStringLiteral("QPE/System"), "linkChanged(QString)", nullptr);
}

void frmMain::slotQcopReloadApplets()
{
    sendQcop(QStringLiteral("QPE/TaskBar"), "reloadApplets()", nullptr);
}

void frmMain::slotQcopSetBlankLCD()
{
    const int on = 1;
    sendQcop(QStringLiteral("QPE/System"), "setBlankLCD(int)", &on);
}

void frmMain::slotQcopSetScreenSaver()
{
    const int mode = 100;
    sendQcop(QStringLiteral("QPE/System"), "setScreenSaverMode(int)", &mode);
}

void frmMain::slotQcopRestart()
{
    sendQcop(QStringLiteral("QPE/System"), "restart()", nullptr);
}
