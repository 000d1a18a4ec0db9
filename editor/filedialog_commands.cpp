#include "filedialog.h"

#include "eucjplabel.h"
#include "nameinputdialog.h"
#include "rawpath.h"
#include "safecopy.h"

#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The boxes show file names, which may look like markup: always as plain text.
void showPlain(QMessageBox::Icon icon, QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// A warning with OK and Cancel, Cancel being the default and the escape: true for OK.
bool askOk(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, eucLabel("VElino"), text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* ok = box.addButton(eucLabel("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(eucLabel("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

// The lines are laid out with spaces and must not wrap: on a small screen a message
// box would wrap anything wider than half the screen.
void inform(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Information, eucLabel("VElino"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        int widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(widest);
    }
    box.exec();
}

void warn(QWidget* parent, const QString& text)
{
    showPlain(QMessageBox::Warning, parent, eucLabel("VElino"), text);
}

void fail(QWidget* parent, const char* caption, const QByteArray& path)
{
    showPlain(QMessageBox::Critical, parent, eucLabel(caption), RawPath::display(path));
}

QDateTime modified(const QByteArray& path)
{
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        ::lstat(path.constData(), &st);
    return QDateTime::fromSecsSinceEpoch(st.st_mtime);
}

QString dateAndTime(const QDateTime& t)
{
    return QString::asprintf("%04d.%02d.%02d %02d:%02d", t.date().year(), t.date().month(), t.date().day(),
                             t.time().hour(), t.time().minute());
}

// A name that only differs in case on a card's file system finds the file itself;
// a second hard link of the file is another name all the same.
bool takenByOther(const QByteArray& from, const QByteArray& to)
{
    struct stat a {};
    struct stat b {};
    if (::lstat(to.constData(), &b) != 0)
        return false;
    return ::lstat(from.constData(), &a) != 0 || a.st_dev != b.st_dev || a.st_ino != b.st_ino || b.st_nlink > 1;
}

// Never replaces a file that appeared since the check.
bool renameNoReplace(const QByteArray& from, const QByteArray& to, bool toIsItself)
{
    if (!toIsItself) {
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno != EINVAL && errno != ENOSYS)
            return false;
    }
    return ::rename(from.constData(), to.constData()) == 0;
}
} // namespace

void FileDialog::messageFileSelect()
{
    warn(this, eucLabel("Please choose the file"));
}

bool FileDialog::checkSelection(bool foldersAllowed)
{
    const QByteArray name = selectedName();
    if (name.isEmpty() || name == "." || name == ".." || (!foldersAllowed && RawPath::isFolder(selectedPath()))) {
        messageFileSelect();
        return false;
    }
    return true;
}

void FileDialog::removeSelectedEntry()
{
    delete listBox->takeItem(listBox->currentRow());
    listBox->setFocus();
}

void FileDialog::selectEntry(const QByteArray& name)
{
    for (int i = 0; i < listBox->count(); ++i) {
        if (listBox->item(i)->data(Qt::UserRole).toByteArray() == name) {
            listBox->setCurrentRow(i);
            break;
        }
    }
    listBox->setFocus();
}

void FileDialog::fileInformation()
{
    const QByteArray name = selectedName();
    if (name.isEmpty()) {
        messageFileSelect();
        return;
    }
    const QByteArray path = name == "." ? dir : name == ".." ? RawPath::parent(dir) : selectedPath();
    struct stat target {};
    struct stat link {};
    const bool linkFound = ::lstat(path.constData(), &link) == 0;
    const bool targetFound = ::stat(path.constData(), &target) == 0;
    if (!linkFound) {
        fail(this, "Error : open", path);
        return;
    }
    const struct stat& st = targetFound ? target : link;
    static const char* const kinds[] = {"file", "directory", "symboliclink", "???"};
    const int kind = targetFound && S_ISDIR(target.st_mode) ? 1
        : S_ISLNK(link.st_mode)                             ? 2
        : targetFound && S_ISREG(target.st_mode)            ? 0
                                                            : 3;
    const auto mark = [&path](int how) { return ::access(path.constData(), how) == 0 ? " o" : " x"; };
    const QDateTime t = QDateTime::fromSecsSinceEpoch(st.st_mtime);
    const QString text = RawPath::display(name)
        + eucLabel(qPrintable(QString::asprintf(
            "\nlast update %04d.%02d.%02d\n             %02d:%02d:%02d\nFile Size   %8lld\n", t.date().year(),
            t.date().month(), t.date().day(), t.time().hour(), t.time().minute(), t.time().second(),
            static_cast<long long>(st.st_size))))
        + eucLabel("File Type   ") + eucLabel(kinds[kind]) + eucLabel("\naccess mode  read ") + eucLabel(mark(R_OK))
        + eucLabel("\n             write ") + eucLabel(mark(W_OK)) + eucLabel("\n             execute ")
        + eucLabel(mark(X_OK));
    inform(this, text);
}

void FileDialog::fileRename()
{
    if (!checkSelection(false))
        return;
    const QByteArray oldName = selectedName();
    NameInputDialog input(this, "nameinput", true, {}, false);
    input.setOldStr(RawPath::display(oldName));
    if (input.exec() != QDialog::Accepted)
        return;
    const QByteArray newName = RawPath::fromString(input.name());
    if (newName == oldName)
        return;
    const QByteArray from = RawPath::join(dir, oldName);
    const QByteArray to = RawPath::join(dir, newName);
    if (takenByOther(from, to)) {
        warn(this, input.name() + eucLabel("\nThe file name already exists.\nCan not change."));
        return;
    }
    if (!renameNoReplace(from, to, RawPath::exists(to))) {
        fail(this, " Error : rename file", to);
        return;
    }
    listFolder(dir);
    selectEntry(newName);
}

void FileDialog::fileCopy()
{
    fileCopyOrMove(CopyTo);
}

void FileDialog::fileMove()
{
    if (fileCopyOrMove(MoveTo))
        removeSelectedEntry();
}

bool FileDialog::fileCopyOrMove(int m)
{
    if (!checkSelection(false))
        return false;
    const QByteArray name = selectedName();
    FileDialog target(this, "toselector", true, {}, m, false);
    target.setUserDir(userDirU, userDirJ);
    target.listFolder(dir);
    if (target.exec() != QDialog::Accepted || target.dir == dir)
        return false;
    const QByteArray from = RawPath::join(dir, name);
    const QByteArray to = RawPath::join(target.dir, name);
    const char* verb = m == CopyTo ? "Copy" : "Move";
    // Through a linked folder, a bind mount or a second hard link the target is the
    // source itself: copying would rewrite it and a move would then delete it.
    if (RawPath::sameFile(from, to)) {
        warn(this, RawPath::display(name) + eucLabel("\nThe target is the same file.\nCan not ")
                 + eucLabel(verb).toLower() + QLatin1Char('.'));
        return false;
    }
    if (RawPath::exists(to)) {
        const QString question = RawPath::display(name) + QLatin1Char('\n') + eucLabel(verb)
            + eucLabel("The same file exists.\nfrom file ") + dateAndTime(modified(from)) + eucLabel("\nto file ")
            + dateAndTime(modified(to)) + eucLabel("\nMay it overwrite?");
        if (!askOk(this, question))
            return false;
    }
    if (!copyFile(from, to))
        return false;
    if (m == MoveTo && ::unlink(from.constData()) != 0) {
        fail(this, "Error : remove file", from);
        return false;
    }
    return true;
}

bool FileDialog::copyFile(const QByteArray& from, const QByteArray& to)
{
    switch (SafeCopy::copy(from, to)) {
    case SafeCopy::Done:
        return true;
    case SafeCopy::SourceNotOpened:
        fail(this, "Error : open", from);
        break;
    case SafeCopy::TargetNotOpened:
        fail(this, "Error : open", to);
        break;
    case SafeCopy::ReadFailed:
        fail(this, "Error : read", from);
        break;
    case SafeCopy::WriteFailed:
        fail(this, "Error : write", to);
        break;
    }
    return false;
}

void FileDialog::makeDirectory()
{
    NameInputDialog input(this, "nameinput", true, {}, true);
    if (input.exec() != QDialog::Accepted)
        return;
    const QByteArray name = RawPath::fromString(input.name());
    const QByteArray path = RawPath::join(dir, name);
    if (RawPath::exists(path)) {
        warn(this, input.name() + eucLabel("\nThe directory name already exists.\nCan not create."));
        return;
    }
    if (::mkdir(path.constData(), 0777) != 0) {
        fail(this, " Error : make dir", name);
        return;
    }
    listFolder(dir);
    selectEntry(name);
}

void FileDialog::fileDelete()
{
    if (!checkSelection(true))
        return;
    const QByteArray path = selectedPath();
    if (!askOk(this, RawPath::display(path) + eucLabel("\ndelete?")))
        return;
    // A link to a folder is removed as the link it is; its folder stays.
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
        if (::rmdir(path.constData()) != 0) {
            fail(this, "Error : remove dir", path);
            return;
        }
    } else if (::unlink(path.constData()) != 0) {
        fail(this, "Error : remove file", path);
        return;
    }
    removeSelectedEntry();
}
