#include "mervo.h"

#include "mervodata.h"
#include "mervomemo.h"
#include "mervowidget.h"
#include "platform/qpemenubar.h"
#include "platform/qpetoolbar.h"
#include "platform/resource.h"
#include "platform/safefile.h"

#include <QActionGroup>
#include <QBuffer>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include <cstdio>

static QString homePath(const QString& relative)
{
    return qEnvironmentVariable("HOME") + relative;
}

static QString pageFolder()
{
    return homePath(QStringLiteral("/Applications/mervo/"));
}

QString mervo_datafile(int page)
{
    return pageFolder() + QString::number(page) + QStringLiteral(".mervo");
}

QString mervo_keepDamaged(const QString& path)
{
    QString kept = path + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n)
        kept = path + QStringLiteral(".damaged.%1").arg(n);
    return QFile::copy(path, kept) ? kept : QString();
}

void mervo_warn(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

Mervo::Mervo(QWidget* parent, const char*) : QMainWindow(parent), m_data(new MervoData)
{
    buildMenu();
    buildToolButtons();
    load(0);

    m_tabs = new QTabWidget(this);
    setCentralWidget(m_tabs);
    slotNewPage();
    for (int n = 1; QFile::exists(mervo_datafile(n)); ++n)
        slotNewPage();

    m_tabs->setCurrentIndex(0);
    m_current = m_pages.first();
    m_current->setFocus();

    connect(m_pointButton, &QToolButton::clicked, this, &Mervo::slotPoint);
    // Connected last, so that building the tabs saves and loads nothing.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (QWidget* w = m_tabs->widget(index))
            slotTabChanged(w);
    });
}

Mervo::~Mervo()
{
    delete m_data;
}

void Mervo::buildMenu()
{
    auto* bar = new QPEToolBar(this);
    addToolBar(bar);
    auto* menuBar = new QPEMenuBar(bar);
    bar->addWidget(menuBar);
    QMenu* menu = menuBar->addMenu(tr("Menu"));
    menu->addAction(tr("New Page"), this, &Mervo::slotNewPage);
    menu->addAction(tr("Del Page"), this, &Mervo::slotDeletePage);
    menu->addAction(tr("Clear Page"), this, &Mervo::slotClear);
    menu->addSeparator();
    QMenu* sizes = menu->addMenu(tr("Size"));
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (const char* size : {"12", "16", "24", "32", "48"}) {
        QAction* action = sizes->addAction(QLatin1String(size));
        action->setCheckable(true);
        action->setChecked(qstrcmp(size, "16") == 0);
        group->addAction(action);
    }
    connect(group, &QActionGroup::triggered, this, &Mervo::slotSizeSelected);
    menu->addAction(tr("Export PNG"), this, &Mervo::slotPng);
    menu->addAction(tr("Memo"), this, &Mervo::slotMemo);
}

QToolButton* Mervo::addToolButton(const QString& image, bool toggle)
{
    auto* button = new QToolButton(m_buttonBar);
    button->setObjectName(image);
    button->setIcon(QIcon(Resource::loadPixmap(image)));
    button->setCheckable(toggle);
    m_buttonBar->addWidget(button);
    return button;
}

void Mervo::buildToolButtons()
{
    m_buttonBar = new QPEToolBar(this);
    // On the palmtop's 240 pixels the menu and all six buttons share one row.
    if (QGuiApplication::primaryScreen()->availableGeometry().width() < 480)
        m_buttonBar->setIconSize(QSize(16, 16));
    addToolBar(m_buttonBar);
    m_pointButton = addToolButton(QStringLiteral("mervo/point"), true);
    m_twoButton = addToolButton(QStringLiteral("mervo/two"), true);
    m_buttonBar->addSeparator();
    m_spaceButton = addToolButton(QStringLiteral("mervo/space"), false);
    m_backspaceButton = addToolButton(QStringLiteral("mervo/backspace"), false);
    m_delLineButton = addToolButton(QStringLiteral("mervo/delline"), false);
    m_enterButton = addToolButton(QStringLiteral("mervo/enter"), false);
}

MervoWidget* Mervo::insertNewPage(int page)
{
    auto* widget = new MervoWidget(m_tabs, nullptr, m_data, false);
    widget->setPage(page);
    setCharHeight(widget, 16);
    connect(m_spaceButton, &QToolButton::clicked, widget, &MervoWidget::slotSpace);
    connect(m_backspaceButton, &QToolButton::clicked, widget, &MervoWidget::slotBS);
    connect(m_delLineButton, &QToolButton::clicked, widget, &MervoWidget::slotDeleteLine);
    connect(m_enterButton, &QToolButton::clicked, widget, &MervoWidget::slotEnter);
    connect(m_twoButton, &QToolButton::toggled, widget, &MervoWidget::setTwoLineMode);
    connect(widget, &MervoWidget::pointSelected, this, &Mervo::slotPointSelected);
    m_tabs->addTab(widget, QString::number(page));
    m_pages.append(widget);
    ++m_pageCount;
    return widget;
}

void Mervo::showPage(MervoWidget* widget)
{
    m_tabs->setCurrentWidget(widget);
}

void Mervo::slotNewPage()
{
    MervoWidget* widget = insertNewPage(m_pageCount);
    showPage(widget);
    if (!m_current || m_current == widget)
        return;
    // The page left could not be saved: an empty tab without a file would hide the
    // pages created after it on the next start.
    m_tabs->removeTab(m_tabs->indexOf(widget));
    m_pages.removeOne(widget);
    delete widget;
    --m_pageCount;
}

void Mervo::setCharHeight(MervoWidget* widget, int h)
{
    widget->setDimensions(h, h / 4, h / 8);
}

void Mervo::slotSizeSelected(QAction* action)
{
    setCharHeight(m_current, action->text().toInt());
}

void Mervo::slotTabChanged(QWidget* widget)
{
    if (m_stayingOnPage)
        return;
    MervoWidget* left = m_current;
    left->cancelSelectPoint();
    slotPointSelected();
    if (!m_discarding) {
        // Ink still waiting for its timer belongs to the page being left, not the one loaded.
        left->commitPending();
        QString error;
        if (!save(left->page(), &error)) {
            // The ink stays in memory, on its page, until it can be saved.
            m_stayingOnPage = true;
            m_tabs->setCurrentWidget(left);
            m_stayingOnPage = false;
            left->setFocus();
            warnNotSaved(left->page(), error);
            return;
        }
    }
    m_current = static_cast<MervoWidget*>(widget);
    load(m_current->page());
    m_current->jumpTo(QPoint(0, 0));
    m_current->setFocus();
}

bool Mervo::save(int page, QString* error)
{
    const QString path = mervo_datafile(page);
    if (!m_data->isModified() && QFile::exists(path))
        return true;
    QDir().mkpath(pageFolder());
    // Only a plain file is kept: anything else there the save refuses.
    if (m_data->isDamaged() && QFileInfo(path).isFile() && mervo_keepDamaged(path).isEmpty()) {
        if (error)
            *error = tr("The damaged page file could not be kept beside it.");
        return false;
    }
    if (!m_data->save(path, error))
        return false;
    m_data->markSaved();
    return true;
}

void Mervo::load(int page)
{
    QDir().mkpath(pageFolder());
    m_data->clear();
    m_data->load(mervo_datafile(page));
}

void Mervo::warnNotSaved(int page, const QString& error)
{
    mervo_warn(this, tr("Page not saved"),
               tr("Page %1 could not be saved:\n%2\n\nIts ink stays here until it can be saved.").arg(page).arg(error));
}

void Mervo::closeEvent(QCloseEvent* e)
{
    m_current->commitPending();
    QString error;
    if (save(m_current->page(), &error)) {
        e->accept();
        return;
    }
    QMessageBox box(QMessageBox::Warning, tr("Page not saved"),
                    tr("Page %1 could not be saved:\n%2\n\nClose anyway and lose its changes?")
                        .arg(m_current->page())
                        .arg(error),
                    QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Cancel);
    if (box.exec() == QMessageBox::Discard)
        e->accept();
    else
        e->ignore();
}

void Mervo::slotPoint()
{
    m_pointButton->setEnabled(false);
    m_current->selectPoint();
}

void Mervo::slotPointSelected()
{
    m_pointButton->setChecked(false);
    m_pointButton->setEnabled(true);
}

static bool confirm(QWidget* parent, const QString& caption)
{
    QMessageBox box(QMessageBox::Warning, caption, QObject::tr("Are you sure?"),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

void Mervo::slotDeletePage()
{
    if (m_pageCount == 1 || !confirm(this, tr("Delete Page")))
        return;
    MervoWidget* w = m_current;
    const int page = w->page();
    // Showing another tab loads the page shown; nothing of the page deleted is saved.
    m_discarding = true;
    m_tabs->removeTab(m_tabs->indexOf(w));
    m_discarding = false;
    m_pages.removeOne(w);
    delete w;

    const QStringList failed = renumberFiles(page);
    for (int k = 0; k < m_pages.size(); ++k) {
        m_pages.at(k)->setPage(k);
        m_tabs->setTabText(m_tabs->indexOf(m_pages.at(k)), QString::number(k));
    }
    --m_pageCount;
    m_current->setFocus();
    if (!failed.isEmpty())
        mervo_warn(this, tr("Delete Page"),
                   tr("These files could not be renumbered:\n%1").arg(failed.join(QLatin1Char('\n'))));
}

// Removes the deleted page's file and memo and moves those of the pages after it
// down by one. Returns the files that could not be moved.
QStringList Mervo::renumberFiles(int deleted)
{
    QStringList failed;
    for (const auto& file : {&mervo_datafile, &MervoMemo::memoFile}) {
        QFile::remove(file(deleted));
        for (int a = deleted + 1; a < m_pageCount; ++a) {
            const QString from = file(a);
            if (QFile::exists(from)
                && std::rename(QFile::encodeName(from).constData(), QFile::encodeName(file(a - 1)).constData()) != 0)
                failed << from;
        }
    }
    return failed;
}

void Mervo::slotClear()
{
    if (!confirm(this, tr("Clear Page")))
        return;
    // A character still waiting for its timer goes with the page it was written on.
    m_current->dropPending();
    m_data->clear();
    QString error;
    if (!save(m_current->page(), &error))
        warnNotSaved(m_current->page(), error);
    m_current->jumpTo(QPoint(0, 0));
}

void Mervo::slotPng()
{
    m_current->commitPending();
    QDialog dialog(this);
    dialog.setModal(true);
    auto* grid = new QGridLayout(&dialog);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(tr("width"), &dialog), 0, 0);
    grid->addWidget(new QLabel(tr("char height"), &dialog), 0, 1);
    auto* width = new QSpinBox(&dialog);
    width->setObjectName(QStringLiteral("width"));
    width->setRange(100, 1000);
    width->setValue(m_current->width());
    auto* height = new QSpinBox(&dialog);
    height->setObjectName(QStringLiteral("charHeight"));
    height->setRange(12, 48);
    height->setValue(12);
    grid->addWidget(width, 1, 0);
    grid->addWidget(height, 1, 1);
    // The platform's dialog frame gives the dialog its OK and Cancel.
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString folder = homePath(QStringLiteral("/Documents/Image_Files"));
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/mervo.png");
    QString error;
    if (!exportPng(path, width->value(), height->value(), &error))
        mervo_warn(this, tr("Export PNG"), tr("%1 could not be written:\n%2").arg(path, error));
}

bool Mervo::exportPng(const QString& path, int width, int charHeight, QString* error)
{
    const int gap = charHeight / 4;
    const int lines = m_data->numberOfLines(width, charHeight, gap, gap);
    QImage image(width, (charHeight + gap) * lines, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    {
        QPainter p(&image);
        m_data->draw(p, 0, width, charHeight, gap, gap);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "png");
    if (!buffer.open(QIODevice::WriteOnly) || !writer.write(image)) {
        if (error)
            *error = writer.errorString();
        return false;
    }
    // Written as a page is: never in place of a pipe or a device, never half-written.
    SafeFile file(path);
    if (file.open() && file.write(bytes) && file.writtenSize() == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancel();
    return false;
}

void Mervo::slotMemo()
{
    m_current->commitPending();
    MervoMemo memo(this, nullptr, m_current->page(), m_data, m_current->charHeight());
    memo.showMaximized();
    memo.exec();
}
