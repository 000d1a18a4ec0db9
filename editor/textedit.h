#pragma once

#include "editorsettings.h"
#include "textloader.h"

#include <QByteArray>
#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <memory>

class DocLnk;
class Document;
class FileDialog;
class QAction;
class QComboBox;
class QDateTime;
class QMenu;
class QShortcut;
class QStackedWidget;
class QTextCodec;
class QTimer;
class QToolBar;
class QpeEditor;
class QPEMenuBar;

// The editor's main window: its menus, tool bars and dialogs, and the commands
// they run on the current document and the editing widget.
class TextEdit : public QMainWindow
{
    Q_OBJECT
public:
    explicit TextEdit(const QString& name, QWidget* parent = nullptr, const char* widgetName = nullptr,
                      Qt::WindowFlags flags = {});
    ~TextEdit() override;

    // The program's name from its path: a leading "ve" becomes "VE" (velino runs as "VElino").
    static QString appNameFor(const QString& programPath);

    QpeEditor* editor() const { return m_editor; }
    QString appName() const { return m_appName; }
    // Null between clearing one document and making the next.
    const Document* document() const { return doc.get(); }
    const EditorSettings& settings() const { return m_settings; }
    // The keyword-colouring file type 0 to 6 of the current document.
    int fileType() const { return FileType; }
    QString getLine1Text() const;

    // The start-up form "program FILE LINE": opens FILE with the cursor on the 0-based LINE.
    void startWith(const QStringList& arguments);
    // False when the reading was stopped: the document open before stays.
    bool openThisFile(const QString& path);
    bool openFile(const QString& path);
    bool save();
    void clear();
    void updateCaption(const QString& name = QString());
    void setLastFile();
    void wrap_this();
    void jump_to(int line);
    void setFontSize(int size, bool down);
    // The current date and time in the form WinDateForm chooses.
    QString getDateTime() const;
    // A date and time in one of the forms 0 to 10 and 19; other forms are form 0.
    static QString dateTimeText(int form, const QDateTime& when);

    void writeConf();
    void writeConf2();

    // The option dialogs edit a copy of settings(); each of these applies the
    // values of its dialog from that copy and writes them.
    void applyViewOptions(const EditorSettings& wanted);
    void applyFuncOptions(const EditorSettings& wanted);
    // File-type records 0 to 5.
    void applyColorOptions(const EditorSettings& wanted);
    void applyIdioms(const EditorSettings& wanted);
    void applySpecialKey(const EditorSettings& wanted);

public slots:
    void setDocument(const QString& path);
    void qcop_receive(const QByteArray& message, const QByteArray& data);
    void fileNew();
    void fileRevert();
    void fileOpen();
    void fileSave();
    void fileMenuSave();
    void fileMenuSaveAs();
    void fileMenuFiler();
    void fileClearHistory();
    void openLastFile(int i);
    void reSetCursorPosition();
    void accept();
    void setFileType(const QString& ext);
    void newFile(const DocLnk& link);
    bool openFile(const DocLnk& link);
    void showEditTools();
    int allRight();
    void timerOn();
    void aboutMessage();
    void setBold(bool on);
    void setItalic(bool on);
    QTextCodec* setDoingCodec();

    void setBackColor(int n);
    void setTextColor(int n);
    void setShortCutKey(bool on);
    void optionProcNum(int id);
    void optionProc();
    void optionProc2();
    void optionProc3();
    void optionProc4();
    void optionProc5();

    // Editing commands.
    void editCut();
    void editCopy();
    void editPaste();
    void editDuplicate();
    void editRemove();
    void editSelectAll();
    void editSelectTop();
    void editSelectBottom();
    void editSelectMark();
    void undoProc();
    void redoProc();
    void otherProcNum(int id);
    void tabIndent();
    void shiftTabIndent();
    void changeOverWrite();
    void selectWords();
    void inputHalfSpace();
    void insertDateTime();
    void insertFullPath();
    void idiomListBox();
    void idiomNumber(int i);
    void countCharacter();
    void show_clipboard();
    void zoomIn();
    void zoomOut();
    void setWordWrap(bool on);
    void setAutoIndent(bool on);
    void optionSpecialKey(bool on);
    void setSpecialKey(bool on, int key, int function);

    // Find, replace, jump and mark.
    void editFind();
    void editFindPrev();
    void editFindCommon();
    void search();
    void findNext();
    void findPrev();
    void findClose();
    void replaceProc();
    void jump_top();
    void jump_bottom();
    void jump_number();
    void MarkCursorPos(bool on);
    void jump_markpos();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The device keys (zoom, Fn + letter), which the text widget leaves alone.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Settings (textedit_settings.cpp).
    void readConf();
    void readConf2();
    void applySettings();
    void rebuildHistoryMenu();
    // Menus and tool bars (textedit_menus.cpp).
    void buildMenus();
    void buildSearchBar();
    QAction* addMenuAction(QMenu* menu, const char* label, const char* key, void (TextEdit::*slot)());
    void addIcon(QAction* action, const QString& iconName, bool onToolBar);
    void addAccel(const QKeySequence& key, void (TextEdit::*slot)());
    void createEditor();
    // Documents (textedit_documents.cpp).
    // Opens recent file i at its cursor and background colour.
    bool reopen(int i);
    // Reads next's file with a progress box that Escape or closing the window stops.
    TextLoader::Result readDocument(Document& next, TextBuffer* text);
    bool confirmUnencodable(int count, char32_t first);
    bool confirmInvalidSequences();
    QString fileDialogStartDir() const;
    // Find (textedit_find.cpp).
    void setUpSearchBox();
    // False for an empty word or an invalid regular expression (which is reported).
    bool searchable(const QString& word);
    // The OK key while the search bar is shown: search again and keep the word.
    void acceptSearch();
    // The user folders, and the folder listed first (else the text folder, else home).
    void setUpFileDialog(FileDialog& dialog, const QString& folder) const;
    // Wrapping (textedit_editing.cpp): the width of a fixed-width wrap, made again
    // for the widget's current width; false while the widget is too narrow.
    bool applyFixedWrap();
    void editorResized();

    QString m_appName;
    std::unique_ptr<Document> doc;
    EditorSettings m_settings;
    // The extension of the file last opened or saved; it chooses the file type.
    QString fileExt;
    int FileType = 0;
    // The editor's width when wrapping to a fixed width, -99 otherwise.
    int FrameWidth = -99;
    bool searchBarShown = false;
    // The search box: the word proposed from the cursor, then the history.
    static constexpr int SearchItems = 11;
    // The direction of the last find command.
    bool findBackward = false;
    QString lastOldWord;
    QString lastNewWord;
    QString lastJumpInput;
    // A file is being read; closing stops the reading and closes once it has stopped.
    bool m_loading = false;
    bool m_stopLoading = false;
    bool m_closeAfterLoad = false;
    // A save is asking or reporting; an auto-save tick then waits for the next one.
    bool m_saving = false;

    // User interface.
    QpeEditor* m_editor = nullptr;
    QStackedWidget* editorStack = nullptr;
    QToolBar* menuToolBar = nullptr;
    QPEMenuBar* qpeMenuBar = nullptr;
    QToolBar* iconToolBar = nullptr;
    QToolBar* searchBar = nullptr;
    QComboBox* searchCombo = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* editMenu = nullptr;
    QMenu* viewMenu = nullptr;
    QAction* fileMenuAction = nullptr;
    QAction* editMenuAction = nullptr;
    QAction* viewMenuAction = nullptr;
    QAction* historyActions[ListLastFile::Count] = {};
    QAction* markAction = nullptr;
    QAction* wrapAction = nullptr;
    QAction* autoIndentAction = nullptr;
    QAction* largeFontAction = nullptr;
    QAction* smallFontAction = nullptr;
    QHash<int, QShortcut*> specialKeys;
    QHash<int, void (TextEdit::*)()> deviceKeys;
    QTimer* autoSaveTimer = nullptr;
};
