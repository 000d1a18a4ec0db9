#pragma once

#include "funcoptions.h"
#include "listlastfile.h"
#include "specialkey.h"
#include "userfileinfo.h"
#include "viewoptions.h"

#include <QByteArray>
#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <memory>

class DocLnk;
class QAction;
class QComboBox;
class QMenu;
class QShortcut;
class QStackedWidget;
class QTextCodec;
class QTimer;
class QToolBar;
class QpeEditor;
class QPEMenuBar;

// The editor's main window: documents, menus, settings and history.
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
    const DocLnk* document() const { return doc.get(); }
    const ListLastFile& lastFiles() const { return history; }
    bool isNewDocument() const { return isNewDoc; }
    bool appendFileExtension() const { return AppendFileExtension; }
    QString getLine1Text() const;

    // The start-up form "program FILE LINE": opens FILE with the cursor on the 0-based LINE.
    void startWith(const QStringList& arguments);
    void openThisFile(const QString& path);
    void openFile(const QString& path);
    bool save();
    void clear();
    void updateCaption(const QString& name = QString());
    void setLastFile();
    void wrap_this();
    void jump_to(int line);
    void setFontSize(int size, bool down);

    void writeConf();
    void writeConf2();

    // Results of the option dialogs, applied to the running editor.
    ViewOptions viewOptions() const;
    void applyViewOptions(const ViewOptions& options);
    FuncOptions funcOptions() const;
    void applyFuncOptions(const FuncOptions& options);
    // Records 0 to 5 (text files and the five user types).
    QList<UserFileInfo> colorOptions() const;
    void applyColorOptions(const QList<UserFileInfo>& records);
    QStringList idioms() const;
    void applyIdioms(const QStringList& idioms);
    SpecialKey specialKey() const { return m_specialKey; }
    void applySpecialKey(const SpecialKey& keys);

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
    void openFile(const DocLnk& link);
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

private:
    // Settings (textedit_settings.cpp).
    void readConf();
    void readConf2();
    void rebuildHistoryMenu();
    // Menus and tool bars (textedit_menus.cpp).
    void buildMenus();
    void buildSearchBar();
    QAction* addMenuAction(QMenu* menu, const char* label, const char* key, void (TextEdit::*slot)());
    void addIcon(QAction* action, const QString& iconName, bool onToolBar);
    void addAccel(const QKeySequence& key, void (TextEdit::*slot)());
    void createEditor();
    // Documents (textedit_documents.cpp).
    QString untitledName(const QString& text) const;
    // Opens recent file i at its cursor and background colour.
    void reopen(int i);
    bool confirmUnencodable(const QString& text);
    bool confirmInvalidSequences();
    QString fileDialogStartDir() const;
    void setUpdateCellWidth();

    QString m_appName;
    std::unique_ptr<DocLnk> doc;
    bool isNewDoc = false;
    QString fileExt;
    QString startDir;
    ListLastFile history;

    // Per-document encoding state.
    int docCodec = 2;
    QTextCodec* codec = nullptr;
    bool crOnly = false;
    qint64 fileSize = 0;
    // Byte sequences of the opened file that could not be read in docCodec.
    int invalidOnOpen = 0;

    // Group "View" of the first settings file.
    int FontSize = 10;
    bool Wrap = false;
    int WrapMethod = 0;
    bool AutoIndent = false;
    int CursorWord = 1;
    bool MoveCursor = true;
    int WinDateForm = 0;
    bool ShortCutKey = true;
    int BackColor = 0;
    int TextColor = 0;
    int CursorDraw = 0;
    int CursorColor2 = 0;
    int CursorColor = 0;
    int CursorWidth = 2;
    int SelectedColor = 0;
    int VerticalLine = 0;
    int ScrollBarDisp = 0;
    int AppendCRCode = 0;
    int CaseSensitive = 0;
    bool IncrementalSearch = true;
    int TabLength = 8;
    int InputCodec = 0;
    int OutputCodec = 0;
    int LineNumber = 0;
    bool LineNumberCr = false;
    int CRMarkDisp = 0;
    bool IconNew = false;
    bool IconOpen = true;
    bool IconSave = true;
    bool IconCut = true;
    bool IconCopy = true;
    bool IconPaste = true;
    bool IconFind = true;
    bool IconNFind = false;
    int AutoSave = 0;
    QString AutoSaveDir;
    bool SmallSaveDialog = false;
    bool OKisEnter = false;
    int CtrlUpSelect = 0;
    int CtrlDownSelect = 0;
    bool AppendFileExtension = false;
    bool SeparateKanaKanji = false;
    QString IconNewName;
    QString IconOpenName;
    QString IconSaveName;
    QString IconCutName;
    QString IconCopyName;
    QString IconPasteName;
    QString IconFindName;
    QString IconNFindName;
    QString UserJumpU;
    QString UserJumpJ;
    bool SaveFastUTF8 = false;
    bool DefCutAndCopy = false;
    bool MarkPosToggle = false;
    QString FontFamilyName;
    QStringList SearchWords; // ten, most recent first

    // The second settings file.
    UserFileInfo fileInfo[7];
    QStringList userExt[6]; // split extensions of types 1 to 5
    QStringList idiom;       // nine
    SpecialKey m_specialKey;

    // Search state.
    bool searchBarShown = false;

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
    QTimer* autoSaveTimer = nullptr;
};
