#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QStringList>

class QAction;
class QComboBox;
class QGridLayout;
class QLabel;
class QMenu;
class QPEMenuBar;
class QPEToolBar;
class QToolBar;
class QToolButton;
class QTranslator;
class ctlListView;
class ctlListViewItem;
class ctlTreeView;
class ctlTreeViewItem;

// The file manager's window: folder tree, file list, menus, tool bars, address and status bars.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr, const char* name = nullptr, Qt::WindowFlags f = {});
    ~frmMain() override;

    QSize sizeHint() const override;

    void initMenuItem();
    void initMenuFavor();

    QPEToolBar* menuToolBar;
    QPEMenuBar* menuBar;
    QMenu* menuFile;
    QMenu* menuEdit;
    QMenu* menuView;
    QMenu* menuFavor;
    QMenu* menuContext;
    QToolBar* iconToolBar;
    QToolButton* btnBack;
    QToolButton* btnForward;
    QToolButton* btnUpper;
    QToolButton* btnFavorite;
    QToolButton* btnCut;
    QToolButton* btnCopy;
    QToolButton* btnPast;
    QToolButton* btnDelete;
    QToolButton* btnReload;
    QToolButton* btnMultiSel;
    QToolBar* addressToolBar;
    QComboBox* addressCombo;
    QToolBar* statusToolBar;
    QLabel* statusLeft;
    QLabel* statusRight;
    QWidget* central;
    QGridLayout* centralGrid;
    ctlTreeView* treeView;
    ctlListView* listView;
    QString clipDir;
    QStringList clipNames;
    int clipMode = 0;
    QTranslator* translator = nullptr;
    int vgaMode;

public slots:
    void slotTreeFolderSelected(const QString& path, const QPixmap& icon);
    void slotListOpenFolder(const QString& name);
    void slotListExecFile(const QString& name);
    void slotListPopupMenu();
    void slotListMultiSelChanged();
    void slotListShortcutKey(QKeyEvent* e);
    void slotRefreshStatusbar(int);

    void slotAddressComboChanged(const QString& text);
    void slotCmdEtcGo();
    void slotCmdEtcUpperDir();
    void slotCmdEtcBackDir();
    void slotCmdEtcForwDir();
    void slotCmdEtcFavor(int id);

    void slotCmdViewToolbar();
    void slotCmdViewAddress();
    void slotCmdViewStatus();
    void slotCmdViewReload();
    void slotCmdViewLangJa();
    void slotCmdViewLangEn();
    void slotCmdViewLangFr();
    void slotCmdViewHelp();
    void slotCmdViewAbout();

    void slotQcopLinkChanged();
    void slotQcopReloadApplets();
    void slotQcopSetBlankLCD();
    void slotQcopSetScreenSaver();
    void slotQcopRestart();

    void slotCmdFileQuit();
    void slotCmdFileNewFolder();
    void slotCmdFileNewText();
    void slotCmdFileDel();
    void slotCmdFileRename();
    void slotCmdFileProp();
    void slotCmdEditCut();
    void slotCmdEditCopy();
    void slotCmdEditCutCopy(int mode);
    void slotCmdEditPast();
    void slotCmdEditSymblnk();
    void slotCmdEditMultiselOn();
    void slotCmdEditMultiselAll();
    void slotCmdEditMultiselChg();
    void slotCmdEditMultiselOff();
    void slotCmdEditOption();
    void slotCmdEtcOption(int page);
    void slotCmdEtcMultisel(bool on);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void loadStartTranslations();
    bool switchLanguage(const QString& language);
    void languageChanged();
    void toggleBar(int& flag, QToolBar* bar, QAction* item);
    void createIconToolBar();
    void createAddressToolBar();
    void createStatusToolBar();
    void openStartFolder();
    static void sendQcop(const QString& channel, const QByteArray& message, const int* argument);

    // The file commands' pane, questions and objects.
    bool onTree() const;
    void notice(const QString& text);
    bool confirm(const QString& title, const QString& text);
    ctlTreeViewItem* treeFolder();
    bool findable(const QString& folder, const QStringList& names);
    ctlListViewItem* selectedRow() const;
    QStringList selectedNames() const;
    void newEntry(int mode);
    void deleteOnTree();
    void deleteOnList();
    void refreshAfterPaste(const QStringList& names);

    // View items changed by the bar commands, Edit items enabled by the selection mode.
    QAction* itemViewTool = nullptr;
    QAction* itemViewAdrs = nullptr;
    QAction* itemViewStat = nullptr;
    QAction* itemMultiselOn = nullptr;
    QAction* itemMultiselOff = nullptr;
};
