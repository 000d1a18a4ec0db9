#include "filedialog.h"

#include "eucjplabel.h"

#include "platform/qpemenubar.h"
#include "platform/resource.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

const char* const FileDialog::TextFolder = "/home/tarvik/Documents/Text_Files";

namespace {
struct ModeTexts
{
    const char* caption;
    const char* ok;
};

constexpr ModeTexts modeTexts[] = {
    {"[ Open ]", "Open"}, {">> Save <<", "Save"}, {"** simple filer **", "OK"}, {"copy to", "copy"}, {"move to", "Move"},
};

// Buttons never take Return from the list or the name field: there Return has a meaning of its own.
// The sizes are the palmtop's; where a desktop font is too wide for one, its font shrinks.
QPushButton* button(QWidget* parent, const char* text, int x, int y, int w, int h)
{
    auto* b = new QPushButton(eucLabel(text), parent);
    b->setAutoDefault(false);
    b->setGeometry(x, y, w, h);
    QFont font = b->font();
    while (QFontMetrics(font).horizontalAdvance(b->text()) > w - 6 && font.pointSizeF() > 5)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    b->setFont(font);
    return b;
}
} // namespace

FileDialog::FileDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f, int mode, bool smallSave)
    : QDialog(parent, f), owner(parent), m_mode(qBound(0, mode, 4))
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setWindowTitle(eucLabel(modeTexts[m_mode].caption));
    // Without an owner, the palmtop's small display.
    ownerWidth = parent ? parent->width() : 240;
    ownerHeight = parent ? parent->height() : 320;
    folderIcon = QIcon(Resource::loadPixmap(QStringLiteral("folder")));

    placeChildren(smallSave);
    if (m_mode == Filer)
        buildFileMenu();
    bindKeys();

    setList(QStringLiteral("~/"));
    if (m_mode == CopyTo || m_mode == MoveTo) {
        const auto* filer = qobject_cast<FileDialog*>(owner);
        const QString entry = filer ? filer->getSelectedFileName() : QString();
        statusBar->showMessage(entry + eucLabel(m_mode == CopyTo ? "--> copy" : "--> move"));
    }
    const QRect covered = childrenRect();
    resize(covered.right() + 1, covered.bottom() + 1);
}

void FileDialog::placeChildren(bool smallSave)
{
    const int w = ownerWidth;
    const int h = ownerHeight;
    if (m_mode == CopyTo || m_mode == MoveTo) {
        const auto* filer = qobject_cast<FileDialog*>(owner);
        large = filer && filer->large;
        dialogWidth = w - 30;
        dialogHeight = h - 40;
    } else {
        large = w > 407;
        dialogWidth = !large ? 214 : w > 499 ? w * 5 / 8 : w * 5 / 6;
        dialogHeight = h < w ? h * 7 / 8 : m_mode == Save && smallSave ? h / 2 - 25 : h * 4 / 5;
    }
    const int dw = dialogWidth;
    const int dh = dialogHeight;

    listBox = new QListWidget(this);
    listBox->setIconSize(QSize(16, 16));
    listBox->installEventFilter(this);
    switch (m_mode) {
    case Open:
    case Save:
        listBox->setGeometry(5, 22, dw - 11, dh - 75);
        break;
    case Filer:
        listBox->setGeometry(5, 58, dw - 11, dh - 86);
        break;
    default:
        listBox->setGeometry(5, 42, dw - 11, dh - 72);
        break;
    }
    if (m_mode != Open && m_mode != Save) {
        static const QColor bases[] = {QColor(180, 255, 180), QColor(180, 180, 255), QColor(255, 180, 255)};
        QPalette palette = listBox->palette();
        palette.setColor(QPalette::Base, bases[m_mode - Filer]);
        listBox->setPalette(palette);
    }
    // A double tap is a tap and a selection. When the tap has replaced the listing, the
    // selection would land on whatever the new listing shows there, so it is dropped.
    connect(listBox, &QListWidget::itemClicked, this, [this] {
        const QByteArray before = dir;
        changeList();
        if (dir != before)
            listedByTap.start();
        else
            listedByTap.invalidate();
    });
    connect(listBox, &QListWidget::itemDoubleClicked, this, [this] {
        if (!listedByTap.isValid() || listedByTap.elapsed() > QApplication::doubleClickInterval())
            changeList();
    });

    if (m_mode == Open || m_mode == Save) {
        nameEdit = new QLineEdit(this);
        if (m_mode == Open)
            nameEdit->setGeometry(5, dh - 54, dw - 11, 24);
        else
            nameEdit->setGeometry(5, dh - 55, dw - 107, 24);
        connect(nameEdit, &QLineEdit::returnPressed, this, &FileDialog::fileSelected);
    }
    if (m_mode == Save) {
        topButton = button(this, "Top", dw - 105, dh - 54, 50, 26);
        dateButton = button(this, "Date", dw - 51, dh - 54, 40, 26);
        connect(topButton, &QPushButton::clicked, this, &FileDialog::inputFileName);
        connect(dateButton, &QPushButton::clicked, this, &FileDialog::inputDateTime);
    }
    if (m_mode == Filer) {
        pathEdit = new QLineEdit(this);
        pathEdit->setReadOnly(true);
        pathEdit->setGeometry(5, 32, dw - 11, 24);
    } else {
        statusBar = new QStatusBar(this);
        statusBar->setSizeGripEnabled(false);
        statusBar->setGeometry(0, 2, dw, 20);
    }
    if (m_mode == CopyTo || m_mode == MoveTo) {
        statusBar2 = new QStatusBar(this);
        statusBar2->setSizeGripEnabled(false);
        statusBar2->setGeometry(0, 22, dw, 20);
    }

    okButton = button(this, modeTexts[m_mode].ok, 5, dh - 26, 64, 26);
    const int c = (m_mode == CopyTo || m_mode == MoveTo) && !large ? 42 : 64;
    cancelButton = button(this, "CANCEL", dw - c - 4, dh - 26, c, 26);
    if (large) {
        mntButton = button(this, "mnt", 78, dh - 26, 48, 26);
        homeButton = button(this, "home", 130, dh - 26, 58, 26);
        textButton = button(this, "text", 192, dh - 26, 58, 26);
    } else {
        mntButton = button(this, "m", 78, dh - 26, 18, 26);
        homeButton = button(this, "h", 98, dh - 26, 18, 26);
        textButton = button(this, "t", 118, dh - 26, 18, 26);
    }
    connect(okButton, &QPushButton::clicked, this, &FileDialog::fileSelected);
    connect(cancelButton, &QPushButton::clicked, this, &FileDialog::reject);
    connect(mntButton, &QPushButton::clicked, this, &FileDialog::cd_mnt);
    connect(homeButton, &QPushButton::clicked, this, &FileDialog::cd_home);
    connect(textButton, &QPushButton::clicked, this, &FileDialog::cd_text);
}

void FileDialog::buildFileMenu()
{
    menuBar = new QPEMenuBar(this);
    fileMenu = new QMenu(this);
    fileMenu->setTitle(eucLabel("File"));
    const auto add = [this](const char* label, Qt::Key key, void (FileDialog::*slot)()) {
        QAction* action = fileMenu->addAction(eucLabel(label));
        if (key != Qt::Key_unknown)
            action->setShortcut(QKeySequence(Qt::CTRL | key));
        connect(action, &QAction::triggered, this, slot);
    };
    add("information(&I)", Qt::Key_I, &FileDialog::fileInformation);
    add("rename(&N)", Qt::Key_N, &FileDialog::fileRename);
    add("copy(&C)", Qt::Key_C, &FileDialog::fileCopy);
    add("move(&M)", Qt::Key_M, &FileDialog::fileMove);
    fileMenu->addSeparator();
    add("delete(&D)", Qt::Key_D, &FileDialog::fileDelete);
    fileMenu->addSeparator();
    add("makeDirectory(&K)", Qt::Key_K, &FileDialog::makeDirectory);
    fileMenu->addSeparator();
    add("Help(&H)", Qt::Key_unknown, &FileDialog::help_menu);
    menuBar->addMenu(fileMenu);
    menuBar->setGeometry(0, 0, dialogWidth, menuBar->sizeHint().height());
}

void FileDialog::bindKeys()
{
    const auto bind = [this](const QKeySequence& key, void (FileDialog::*slot)()) {
        connect(new QShortcut(key, this), &QShortcut::activated, this, slot);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_Backspace), &FileDialog::cd_up);
    bind(QKeySequence(Qt::SHIFT | Qt::Key_Backspace), &FileDialog::cd_up);
    if (m_mode != Open && m_mode != Save)
        bind(QKeySequence(Qt::Key_Backspace), &FileDialog::cd_up);

    const struct
    {
        Qt::Key key;
        void (FileDialog::*slot)();
    } jumps[] = {
        {Qt::Key_R, &FileDialog::cd_root}, {Qt::Key_H, &FileDialog::cd_home},   {Qt::Key_Z, &FileDialog::cd_tarvik},
        {Qt::Key_Q, &FileDialog::cd_qt},   {Qt::Key_S, &FileDialog::cd_card},   {Qt::Key_F, &FileDialog::cd_cf},
        {Qt::Key_T, &FileDialog::cd_text}, {Qt::Key_U, &FileDialog::cd_user_U}, {Qt::Key_J, &FileDialog::cd_user_J},
    };
    for (const auto& jump : jumps) {
        bind(QKeySequence(Qt::CTRL | jump.key), jump.slot);
        // Not in the save mode, where names are typed. (A focused name field keeps its letters anyway.)
        if (m_mode != Save)
            bind(QKeySequence(Qt::SHIFT | jump.key), jump.slot);
    }
    if (m_mode == Save) {
        bind(QKeySequence(Qt::CTRL | Qt::Key_O), &FileDialog::inputFileName);
        bind(QKeySequence(Qt::CTRL | Qt::Key_D), &FileDialog::inputDateTime);
    }
}

bool FileDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Return on an entry is the same as tapping it.
    if (watched == listBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            changeList();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
