#pragma once

#include <QByteArray>
#include <QDialog>
#include <QElapsedTimer>
#include <QIcon>
#include <QString>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QStatusBar;
class QPEMenuBar;

// The editor's own file dialog: one folder at a time, jump keys to the device's
// usual folders. Mode 0 opens, 1 saves, 2 is the simple filer, 3 and 4 choose
// the folder a filer copies or moves to.
class FileDialog : public QDialog
{
    Q_OBJECT
public:
    enum Mode { Open = 0, Save = 1, Filer = 2, CopyTo = 3, MoveTo = 4 };

    FileDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f, int mode, bool smallSave);

    void setUserDir(const QString& u, const QString& j);
    // What the save mode proposes names from: the text's first line and whether ".txt" is appended.
    void setLine1Text(const QString& text) { line1Text = text; }
    void setAppendFileExtension(bool on) { appendFileExtension = on; }

    // False, with nothing changed, when the folder cannot be read.
    bool setList(const QString& path);
    // The same for a path in the file system's bytes (RawPath); shown as given.
    bool listFolder(const QByteArray& path);
    // The start folder, else the text folder, else the user's home folder.
    bool listStart(const QString& folder);
    void setName(const QString& name);

    QString getAbsSelectedFileName() const;
    QString getSelectedFileName() const;
    QString getSelectFilePath() const;
    QString getAbsSelectedPath() const;

    int mode() const { return m_mode; }
    bool isLarge() const { return large; }
    int getOwnerWidth() const { return ownerWidth; }
    QListWidget* list() const { return listBox; }
    QLineEdit* nameField() const { return nameEdit; }
    // The folder line: the path edit of the filer, else the status line that shows it.
    QString shownPath() const;

    static const char* const TextFolder;

public slots:
    void accept() override;
    void changeList();
    void fileSelected();
    void cd_up();
    void cd_root();
    void cd_mnt();
    void cd_card();
    void cd_cf();
    void cd_home();
    void cd_tarvik();
    void cd_qt();
    void cd_text();
    void cd_user_U();
    void cd_user_J();
    void inputFileName();
    void inputDateTime();
    void help_menu();

    // The simple filer's commands (filedialog_commands.cpp).
    void fileInformation();
    void fileRename();
    void fileCopy();
    void fileMove();
    bool fileCopyOrMove(int m);
    void makeDirectory();
    void fileDelete();
    bool copyFile(const QByteArray& from, const QByteArray& to);
    void messageFileSelect();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (filedialog.cpp).
    void placeChildren(bool smallSave);
    void buildFileMenu();
    void bindKeys();
    void jumpTo(const char* path);

    // The current entry's name in the file system's bytes, empty when there is none.
    QByteArray selectedName() const;
    QByteArray selectedPath() const;
    // Shows "Please choose the file" unless the current entry is a file (or, with
    // folders allowed, a folder); "." and ".." never pass.
    bool checkSelection(bool foldersAllowed);
    // Takes the current entry out of the list and gives the list the focus.
    void removeSelectedEntry();
    // Makes the entry of this name current and gives the list the focus.
    void selectEntry(const QByteArray& name);

    bool large = false;
    int ownerWidth = 0;
    int ownerHeight = 0;
    QWidget* owner = nullptr;
    QListWidget* listBox = nullptr;
    QLineEdit* nameEdit = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* mntButton = nullptr;
    QPushButton* homeButton = nullptr;
    QPushButton* textButton = nullptr;
    QPushButton* topButton = nullptr;
    QPushButton* dateButton = nullptr;
    QStatusBar* statusBar = nullptr;
    QStatusBar* statusBar2 = nullptr;
    QLineEdit* pathEdit = nullptr;
    // The listed folder: absolute, in the file system's bytes.
    QByteArray dir;
    int m_mode = Open;
    QString userDirU;
    QString userDirJ;
    QPEMenuBar* menuBar = nullptr;
    QMenu* fileMenu = nullptr;
    int dialogWidth = 0;
    int dialogHeight = 0;

    QString line1Text;
    bool appendFileExtension = false;
    QIcon folderIcon;
    // Started when a tap replaced the listing.
    QElapsedTimer listedByTap;
};
