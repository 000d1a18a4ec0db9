#include "textedit.h"

#include "eucjplabel.h"
#include "qpeeditor.h"
#include "velinoglobals.h"

#include "platform/doclnk.h"
#include "platform/qpeapplication.h"
#include "platform/qpemenubar.h"
#include "platform/qpetoolbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QDataStream>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTimer>

#include <cstdlib>

TextEdit* G_edit = nullptr;
int FrameWidth = -99;
int UpdateCellWidth = 0;
int FileType = 0;

void InsteadOfSignal()
{
    if (G_edit)
        G_edit->updateCaption();
}

void InsteadOfWrapSignal()
{
    if (G_edit)
        G_edit->wrap_this();
}

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

    if (AutoSave >= 1 && AutoSave <= 60) {
        autoSaveTimer = new QTimer(this);
        autoSaveTimer->setObjectName(QStringLiteral("autoSave"));
        connect(autoSaveTimer, &QTimer::timeout, this, &TextEdit::timerOn);
        autoSaveTimer->start(AutoSave * 60000);
    }

    createEditor();
    optionSpecialKey(true);

    setWindowTitle(m_appName);
    resize(640, 480); // the palmtop shows it full screen; elsewhere a usable start size
    QFont font(FontFamilyName, 12, QFont::Normal, false);
    m_editor->setFont(font);
    setFontSize(FontSize, true);
    fileNew();
    m_editor->set2byteSpace();
    if (!ShortCutKey)
        setShortCutKey(false);
    setBackColor(BackColor);
    setTextColor(TextColor);
    for (int type = 0; type < 7; ++type)
        m_editor->setUserFileInfo(type, fileInfo[type]);
}

TextEdit::~TextEdit()
{
    writeConf();
    writeConf2();
    if (G_edit == this)
        G_edit = nullptr;
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
    UpdateCellWidth = 0;
    m_editor->setDefaultTabStop(TabLength);
    m_editor->setCursorDraw(CursorDraw);
    m_editor->setCursorLineColor(CursorColor);
    m_editor->setCursorColor(CursorColor2);
    m_editor->setCursorStyle(CursorWidth);
    m_editor->setSelectedColor(SelectedColor);
    m_editor->setVerticalLine(VerticalLine);
    m_editor->setScrollBarDisp(ScrollBarDisp);
    m_editor->setLineNumber(LineNumber, LineNumberCr);
    m_editor->setCRMarkDisp(CRMarkDisp);
    m_editor->setAutoindent(AutoIndent);
    m_editor->setJumpMark(-1, -1);
    m_editor->setSeparateKanaKanji(SeparateKanaKanji);
    addAccel(QKeySequence(Qt::CTRL | Qt::Key_0), &TextEdit::changeOverWrite);
    m_editor->setOverWriteWhich(0);
}

void TextEdit::startWith(const QStringList& arguments)
{
    if (arguments.size() != 3)
        return;
    openThisFile(QFileInfo(arguments.at(1)).absoluteFilePath());
    jump_to(std::atoi(arguments.at(2).toLocal8Bit().constData()));
}

void TextEdit::setDocument(const QString& path)
{
    if (allRight())
        return;
    openThisFile(QFileInfo(path).absoluteFilePath());
    showEditTools();
}

void TextEdit::qcop_receive(const QByteArray& message, const QByteArray& data)
{
    if (message != "JumpTo(int)")
        return;
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
        findNext();
    } else if (OKisEnter) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(m_editor, &press);
    } else {
        fileMenuSave();
        close();
    }
}

void TextEdit::closeEvent(QCloseEvent* event)
{
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
