#include "filedialog.h"

#include "document.h"
#include "eucjplabel.h"
#include "rawpath.h"

#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStatusBar>

#include <algorithm>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace {
struct Entry
{
    QByteArray raw;
    QString name;
    bool folder;
};

// Folders, files and hidden entries, as QDir lists them with Dirs | Files | Hidden:
// a link counts as what it points at, and whatever is neither a folder nor a file
// (a pipe, a device, a dangling link) is left out.
bool readFolder(const QByteArray& absolutePath, std::vector<Entry>& entries)
{
    DIR* d = ::opendir(absolutePath.constData());
    if (!d)
        return false;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray raw(e->d_name);
        struct stat st {};
        if (::stat(RawPath::join(absolutePath, raw).constData(), &st) != 0)
            continue;
        if (!S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode))
            continue;
        entries.push_back({raw, RawPath::display(raw), S_ISDIR(st.st_mode)});
    }
    ::closedir(d);
    // By name, case-sensitive, folders first.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.folder != b.folder)
            return a.folder;
        const int c = a.name.compare(b.name, Qt::CaseSensitive);
        return c != 0 ? c < 0 : a.raw < b.raw;
    });
    return true;
}
} // namespace

bool FileDialog::setList(const QString& path)
{
    return listFolder(RawPath::fromString(path));
}

bool FileDialog::listFolder(const QByteArray& path)
{
    const QByteArray absolutePath = RawPath::absolute(path);
    std::vector<Entry> entries;
    if (!readFolder(absolutePath, entries))
        return false;
    dir = absolutePath;
    listBox->clear();
    for (const Entry& entry : entries) {
        auto* item = entry.folder ? new QListWidgetItem(folderIcon, entry.name) : new QListWidgetItem(entry.name);
        item->setData(Qt::UserRole, entry.raw);
        listBox->addItem(item);
    }
    const QString shown = RawPath::display(path);
    if (pathEdit)
        pathEdit->setText(shown);
    else if (statusBar2)
        statusBar2->showMessage(shown);
    else
        statusBar->showMessage(shown);
    return true;
}

bool FileDialog::listStart(const QString& folder)
{
    return (!folder.isEmpty() && setList(folder)) || setList(QString::fromLatin1(TextFolder))
        || setList(QDir::homePath());
}

QString FileDialog::shownPath() const
{
    if (pathEdit)
        return pathEdit->text();
    return (statusBar2 ? statusBar2 : statusBar)->currentMessage();
}

void FileDialog::setName(const QString& name)
{
    if (nameEdit)
        nameEdit->setText(name);
}

void FileDialog::changeList()
{
    const QByteArray name = selectedName();
    if (name.isEmpty() || name == ".")
        return;
    if (name == "..") {
        cd_up();
        return;
    }
    const QByteArray path = RawPath::join(dir, name);
    if (RawPath::isFolder(path)) {
        listFolder(path);
        return;
    }
    if (!nameEdit)
        return;
    const QString text = listBox->currentItem()->text();
    if (nameEdit->text() == text)
        fileSelected();
    else
        nameEdit->setText(text);
}

void FileDialog::fileSelected()
{
    accept();
}

void FileDialog::accept()
{
    if (nameEdit && nameEdit->text().isEmpty())
        return;
    QDialog::accept();
}

QString FileDialog::getAbsSelectedFileName() const
{
    return RawPath::display(RawPath::join(dir, RawPath::fromString(nameEdit ? nameEdit->text() : QString())));
}

QString FileDialog::getSelectedFileName() const
{
    const QListWidgetItem* item = listBox->currentItem();
    return item ? item->text() : QString();
}

QString FileDialog::getSelectFilePath() const
{
    return RawPath::display(selectedPath());
}

QString FileDialog::getAbsSelectedPath() const
{
    return RawPath::display(dir);
}

QByteArray FileDialog::selectedName() const
{
    const QListWidgetItem* item = listBox->currentItem();
    return item ? item->data(Qt::UserRole).toByteArray() : QByteArray();
}

QByteArray FileDialog::selectedPath() const
{
    return RawPath::join(dir, selectedName());
}

void FileDialog::setUserDir(const QString& u, const QString& j)
{
    userDirU = u;
    userDirJ = j;
}

void FileDialog::jumpTo(const char* path)
{
    setList(QString::fromLatin1(path));
}

void FileDialog::cd_up()
{
    listFolder(RawPath::parent(dir));
}

void FileDialog::cd_root()
{
    jumpTo("/");
    listBox->setFocus();
}

void FileDialog::cd_mnt() { jumpTo("/var/mnt"); }
void FileDialog::cd_card() { jumpTo("/var/mnt/card"); }
void FileDialog::cd_cf() { jumpTo("/var/mnt/cf"); }
void FileDialog::cd_home() { jumpTo("/home"); }
void FileDialog::cd_tarvik() { jumpTo("/home/tarvik"); }
void FileDialog::cd_qt() { jumpTo("/home/QtPalmtop"); }
void FileDialog::cd_text() { jumpTo(TextFolder); }
void FileDialog::cd_user_U() { setList(userDirU); }
void FileDialog::cd_user_J() { setList(userDirJ); }

void FileDialog::inputFileName()
{
    if (!nameEdit)
        return;
    QString name = Document::nameFromText(line1Text, 64);
    if (appendFileExtension)
        name += QStringLiteral(".txt");
    nameEdit->insert(name);
    nameEdit->setFocus();
}

void FileDialog::inputDateTime()
{
    if (!nameEdit)
        return;
    const QDate today = QDate::currentDate();
    nameEdit->insert(QString::asprintf("%04d%02d%02d", today.year(), today.month(), today.day()));
    nameEdit->setFocus();
}

void FileDialog::help_menu()
{
    QMessageBox::information(this, eucLabel("Filer Help"),
                             eucLabel("Ctrl(Shift)Jump to\n"
                                      "Ctrl+R : root\n"
                                      "Ctrl+H : /home\n"
                                      "Ctrl+Q : /home/QtPalmtop\n"
                                      "Ctrl+Z : /home/tarvik\n"
                                      "Ctrl+T : /home/tarvik/Documents/Text_Files\n"
                                      "Ctrl+S : /var/mnt/card (SD Card)\n"
                                      "Ctrl+U : /var/mnt/card/Documents (SD Card)\n"
                                      "Ctrl+F : /var/mnt/cf (CF Card)\n"
                                      "Ctrl+J : /var/mnt/cf/Documents (CF Card)\n"
                                      "\n"
                                      "Push Button\n"
                                      "[m]    : /var/mnt\n"
                                      "[h]    : /home\n"
                                      "[t]    : /home/tarvik/Documents/Text_Files"));
}
