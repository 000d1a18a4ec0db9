#include "frmmain.h"

#include "ctllistview.h"
#include "ctltreeview.h"
#include "kxconfig.h"
#include "kxicons.h"
#include "platform/qpeapplication.h"
#include "platform/qpemenubar.h"
#include "platform/qpetoolbar.h"
#include "platform/resource.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>

frmMain::frmMain(QWidget* parent, const char* name, Qt::WindowFlags f)
    : QMainWindow(parent, f)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Korvex QT"));
    // The translations come first, so that the default favourites get their titles in them.
    loadStartTranslations();
    vgaMode = kxDisplayVga();
    QFont font = QApplication::font();
    font.setPointSize(vgaMode ? 18 : 10);
    QApplication::setFont(font);
    kxReadConfig();
    kxLoadIcons(vgaMode);

    setContextMenuPolicy(Qt::NoContextMenu); // the tool bars offer no hide menu of their own
    menuToolBar = new QPEToolBar(this);
    menuToolBar->setObjectName(QStringLiteral("menuToolBar"));
    addToolBar(Qt::TopToolBarArea, menuToolBar);
    menuBar = new QPEMenuBar(menuToolBar);
    menuToolBar->addWidget(menuBar);
    menuFile = new QMenu(this);
    menuFile->setObjectName(QStringLiteral("MenuFile"));
    menuEdit = new QMenu(this);
    menuEdit->setObjectName(QStringLiteral("MenuEdit"));
    menuView = new QMenu(this);
    menuView->setObjectName(QStringLiteral("MenuView"));
    menuFavor = new QMenu(this);
    menuContext = new QMenu(this);
    initMenuItem();
    connect(menuFavor, &QMenu::triggered, this, [this](QAction* a) { slotCmdEtcFavor(a->data().toInt()); });

    createIconToolBar();
    createAddressToolBar();
    createStatusToolBar();

    central = new QWidget(this);
    centralGrid = new QGridLayout(central);
    centralGrid->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(central);
    treeView = new ctlTreeView(central, vgaMode);
    listView = new ctlListView(central, vgaMode);
    listView->setAllColumnsShowFocus(true);
    connect(treeView, &ctlTreeView::folderSelected, this, &frmMain::slotTreeFolderSelected);
    connect(treeView, &ctlTreeView::shortcutKey, this, &frmMain::slotListShortcutKey);
    connect(listView, &ctlListView::openFolder, this, &frmMain::slotListOpenFolder);
    connect(listView, &ctlListView::execFile, this, &frmMain::slotListExecFile);
    connect(listView, &ctlListView::popupMenu, this, &frmMain::slotListPopupMenu);
    connect(listView, &ctlListView::shortcutKey, this, &frmMain::slotListShortcutKey);
    connect(listView, &ctlListView::multiSelChanged, this, &frmMain::slotListMultiSelChanged);
    connect(addressCombo, &QComboBox::textActivated, this, &frmMain::slotAddressComboChanged);
    connect(btnMultiSel, &QToolButton::toggled, this, &frmMain::slotCmdEtcMultisel);

    openStartFolder();
    treeView->setFocus();
}

frmMain::~frmMain()
{
    kxWriteConfig();
    // The views paint with the shared icons: they go first.
    delete treeView;
    delete listView;
    treeView = nullptr;
    listView = nullptr;
    kxDeleteIcons();
}

QSize frmMain::sizeHint() const
{
    return QSize(640, 480);
}

void frmMain::createIconToolBar()
{
    iconToolBar = new QToolBar(QString(), this);
    iconToolBar->setObjectName(QStringLiteral("iconToolBar"));
    iconToolBar->setMovable(false);
    addToolBar(Qt::TopToolBarArea, iconToolBar);
    auto button = [this](const char* pixmap, const char* disabledPixmap, const char* label) {
        auto* b = new QToolButton(iconToolBar);
        QIcon icon(Resource::loadPixmap(QLatin1String(pixmap)));
        if (disabledPixmap)
            icon.addPixmap(Resource::loadPixmap(QLatin1String(disabledPixmap)), QIcon::Disabled);
        b->setIcon(icon);
        b->setText(QLatin1String(label));
        b->setToolTip(QLatin1String(label));
        b->setAutoRaise(true);
        iconToolBar->addWidget(b);
        return b;
    };
    btnBack = button("korvex/menu/back", "korvex/menu/back_d", "DirBack");
    connect(btnBack, &QToolButton::clicked, this, &frmMain::slotCmdEtcBackDir);
    btnForward = button("korvex/menu/forward", "korvex/menu/forward_d", "DirFoward");
    connect(btnForward, &QToolButton::clicked, this, &frmMain::slotCmdEtcForwDir);
    btnUpper = button("korvex/menu/upper", "korvex/menu/upper_d", "DirUpper");
    connect(btnUpper, &QToolButton::clicked, this, &frmMain::slotCmdEtcUpperDir);
    btnFavorite = button("korvex/menu/favor2", nullptr, "Favorite");
    btnFavorite->setMenu(menuFavor);
    btnFavorite->setPopupMode(QToolButton::InstantPopup);
    iconToolBar->addSeparator();
    btnCut = button("korvex/menu/cut", nullptr, "Cut");
    connect(btnCut, &QToolButton::clicked, this, &frmMain::slotCmdEditCut);
    btnCopy = button("korvex/menu/copy", nullptr, "Copy");
    connect(btnCopy, &QToolButton::clicked, this, &frmMain::slotCmdEditCopy);
    btnPast = button("korvex/menu/past", nullptr, "Past");
    connect(btnPast, &QToolButton::clicked, this, &frmMain::slotCmdEditPast);
    btnDelete = button("korvex/menu/delete", nullptr, "Delete");
    connect(btnDelete, &QToolButton::clicked, this, &frmMain::slotCmdFileDel);
    iconToolBar->addSeparator();
    btnReload = button("korvex/menu/reload", nullptr, "Reload");
    connect(btnReload, &QToolButton::clicked, this, &frmMain::slotCmdViewReload);
    btnMultiSel = button("korvex/menu/multisel", nullptr, "MuitiSelect");
    btnMultiSel->setCheckable(true);
    btnBack->setEnabled(false);
    btnForward->setEnabled(false);
    if (kxcfgBarShowTool == 0)
        iconToolBar->hide();
}

void frmMain::createAddressToolBar()
{
    addToolBarBreak(Qt::TopToolBarArea);
    addressToolBar = new QToolBar(QString(), this);
    addressToolBar->setObjectName(QStringLiteral("addressToolBar"));
    addressToolBar->setMovable(false);
    addToolBar(Qt::TopToolBarArea, addressToolBar);
    addressCombo = new QComboBox(addressToolBar);
    addressCombo->setEditable(true);
    addressCombo->setFixedHeight(vgaMode ? 28 : 20);
    addressCombo->setMaxCount(30);
    addressCombo->setInsertPolicy(QComboBox::NoInsert);
    addressCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    addressCombo->installEventFilter(this);
    addressToolBar->addWidget(addressCombo);
    auto* go = new QToolButton(addressToolBar);
    QPixmap goPixmap = Resource::loadPixmap(QStringLiteral("korvex/go"));
    if (!vgaMode && !goPixmap.isNull())
        goPixmap = goPixmap.scaled(14, 14, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    go->setIcon(QIcon(goPixmap));
    go->setText(QStringLiteral("Uplevel"));
    go->setToolTip(QStringLiteral("Uplevel"));
    go->setAutoRaise(false);
    go->setFixedHeight(vgaMode ? 26 : 20);
    connect(go, &QToolButton::clicked, this, &frmMain::slotCmdEtcGo);
    addressToolBar->addWidget(go);
    if (kxcfgBarShowAdrs == 0)
        addressToolBar->hide();
}

void frmMain::createStatusToolBar()
{
    statusToolBar = new QToolBar(QString(), this);
    statusToolBar->setObjectName(QStringLiteral("statusToolBar"));
    statusToolBar->setMovable(false);
    addToolBar(Qt::BottomToolBarArea, statusToolBar);
    for (QLabel** label : {&statusLeft, &statusRight}) {
        *label = new QLabel(QStringLiteral("10個のオブジェクトを選択（計325 KB）"), statusToolBar);
        (*label)->setFrameShape(QFrame::Panel);
        (*label)->setFrameShadow(QFrame::Sunken);
        (*label)->setLineWidth(1);
        (*label)->setIndent(0);
    }
    statusLeft->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    statusRight->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    statusToolBar->addWidget(statusLeft);
    statusToolBar->addWidget(statusRight);
    if (kxcfgBarShowStat == 0)
        statusToolBar->hide();
}

void frmMain::openStartFolder()
{
    if (kxcfgKeepOpenFolder == 0) {
        treeView->openFolder(QStringLiteral("/home/"), true);
        treeView->scrollToItem(treeView->topLevelItem(0));
        return;
    }
    treeView->openFolder(kxcfgLastOpenFolder, true);
    // Up to three rows above the folder stay in sight.
    QTreeWidgetItem* above = treeView->currentItem();
    for (int i = 0; i < 3 && above && treeView->itemAbove(above); ++i)
        above = treeView->itemAbove(above);
    if (above && above != treeView->currentItem())
        treeView->scrollToItem(above);
}

void frmMain::resizeEvent(QResizeEvent* e)
{
    treeView->setUpdatesEnabled(false);
    listView->setUpdatesEnabled(false);
    centralGrid->removeWidget(treeView);
    centralGrid->removeWidget(listView);
    treeView->setUpdatesEnabled(true);
    listView->setUpdatesEnabled(true);
    const QSize size = e->size();
    if (size.width() > size.height()) {
        treeView->setMinimumHeight(0);
        treeView->setMaximumHeight(2000);
        treeView->setFixedWidth(vgaMode ? 210 : 80);
        centralGrid->addWidget(treeView, 0, 0, 2, 1);
        centralGrid->addWidget(listView, 0, 1, 2, 1);
    } else {
        treeView->setMinimumWidth(0);
        treeView->setMaximumWidth(2000);
        treeView->setFixedHeight(vgaMode ? 190 : 80);
        centralGrid->addWidget(treeView, 0, 0, 1, 2);
        centralGrid->addWidget(listView, 1, 0, 1, 2);
    }
    centralGrid->activate();
    QMainWindow::resizeEvent(e);
}

void frmMain::keyPressEvent(QKeyEvent* e)
{
    QWidget::keyPressEvent(e);
}

// Enter in the address box goes to the typed folder; the box itself adds nothing. The box
// has the focus and hands keys to its line edit itself.
bool frmMain::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == addressCombo && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            slotAddressComboChanged(addressCombo->lineEdit()->text());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void frmMain::slotTreeFolderSelected(const QString& path, const QPixmap& icon)
{
    const QString address = path.length() > 1 ? path.chopped(1) : path;
    for (int i = 0; i < addressCombo->count(); ++i) {
        if (addressCombo->itemText(i) == address) {
            addressCombo->removeItem(i);
            break;
        }
    }
    addressCombo->insertItem(0, QIcon(icon), address);
    addressCombo->setCurrentIndex(0);
    while (addressCombo->count() >= 31)
        addressCombo->removeItem(30);
    statusRight->setText(tr("Please wait..."));
    // A newer folder chosen while a large one was being read has done the rest already.
    if (!listView->refreshFileList(treeView->fullPath()))
        return;
    slotRefreshStatusbar(0);
    btnUpper->setEnabled(path != QLatin1String("/"));
    btnBack->setEnabled(!treeView->backStack.isEmpty());
    btnForward->setEnabled(!treeView->forwStack.isEmpty());
    kxcfgLastOpenFolder = path;
}

void frmMain::slotRefreshStatusbar(int)
{
    quint64 bytes = 0;
    QString text;
    if (btnMultiSel->isChecked()) {
        unsigned int count = 0;
        listView->selFileSizeCnt(&bytes, &count);
        text = tr("%1 objects  selected (total %2KB)").arg(count);
    } else {
        bytes = listView->allFileSize();
        text = tr("%1 objects (total %2KB)").arg(listView->childCount());
    }
    const quint64 kb = bytes / 1024 + (bytes % 1024 ? 1 : 0);
    statusLeft->setText(QLatin1Char(' ') + text.arg(kxCommaFormat(QString::number(kb))) + QLatin1Char(' '));
    statusRight->clear();
}

void frmMain::slotAddressComboChanged(const QString& text)
{
    if (text.isEmpty())
        return;
    const QString target = text.length() == 1 ? text : text + QLatin1Char('/');
    if (target == treeView->fullPath())
        return;
    treeView->openFolder(text, true);
}

void frmMain::slotCmdEtcGo()
{
    slotAddressComboChanged(addressCombo->currentText());
}

void frmMain::slotCmdEtcUpperDir()
{
    treeView->upperFolder();
}

void frmMain::slotCmdEtcBackDir()
{
    treeView->backFolder();
}

void frmMain::slotCmdEtcForwDir()
{
    treeView->forwFolder();
}

void frmMain::slotListOpenFolder(const QString& name)
{
    treeView->activeFolder(treeView->fullPath() + name, false);
}

void frmMain::slotListExecFile(const QString&)
{
    slotCmdFileProp();
}

void frmMain::slotListPopupMenu()
{
    menuContext->popup(QCursor::pos());
}

void frmMain::slotListMultiSelChanged()
{
    slotRefreshStatusbar(0);
}
