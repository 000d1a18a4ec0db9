#include "frmfilename.h"

#include "kxscreen.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Any entry takes a name, a dangling symbolic link too.
bool taken(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

// Renames without ever replacing an entry that took the new name since it was checked.
bool renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return false;
    // A file system that cannot: a second name for the entry, which fails on a taken
    // name, and then the old name goes.
    if (::link(from.constData(), to.constData()) == 0) {
        if (::unlink(from.constData()) == 0)
            return true;
        ::unlink(to.constData());
        return false;
    }
    if (errno == EEXIST)
        return false;
    // No second names here (folders, memory cards): checked just before.
    if (taken(to)) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.constData(), to.constData()) == 0;
}

} // namespace

frmFilename::frmFilename(QWidget* parent, int mode, const QString& dir, const QString& name)
    : QDialog(parent), mode(mode), dirPath(dir), oldName(mode <= 1 ? calcNameSameDir(dir, name) : name)
{
    setModal(true);
    static const char* const captions[] = {QT_TR_NOOP("Create new folder"), QT_TR_NOOP("Create new text document"),
                                           QT_TR_NOOP("Rename"), QT_TR_NOOP("Rename")};
    static const char* const prompts[] = {
        QT_TR_NOOP("Please input a folder name."), QT_TR_NOOP("Please input a file name."),
        QT_TR_NOOP("Please input the folder name after change."), QT_TR_NOOP("Please input the file name after change.")};
    const int m = qBound(0, mode, 3);
    setWindowTitle(tr(captions[m]));

    const int room = kxScreenRoom(parent) - 2 * 10;
    layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    labelPrompt = new QLabel(tr(prompts[m]), this);
    labelPrompt->setWordWrap(true);
    layout->addWidget(labelPrompt);
    editName = new QLineEdit(oldName, this);
    editName->setFixedWidth(kxFitWidth(350, room));
    editName->selectAll();
    layout->addWidget(editName);
    buttonLayout = new QHBoxLayout;
    buttonLayout->setSpacing(10);
    btnExecute = new QPushButton(tr("Execute"), this);
    btnCancel = new QPushButton(tr("Cancel"), this);
    for (QPushButton* button : {btnExecute, btnCancel}) {
        kxFixButtonSize(button, 120, 28, (room - 10) / 2);
        buttonLayout->addWidget(button);
    }
    btnExecute->setDefault(true);
    layout->addLayout(buttonLayout);
    connect(btnExecute, &QPushButton::clicked, this, &frmFilename::accept);
    connect(btnCancel, &QPushButton::clicked, this, &frmFilename::reject);
}

QString frmFilename::text() const
{
    return editName->text();
}

QString frmFilename::calcNameSameDir(const QString& dir, const QString& name)
{
    const QFileInfo info(name);
    const QString base = info.baseName();
    const QString ext = info.completeSuffix().isEmpty() ? QString() : QLatin1Char('.') + info.completeSuffix();
    QString candidate = name;
    for (int n = 2; taken(QFile::encodeName(dir + candidate)) && n < 10000; ++n)
        candidate = base + QLatin1Char('(') + QString::number(n) + QLatin1Char(')') + ext;
    return candidate;
}

void frmFilename::error(const QString& title, const QString& text)
{
    QMessageBox::critical(this, title, text);
}

void frmFilename::accept()
{
    const QString name = editName->text();
    const QString inputError = QStringLiteral("入力エラー");
    if (name.isEmpty())
        return error(inputError, QStringLiteral("オブジェクト名を入力してください。"));
    // A name is one component of a path: no slash, and no NUL, which ends a path.
    static const QString forbidden = QStringLiteral("/\\:,;*?\"<>|");
    for (const QChar c : name) {
        if (forbidden.contains(c) || c.isNull())
            return error(inputError, QStringLiteral("次の文字は使用できません。\n\\ / : , ; * ? \" < > |"));
    }
    const QByteArray dir = QFile::encodeName(dirPath);
    const QByteArray bytes = QFile::encodeName(name);
    const long maxName = ::pathconf(dir.constData(), _PC_NAME_MAX);
    if (bytes.size() > (maxName > 0 ? maxName : 255))
        return error(inputError, QStringLiteral("名前が長すぎます。"));
    if (name == QLatin1String(".") || name == QLatin1String("..") || taken(dir + bytes))
        return error(inputError, QStringLiteral("その名前のオブジェクトは既に存在します。"));
    if (!perform(name))
        return;
    resultCode = 1;
    QDialog::accept();
}

bool frmFilename::perform(const QString& name)
{
    const QByteArray path = QFile::encodeName(dirPath + name);
    switch (mode) {
    case 0:
        if (::mkdir(path.constData(), 0777) == 0)
            return true;
        error(QStringLiteral("作成エラー"), QStringLiteral("フォルダ作成時にエラーが発生しました。"));
        return false;
    case 1: {
        // Never opens what took the name meanwhile, nor a link's target.
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            error(QStringLiteral("作成エラー"), QStringLiteral("ファイル作成時にエラーが発生しました。\nnot open"));
            return false;
        }
        if (::close(fd) != 0) {
            error(QStringLiteral("作成エラー"), QStringLiteral("ファイル作成時にエラーが発生しました。\nnot close"));
            return false;
        }
        return true;
    }
    default:
        if (renameNoReplace(QFile::encodeName(dirPath + oldName), path))
            return true;
        error(QStringLiteral("名前変更エラー"), QStringLiteral("名前変更時にエラーが発生しました。\nQDir::rename()"));
        return false;
    }
}
