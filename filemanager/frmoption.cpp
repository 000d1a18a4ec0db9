#include "frmoption.h"

#include "ctllistviewitemfavor.h"
#include "frmoptionfavordetail.h"
#include "kxconfig.h"
#include "kxscreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBoundaryFinder>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A check box's text breaks into lines where the screen is too narrow for it, at the
// places the language allows (spaces, or between the characters of Japanese).
void wrapText(QCheckBox* box, int width)
{
    const QString text = box->text();
    const QFontMetrics metrics(box->font());
    const int room = width - (box->sizeHint().width() - metrics.horizontalAdvance(text));
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    QString wrapped;
    int lineStart = 0;
    int lastBreak = 0;
    for (int at = breaks.toNextBoundary(); at > 0; at = breaks.toNextBoundary()) {
        if (lastBreak > lineStart && metrics.horizontalAdvance(text.mid(lineStart, at - lineStart).trimmed()) > room) {
            wrapped += text.mid(lineStart, lastBreak - lineStart).trimmed() + QLatin1Char('\n');
            lineStart = lastBreak;
        }
        lastBreak = at;
    }
    box->setText(wrapped + text.mid(lineStart));
}

} // namespace

frmOption::frmOption(QWidget* parent, int page)
    : QDialog(parent), vga(kxDisplayVga()), gap(kxSmallScreen(parent) ? 5 : 10)
{
    setModal(true);
    setWindowTitle(tr("Options"));
    setMaximumWidth(kxScreenRoom(parent));
    layout = new QVBoxLayout(this);
    layout->setContentsMargins(gap, gap, gap, gap);
    layout->setSpacing(gap);
    tabOptions = new QTabWidget(this);
    layout->addWidget(tabOptions);
    buildView();
    buildFavorites();
    tabOptions->addTab(pageView, tr("View"));
    tabOptions->addTab(pageFavor, tr("Favorites"));
    tabOptions->setCurrentIndex(page == 1 ? 1 : 0);

    buttonLayout = new QHBoxLayout;
    buttonLayout->setSpacing(0);
    buttonLayout->addStretch();
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(tr("Cancel"), this);
    const int room = kxScreenRoom(parent) - 2 * gap;
    for (QPushButton* button : {btnOk, btnCancel})
        kxFixButtonSize(button, vga ? 120 : 60, vga ? 28 : 17, (room - 5) / 2);
    btnOk->setDefault(true);
    buttonLayout->addWidget(btnOk);
    buttonLayout->addSpacing(5);
    buttonLayout->addWidget(btnCancel);
    layout->addLayout(buttonLayout);
    connect(btnOk, &QPushButton::clicked, this, &frmOption::accept);
    connect(btnCancel, &QPushButton::clicked, this, &frmOption::reject);
}

void frmOption::buildView()
{
    pageView = new QWidget(tabOptions);
    viewLayout = new QVBoxLayout(pageView);
    viewLayout->setContentsMargins(gap, gap, gap, gap);
    viewLayout->setSpacing(0);
    grpIcon = new QGroupBox(tr("Layered Icon"), pageView);
    auto* iconLayout = new QVBoxLayout(grpIcon);
    auto check = [](const QString& text, int flag, QWidget* parent) {
        auto* box = new QCheckBox(text, parent);
        box->setChecked(flag == 1);
        return box;
    };
    chkIcoLink = check(tr("Symbolic Link"), kxcfgIcoLink, grpIcon);
    chkIcoLock = check(tr("Read Only"), kxcfgIcoLock, grpIcon);
    chkIcoExec = check(tr("Executable"), kxcfgIcoExec, grpIcon);
    for (QCheckBox* box : {chkIcoLink, chkIcoLock, chkIcoExec})
        iconLayout->addWidget(box);
    viewLayout->addWidget(grpIcon);
    viewLayout->addSpacing(gap);
    chkShowHidden = check(tr("Show hidden objects"), kxcfgListShowHidden, pageView);
    viewLayout->addWidget(chkShowHidden);
    viewLayout->addSpacing(3);
    labelHint = new QLabel(tr("In Linux OS, the hidden objects is a file name starts in \".\""), pageView);
    QFont font = QApplication::font();
    font.setPointSize(vga ? 12 : 6);
    labelHint->setFont(font);
    labelHint->setWordWrap(true);
    viewLayout->addWidget(labelHint);
    viewLayout->addSpacing(gap);
    chkKeepOpen = check(tr("Open last Folder at the next starting"), kxcfgKeepOpenFolder, pageView);
    viewLayout->addWidget(chkKeepOpen);
    const int room = kxScreenRoom(parentWidget()) - 4 * gap - 8;
    for (QCheckBox* box : {chkShowHidden, chkKeepOpen})
        wrapText(box, room);
    for (QCheckBox* box : {chkIcoLink, chkIcoLock, chkIcoExec})
        wrapText(box, room - 2 * 12);
    viewLayout->addStretch();
}

void frmOption::buildFavorites()
{
    pageFavor = new QWidget(tabOptions);
    favorLayout = new QVBoxLayout(pageFavor);
    favorLayout->setContentsMargins(gap, gap, gap, gap);
    favorLayout->setSpacing(gap);
    favorListLayout = new QHBoxLayout;
    favorListLayout->setSpacing(gap);

    const int pageRoom = kxScreenRoom(parentWidget()) - 4 * gap - 8;
    auto button = [this, pageRoom](const QString& text, int vgaWidth, int width) {
        auto* b = new QPushButton(text, pageFavor);
        kxFixButtonSize(b, vga ? vgaWidth : width, vga ? 28 : 17, pageRoom);
        return b;
    };
    btnUpper = button(tr("&Upper"), 80, 45);
    btnDown = button(tr("Do&wn"), 80, 45);
    btnEdit = button(tr("&Edit"), 80, 45);
    btnDelete = button(tr("&Delete"), 80, 45);
    int buttonWidth = 0;
    for (QPushButton* b : {btnUpper, btnDown, btnEdit, btnDelete})
        buttonWidth = qMax(buttonWidth, b->width());

    // The list gives way on a screen too narrow for it and the buttons beside it.
    lvFavor = new QTreeWidget(pageFavor);
    lvFavor->setFixedSize(kxFitWidth(vga ? 260 : 170, pageRoom - gap - buttonWidth), vga ? 200 : 150);
    lvFavor->setColumnCount(1);
    lvFavor->setHeaderLabels({tr("Dummy")});
    lvFavor->header()->hide();
    lvFavor->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    lvFavor->setRootIsDecorated(false);
    lvFavor->setSortingEnabled(false);
    lvFavor->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(lvFavor, &QTreeWidget::itemDoubleClicked, this, &frmOption::lvFavoirEdit);
    favorListLayout->addWidget(lvFavor);

    favorButtonLayout = new QVBoxLayout;
    favorButtonLayout->setSpacing(gap);
    favorButtonLayout->addSpacing(4 * gap);
    for (QPushButton* b : {btnUpper, btnDown, btnEdit, btnDelete}) {
        b->setFixedWidth(buttonWidth);
        favorButtonLayout->addWidget(b);
    }
    favorButtonLayout->addSpacing(4 * gap);
    favorButtonLayout->addStretch();
    favorListLayout->addLayout(favorButtonLayout);
    favorListLayout->addStretch();
    favorLayout->addLayout(favorListLayout);

    favorAddLayout = new QHBoxLayout;
    favorAddLayout->setSpacing(gap);
    btnAddCurrent = button(tr("&Add Current Folder"), 180, 100);
    btnSeparater = button(tr("&Separater"), 110, 65);
    favorAddLayout->addWidget(btnAddCurrent);
    favorAddLayout->addWidget(btnSeparater);
    // One under the other where the screen is too narrow for both side by side.
    if (btnAddCurrent->width() + gap + btnSeparater->width() > pageRoom)
        favorAddLayout->setDirection(QBoxLayout::TopToBottom);
    favorAddLayout->addStretch();
    favorLayout->addLayout(favorAddLayout);
    favorLayout->addStretch();

    connect(btnUpper, &QPushButton::clicked, this, &frmOption::lvFavoirUpper);
    connect(btnDown, &QPushButton::clicked, this, &frmOption::lvFavoirDown);
    connect(btnEdit, &QPushButton::clicked, this, &frmOption::lvFavoirEdit);
    connect(btnDelete, &QPushButton::clicked, this, &frmOption::lvFavoirDelete);
    connect(btnAddCurrent, &QPushButton::clicked, this, &frmOption::lvFavoirAddCurrent);
    connect(btnSeparater, &QPushButton::clicked, this, &frmOption::lvFavoirAddSep);

    // The slots up to the first empty one, in order.
    QTreeWidgetItem* last = nullptr;
    for (int i = 0; i < kxFavorMax && !kxcfgFavorItem[i].isEmpty(); ++i) {
        const QString title = kxcfgFavorItem[i] == kxFavorSeparator ? QString() : kxcfgFavorName[i];
        last = last ? new ctlListViewItemFavor(lvFavor, last, kxcfgFavorItem[i], title)
                    : new ctlListViewItemFavor(lvFavor, kxcfgFavorItem[i], title);
    }
    if (lvFavor->topLevelItemCount() > 0)
        lvFavor->setCurrentItem(lvFavor->topLevelItem(0));
}

ctlListViewItemFavor* frmOption::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = lvFavor->selectedItems();
    return selected.isEmpty() ? nullptr : static_cast<ctlListViewItemFavor*>(selected.first());
}

// The neighbour moves past the selected row, so the selection stays where it is.
void frmOption::lvFavoirUpper()
{
    ctlListViewItemFavor* row = selectedRow();
    const int index = row ? lvFavor->indexOfTopLevelItem(row) : 0;
    if (index <= 0)
        return;
    lvFavor->insertTopLevelItem(index, lvFavor->takeTopLevelItem(index - 1));
    lvFavor->scrollToItem(row);
}

void frmOption::lvFavoirDown()
{
    ctlListViewItemFavor* row = selectedRow();
    const int index = row ? lvFavor->indexOfTopLevelItem(row) : -1;
    if (index < 0 || index + 1 >= lvFavor->topLevelItemCount())
        return;
    lvFavor->insertTopLevelItem(index, lvFavor->takeTopLevelItem(index + 1));
    lvFavor->scrollToItem(row);
}

void frmOption::lvFavoirEdit()
{
    ctlListViewItemFavor* row = selectedRow();
    if (!row || row->isSeparator())
        return;
    frmOptionFavorDetail detail(this, row->favorItem, row->favorName);
    if (detail.exec() == QDialog::Accepted)
        row->setName(detail.name());
}

void frmOption::lvFavoirDelete()
{
    ctlListViewItemFavor* row = selectedRow();
    if (!row)
        return;
    QMessageBox box(QMessageBox::Information, QStringLiteral("削除の確認"), QStringLiteral("このアイテムを削除しますか？"),
                    QMessageBox::NoButton, this);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setEscapeButton(box.addButton(tr("Cancel"), QMessageBox::RejectRole));
    box.setDefaultButton(ok);
    box.exec();
    if (box.clickedButton() != ok)
        return;
    const int index = lvFavor->indexOfTopLevelItem(row);
    QTreeWidgetItem* next = lvFavor->topLevelItem(index + 1);
    if (!next)
        next = lvFavor->topLevelItem(index - 1);
    if (next)
        lvFavor->setCurrentItem(next);
    delete row;
}

void frmOption::addAboveSelected(const QString& item)
{
    ctlListViewItemFavor* row = selectedRow();
    const int index = row ? lvFavor->indexOfTopLevelItem(row) : 0;
    auto* added = index > 0 ? new ctlListViewItemFavor(lvFavor, lvFavor->topLevelItem(index - 1), item, QString())
                            : new ctlListViewItemFavor(lvFavor, item, QString());
    lvFavor->setCurrentItem(added);
    lvFavor->scrollToItem(added);
}

void frmOption::lvFavoirAddCurrent()
{
    QString path = kxcfgLastOpenFolder;
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    // An empty path would be stored as an empty slot, which hides every slot after it.
    if (!path.isEmpty())
        addAboveSelected(path);
}

void frmOption::lvFavoirAddSep()
{
    addAboveSelected(kxFavorSeparator);
}

void frmOption::accept()
{
    const int rows = lvFavor->topLevelItemCount();
    if (rows > kxFavorMax) {
        QMessageBox::critical(this, QStringLiteral("エラー"), QStringLiteral("お気に入りは20個以上設定できません。"));
        return;
    }
    kxcfgIcoLink = chkIcoLink->isChecked() ? 1 : 0;
    kxcfgIcoLock = chkIcoLock->isChecked() ? 1 : 0;
    kxcfgIcoExec = chkIcoExec->isChecked() ? 1 : 0;
    kxcfgListShowHidden = chkShowHidden->isChecked() ? 1 : 0;
    kxcfgKeepOpenFolder = chkKeepOpen->isChecked() ? 1 : 0;
    for (int i = 0; i < kxFavorMax; ++i) {
        const auto* row = static_cast<ctlListViewItemFavor*>(lvFavor->topLevelItem(i));
        kxcfgFavorItem[i] = row ? row->favorItem : QString();
        kxcfgFavorName[i] = row && !row->isSeparator() ? row->favorName : QString();
    }
    kxWriteConfig();
    QDialog::accept();
}
