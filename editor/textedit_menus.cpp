#include "textedit.h"

#include "eucjplabel.h"
#include "qpeeditor.h"

#include "platform/qpemenubar.h"
#include "platform/qpetoolbar.h"
#include "platform/resource.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>

namespace {
// Device keys; Qt has no names for them. They equal the codes of printable
// characters, so they count only in key events without text.
constexpr int KeyZoomOut = 0x200F;
constexpr int KeyZoomIn = 0x2010;
constexpr int KeyFnO = 0x2015;
constexpr int KeyFnP = 0x2016;
constexpr int KeyFnA = 0x2017;
constexpr int KeyFnS = 0x2018;
constexpr int KeyFnN = 0x2019;
constexpr int KeyFnM = 0x201A;
} // namespace

QAction* TextEdit::addMenuAction(QMenu* menu, const char* label, const char* key, void (TextEdit::*slot)())
{
    QAction* action = menu->addAction(eucLabel(label));
    if (key)
        action->setShortcut(QKeySequence(QString::fromLatin1(key)));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void TextEdit::addIcon(QAction* action, const QString& iconName, bool onToolBar)
{
    action->setIcon(QIcon(Resource::loadPixmap(iconName)));
    if (onToolBar)
        iconToolBar->addAction(action);
}

void TextEdit::addAccel(const QKeySequence& key, void (TextEdit::*slot)())
{
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, slot);
}

void TextEdit::buildMenus()
{
    const EditorSettings& s = m_settings;
    fileMenuAction = qpeMenuBar->addMenu(fileMenu);
    editMenuAction = qpeMenuBar->addMenu(editMenu);
    viewMenuAction = qpeMenuBar->addMenu(viewMenu);
    fileMenuAction->setText(eucLabel("&File"));
    editMenuAction->setText(eucLabel("&Edit"));
    viewMenuAction->setText(eucLabel("&View"));

    addIcon(addMenuAction(fileMenu, "new file(&N)", nullptr, &TextEdit::fileNew), s.IconNewName, s.IconNew);
    addIcon(addMenuAction(fileMenu, "open(&O)...", "Ctrl+O", &TextEdit::fileOpen), s.IconOpenName, s.IconOpen);
    fileMenu->addSeparator();
    addIcon(addMenuAction(fileMenu, "save(&S)", "Ctrl+S", &TextEdit::fileMenuSave), s.IconSaveName, s.IconSave);
    addMenuAction(fileMenu, "save as(&A)...", "Ctrl+A", &TextEdit::fileMenuSaveAs);
    fileMenu->addSeparator();
    addMenuAction(fileMenu, "filer(&P)", "Ctrl+P", &TextEdit::fileMenuFiler);
    fileMenu->addSeparator();
    addMenuAction(fileMenu, "clear all histories(&C)", nullptr, &TextEdit::fileClearHistory);
    fileMenu->addSeparator();
    rebuildHistoryMenu();

    addIcon(addMenuAction(editMenu, "cut(&T)", "Ctrl+X", &TextEdit::editCut), s.IconCutName, s.IconCut);
    addIcon(addMenuAction(editMenu, "copy(&C)", "Ctrl+C", &TextEdit::editCopy), s.IconCopyName, s.IconCopy);
    addIcon(addMenuAction(editMenu, "paste(&P)", "Ctrl+V", &TextEdit::editPaste), s.IconPasteName, s.IconPaste);
    addMenuAction(editMenu, "duplicate(&L)", "Ctrl+L", &TextEdit::editDuplicate);
    addMenuAction(editMenu, "remove line(&Y)", "Ctrl+Y", &TextEdit::editRemove);
    editMenu->addSeparator();
    QMenu* selectMenu = editMenu->addMenu(eucLabel("delect wide(&S)"));
    addMenuAction(selectMenu, "select all(&A)", nullptr, &TextEdit::editSelectAll);
    addMenuAction(selectMenu, "from top to cursor(&T)", nullptr, &TextEdit::editSelectTop);
    addMenuAction(selectMenu, "from cursor to mark(&B)", nullptr, &TextEdit::editSelectBottom);
    addMenuAction(selectMenu, "from mark to cursor(&M)", nullptr, &TextEdit::editSelectMark);
    editMenu->addSeparator();
    addIcon(addMenuAction(editMenu, "find(&F)", "Ctrl+F", &TextEdit::editFind), s.IconFindName, s.IconFind);
    addIcon(addMenuAction(editMenu, "find next(&N)", "Ctrl+N", &TextEdit::findNext), s.IconNFindName, s.IconNFind);
    addMenuAction(editMenu, "find end(&E)", "Ctrl+E", &TextEdit::findClose);
    addMenuAction(editMenu, "replace(&R)", "Ctrl+R", &TextEdit::replaceProc);
    editMenu->addSeparator();
    // "&&" shows the label's own ampersand; "&D" stays the mnemonic.
    addMenuAction(editMenu, "date && time(&D)", "Ctrl+D", &TextEdit::insertDateTime);
    QMenu* othersMenu = editMenu->addMenu(eucLabel("others(&O)"));
    const char* others[] = {"undo(&U) Ctrl+U", "redo(&Q) Ctrl+Q", "idiom(&W) Ctrl+W"};
    for (int id = 0; id < 3; ++id)
        connect(othersMenu->addAction(eucLabel(others[id])), &QAction::triggered, this, [this, id] { otherProcNum(id); });

    addMenuAction(viewMenu, "top(&T)", "Ctrl+T", &TextEdit::jump_top);
    addMenuAction(viewMenu, "bottom(&B)", "Ctrl+B", &TextEdit::jump_bottom);
    addMenuAction(viewMenu, "jump to(G)", "Ctrl+G", &TextEdit::jump_number);
    markAction = viewMenu->addAction(eucLabel("mark(&M)"));
    markAction->setCheckable(true);
    markAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
    connect(markAction, &QAction::toggled, this, &TextEdit::MarkCursorPos);
    // Without MarkPosToggle, choosing "mark" always sets the mark and the item stays on.
    connect(markAction, &QAction::triggered, this, [this](bool on) {
        if (!on && !m_settings.MarkPosToggle)
            markAction->setChecked(true);
    });
    addMenuAction(viewMenu, "jump to mark(&J)", "Ctrl+J", &TextEdit::jump_markpos);
    viewMenu->addSeparator();
    largeFontAction = addMenuAction(viewMenu, "large font(&L)", nullptr, &TextEdit::zoomIn);
    smallFontAction = addMenuAction(viewMenu, "small font(&S)", nullptr, &TextEdit::zoomOut);
    viewMenu->addSeparator();
    wrapAction = viewMenu->addAction(eucLabel("word wrap(&W)"));
    wrapAction->setCheckable(true);
    wrapAction->setChecked(s.Wrap);
    connect(wrapAction, &QAction::toggled, this, &TextEdit::setWordWrap);
    autoIndentAction = viewMenu->addAction(eucLabel("auto indent(&U)"));
    autoIndentAction->setCheckable(true);
    autoIndentAction->setChecked(s.AutoIndent);
    connect(autoIndentAction, &QAction::toggled, this, &TextEdit::setAutoIndent);
    viewMenu->addSeparator();
    addMenuAction(viewMenu, "clip board(&H)", "Ctrl+H", &TextEdit::show_clipboard);
    addMenuAction(viewMenu, "char count(&I)", "Ctrl+I", &TextEdit::countCharacter);
    viewMenu->addSeparator();
    QMenu* optionMenu = viewMenu->addMenu(eucLabel("option(&O)"));
    const char* options[] = {"view(&O)...", "func(&P)...", "color(&C)...", "idiom(&W)...", "special key(&K)..."};
    for (int id = 0; id < 5; ++id)
        connect(optionMenu->addAction(eucLabel(options[id])), &QAction::triggered, this, [this, id] { optionProcNum(id); });
    viewMenu->addSeparator();
    addMenuAction(viewMenu, "about(&A)...", nullptr, &TextEdit::aboutMessage);

    if (s.CtrlUpSelect)
        addAccel(QKeySequence(Qt::CTRL | Qt::Key_Up),
                 s.CtrlUpSelect == 1 ? &TextEdit::editSelectTop : &TextEdit::editSelectMark);
    if (s.CtrlDownSelect)
        addAccel(QKeySequence(Qt::CTRL | Qt::Key_Down),
                 s.CtrlDownSelect == 1 ? &TextEdit::editSelectBottom : &TextEdit::editSelectMark);
    deviceKeys.insert(KeyZoomOut, &TextEdit::zoomOut);
    deviceKeys.insert(KeyZoomIn, &TextEdit::zoomIn);
}

void TextEdit::buildSearchBar()
{
    searchBar = new QPEToolBar(this);
    searchBar->setObjectName(QStringLiteral("Search"));
    searchBar->setWindowTitle(QStringLiteral("Search"));
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, searchBar);
    searchCombo = new QComboBox(searchBar);
    searchCombo->setEditable(true);
    searchCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    searchBar->addWidget(searchCombo);
    if (m_settings.IncrementalSearch && (m_settings.CaseSensitive & 1) == 0)
        connect(searchCombo, &QComboBox::editTextChanged, this, &TextEdit::search);
    setUpSearchBox();

    addAccel(QKeySequence(Qt::CTRL | Qt::Key_U), &TextEdit::undoProc);
    addAccel(QKeySequence(Qt::CTRL | Qt::Key_Q), &TextEdit::redoProc);
    addAccel(QKeySequence(Qt::CTRL | Qt::Key_W), &TextEdit::idiomListBox);
    for (int i = 0; i < 9; ++i) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), this);
        connect(shortcut, &QShortcut::activated, this, [this, i] { idiomNumber(i); });
    }
    addAccel(QKeySequence(Qt::Key_Tab), &TextEdit::tabIndent);
    addAccel(QKeySequence(Qt::SHIFT | Qt::Key_Backtab), &TextEdit::shiftTabIndent);

    QAction* close = searchBar->addAction(QIcon(Resource::loadPixmap(QStringLiteral("close"))), eucLabel("Close Find"));
    connect(close, &QAction::triggered, this, &TextEdit::findClose);
    searchBar->hide();
}

void TextEdit::setShortCutKey(bool on)
{
    m_settings.ShortCutKey = on;
    fileMenuAction->setText(eucLabel(on ? "&File" : "File"));
    editMenuAction->setText(eucLabel(on ? "&Edit" : "Edit"));
    viewMenuAction->setText(eucLabel(on ? "&View" : "View"));
}

void TextEdit::rebuildHistoryMenu()
{
    for (QAction*& action : historyActions) {
        delete action;
        action = nullptr;
    }
    const ListLastFile& history = m_settings.history;
    for (int i = 0; i < ListLastFile::Count; ++i) {
        if (!history.isValid(i))
            continue;
        QString label = QFileInfo(history.path(i)).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
        label += QStringLiteral("(&%1)").arg(i + 1);
        historyActions[i] = fileMenu->addAction(label);
        historyActions[i]->setData(i);
        connect(historyActions[i], &QAction::triggered, this, [this, i] { openLastFile(i); });
    }
}

void TextEdit::optionSpecialKey(bool on)
{
    const SpecialKey& k = m_settings.specialKey;
    const int keys[10][2] = {
        {(Qt::CTRL | Qt::Key_Return).toCombined(), k.ctrlEnter}, {(Qt::CTRL | Qt::Key_Space).toCombined(), k.ctrlSpace},
        {(Qt::SHIFT | Qt::Key_Return).toCombined(), k.shiftEnter}, {(Qt::SHIFT | Qt::Key_Space).toCombined(), k.shiftSpace},
        {KeyFnN, k.fnN}, {KeyFnM, k.fnM}, {KeyFnO, k.fnO}, {KeyFnP, k.fnP}, {KeyFnA, k.fnA}, {KeyFnS, k.fnS},
    };
    for (const auto& key : keys)
        setSpecialKey(on, key[0], key[1]);
}

void TextEdit::setSpecialKey(bool on, int key, int function)
{
    using Slot = void (TextEdit::*)();
    static const Slot commands[] = {
        nullptr, &TextEdit::inputHalfSpace, &TextEdit::selectWords, &TextEdit::redoProc, &TextEdit::undoProc,
        &TextEdit::editRemove, &TextEdit::editDuplicate, &TextEdit::editFind, &TextEdit::findNext,
        &TextEdit::replaceProc, &TextEdit::insertDateTime, &TextEdit::idiomListBox, &TextEdit::insertFullPath,
        &TextEdit::editFindPrev, &TextEdit::findPrev, &TextEdit::fileMenuSave, &TextEdit::fileMenuSaveAs,
    };
    const bool deviceKey = key >= KeyFnO && key <= KeyFnM;
    delete specialKeys.take(key);
    deviceKeys.remove(key);
    if (!on || function < 1 || function > 16)
        return;
    if (deviceKey) {
        deviceKeys.insert(key, commands[function]);
        return;
    }
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    connect(shortcut, &QShortcut::activated, this, commands[function]);
    specialKeys.insert(key, shortcut);
}

void TextEdit::keyPressEvent(QKeyEvent* event)
{
    const auto slot = event->text().isEmpty() ? deviceKeys.value(event->key()) : nullptr;
    if (!slot) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    (this->*slot)();
    event->accept();
}
