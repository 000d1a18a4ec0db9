#include "mervo.h"

#include "mervodata.h"
#include "mervomemo.h"
#include "mervowidget.h"
#include "platform/qpemenubar.h"
#include "platform/qpetoolbar.h"
#include "platform/resource.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QGridLayout>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
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
    showPage(insertNewPage(m_pageCount));
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
    // Ink still waiting for its timer belongs to the page being left, not the one loaded.
    m_current->commitPending();
    save(m_current->page());
    m_current = static_cast<MervoWidget*>(widget);
    load(m_current->page());
    m_current->jumpTo(QPoint(0, 0));
}

void Mervo::save(int page)
{
    QDir().mkpath(pageFolder());
    m_data->save(mervo_datafile(page));
}

void Mervo::load(int page)
{
    QDir().mkpath(pageFolder());
    m_data->clear();
    m_data->load(mervo_datafile(page));
}

void Mervo::closeEvent(QCloseEvent* e)
{
    m_current->commitPending();
    save(m_current->page());
    e->accept();
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
    // Showing another tab saves the page under its old number and loads the one shown.
    m_tabs->removeTab(m_tabs->indexOf(w));
    m_pages.removeOne(w);
    delete w;

    if (page == m_pageCount - 1) {
        QFile::remove(mervo_datafile(page));
    } else {
        for (int a = page + 1; a < m_pageCount; ++a)
            std::rename(QFile::encodeName(mervo_datafile(a)).constData(),
                        QFile::encodeName(mervo_datafile(a - 1)).constData());
        for (int k = 0; k < m_pages.size(); ++k) {
            m_pages.at(k)->setPage(k);
            m_tabs->setTabText(m_tabs->indexOf(m_pages.at(k)), QString::number(k));
        }
    }
    --m_pageCount;
}

void Mervo::slotClear()
{
    if (!confirm(this, tr("Clear Page")))
        return;
    m_data->clear();
    save(m_current->page());
    m_current->jumpTo(QPoint(0, 0));
}

void Mervo::slotPng()
{
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
    exportPng(folder + QStringLiteral("/mervo.png"), width->value(), height->value());
}

bool Mervo::exportPng(const QString& path, int width, int charHeight)
{
    const int gap = charHeight / 4;
    const int lines = m_data->numberOfLines(width, charHeight, gap, gap);
    QImage image(width, (charHeight + gap) * lines, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    {
        QPainter p(&image);
        m_data->draw(p, 0, width, charHeight, gap, gap);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

void Mervo::slotMemo()
{
    MervoMemo memo(this, nullptr, m_current->page(), m_data, m_current->charHeight());
    memo.showMaximized();
    memo.exec();
}
