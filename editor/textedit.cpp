#include "textedit.h"

#include "document.h"
#include "eucjplabel.h"
#include "qpeeditor.h"

#include "platform/doclnk.h"
#include "platform/qpeapplication.h"
#include "platform/qpemenubar.h"
#include "platform/qpetoolbar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDataStream>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTimer>

#include <cstdlib>

TextEdit::TextEdit(const QString& name, QWidget* parent, const char* widgetName, Qt::WindowFlags flags)
    : QMainWindow(parent, flags), m_appName(name)
{
    if (widgetName)
        setObjectName(QString::fromLatin1(widgetName));
    if (auto* app = qobject_cast<QPEApplication*>(qApp))
        connect(app, &QPEApplication::appMessage, this, &TextEdit::qcop_receive);

    menuToolBar = new QPEToolBar(this);
    menuToolBar->setObjectName(QStringLiteral("menuToolBar"));
    addToolBar(menuToolBar);
    qpeMenuBar = new QPEMenuBar(menuToolBar);
    menuToolBar->addWidget(qpeMenuBar);
    fileMenu = new QMenu(this);
    editMenu = new QMenu(this);
    viewMenu = new QMenu(this);
    iconToolBar = new QPEToolBar(this);
    iconToolBar->setObjectName(QStringLiteral("iconToolBar"));
    addToolBar(iconToolBar);

    readConf();
    readConf2();

    buildMenus();
    buildSearchBar();

    if (m_settings.AutoSave >= 1 && m_settings.AutoSave <= 60) {
        autoSaveTimer = new QTimer(this);
        autoSaveTimer->setObjectName(QStringLiteral("autoSave"));
        connect(autoSaveTimer, &QTimer::timeout, this, &TextEdit::timerOn);
        autoSaveTimer->start(m_settings.AutoSave * 60000);
    }

    createEditor();
    optionSpecialKey(true);

    setWindowTitle(m_appName);
    resize(640, 480); // the palmtop shows it full screen; elsewhere a usable start size
    m_editor->setFont(QFont(m_settings.FontFamilyName, 12, QFont::Normal, false));
    setFontSize(m_settings.FontSize, true);
    fileNew();
    m_editor->set2byteSpace();
    if (!m_settings.ShortCutKey)
        setShortCutKey(false);
    setBackColor(m_settings.BackColor);
    setTextColor(m_settings.TextColor);
}

TextEdit::~TextEdit()
{
    writeConf();
    writeConf2();
}

QString TextEdit::appNameFor(const QString& programPath)
{
    QString name = QFileInfo(programPath).baseName();
    if (name.startsWith(QLatin1String("ve")))
        name.replace(0, 2, QStringLiteral("VE"));
    return name;
}

void TextEdit::createEditor()
{
    editorStack = new QStackedWidget(this);
    setCentralWidget(editorStack);
    m_editor = new QpeEditor(editorStack);
    m_editor->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    editorStack->addWidget(m_editor);
    FrameWidth = -99;
    applySettings();
    m_editor->setJumpMark(-1, -1);
    connect(m_editor, &QpeEditor::cursorMoved, this, [this] {
        // The caption's line part follows the cursor.
        if (m_settings.LineNumber == 1)
            updateCaption();
    });
    connect(m_editor, &QpeEditor::resized, this, &TextEdit::editorResized);
    addAccel(QKeySequence(Qt::CTRL | Qt::Key_0), &TextEdit::changeOverWrite);
    m_editor->setOverWriteWhich(0);
}

void TextEdit::startWith(const QStringList& arguments)
{
    if (arguments.size() != 3)
        return;
    if (openThisFile(QFileInfo(arguments.at(1)).absoluteFilePath()))
        jump_to(std::atoi(arguments.at(2).toLocal8Bit().constData()));
}

void TextEdit::setDocument(const QString& path)
{
    // A document handed over while another is being read, or while a dialog is open
    // (a confirmed replacement keeps its place in the text), waits until that ends.
    if (m_loading || QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, [this, path] { setDocument(path); });
        return;
    }
    if (allRight())
        return;
    openThisFile(QFileInfo(path).absoluteFilePath());
    showEditTools();
}

void TextEdit::qcop_receive(const QByteArray& message, const QByteArray& data)
{
    if (message != "JumpTo(int)")
        return;
    // The line follows a document that waits.
    if (m_loading || QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, [this, message, data] { qcop_receive(message, data); });
        return;
    }
    QDataStream in(data);
    in.setVersion(QDataStream::Qt_6_0);
    qint32 line = 0;
    in >> line;
    if (in.status() == QDataStream::Ok)
        jump_to(line);
}

void TextEdit::accept()
{
    if (searchBarShown) {
        acceptSearch();
    } else if (m_settings.OKisEnter) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(m_editor, &press);
    } else {
        fileMenuSave();
        close();
    }
}

void TextEdit::closeEvent(QCloseEvent* event)
{
    if (m_loading) {
        m_stopLoading = true;
        m_closeAfterLoad = true;
        event->ignore();
        return;
    }
    if (searchBarShown) {
        findClose();
        event->ignore();
        return;
    }
    if (allRight()) {
        event->ignore();
        return;
    }
    setLastFile();
    event->accept();
}

void TextEdit::aboutMessage()
{
    QMessageBox::about(this, eucLabel("About VElino"),
                       eucLabel("VElino\nA text editor for Japanese, Korean, Chinese\nand Western encodings."));
}

void TextEdit::setBold(bool on)
{
    QFont f = m_editor->font();
    f.setBold(on);
    m_editor->setFont(f);
}

void TextEdit::setItalic(bool on)
{
    QFont f = m_editor->font();
    f.setItalic(on);
    m_editor->setFont(f);
}
