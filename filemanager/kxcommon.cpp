#include "kxcommon.h"

#include "frmprogress.h"
#include "kxpaths.h"
#include "kxscreen.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <csignal>

#include <dirent.h>
#include <unistd.h>

using namespace kxPath;

namespace {

const int FirstChunk = 1 << 20;

QString sizeLine(qint64 size)
{
    if (size < 2000)
        return QStringLiteral("    %1 バイト\n").arg(size);
    return QStringLiteral("    %1 KB\n").arg(size / 1024 + (size % 1024 ? 1 : 0));
}

QString timeText(const QDateTime& time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    return QString::asprintf("%02d年%02d月%02d日 %02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(),
                             t.minute(), t.second());
}

// A free name: base + mark + ext, then base + mark + "(n)" + ext.
QString freeName(const QString& dir, const QString& name, const QString& mark)
{
    const QFileInfo info(name);
    const QString base = info.baseName();
    const QString ext = info.completeSuffix().isEmpty() ? QString() : QLatin1Char('.') + info.completeSuffix();
    QString candidate = base + mark + ext;
    struct stat st;
    // Any entry takes the name, a dangling symbolic link too.
    for (int n = 2; entryStat(QFile::encodeName(dir + candidate), &st) && n < 10000; ++n)
        candidate = base + mark + QLatin1Char('(') + QString::number(n) + QLatin1Char(')') + ext;
    return candidate;
}

bool sameFolder(const QByteArray& a, const QByteArray& b)
{
    struct stat sa, sb;
    return a == b || (::stat(a.constData(), &sa) == 0 && ::stat(b.constData(), &sb) == 0 && samePlace(sa, sb));
}

} // namespace

kxCommon::kxCommon() : m_chunk(FirstChunk)
{
    // A file-size limit must end a copy with a message, not end the program.
    static const bool sizeSignalIgnored = ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    Q_UNUSED(sizeSignalIgnored);
    m_umask = ::umask(0);
    ::umask(m_umask);
}

kxCommon::~kxCommon()
{
    delete progress;
}

void kxCommon::removeListFromThis(QStringList* names, QStringList::Iterator it)
{
    names->erase(it, names->end());
}

QString kxCommon::calcCpNameSameDir(const QString& dir, const QString& name)
{
    return freeName(dir, name, QStringLiteral("のコピー"));
}

QString kxCommon::calcLnkNameSameDir(const QString& dir, const QString& name)
{
    return freeName(dir, name, QStringLiteral("_link"));
}

QString kxCommon::replaceQuestion(const QString& src, const QString& dst)
{
    const QFileInfo from(src);
    const QFileInfo to(dst);
    return QStringLiteral("このフォルダには既に '%1'\nが存在します。\n\n現在のファイル\n").arg(to.fileName())
        + sizeLine(to.size()) + QStringLiteral("    ") + timeText(to.lastModified())
        + QStringLiteral("\n\nに次のファイルを上書きしますか？\n") + sizeLine(from.size())
        + QStringLiteral("    ") + timeText(from.lastModified());
}

// ---- batches

void kxCommon::allItemCpMv(QWidget* parent, int mode, const QString& srcDir, const QString& dstDir,
                           QStringList* names)
{
    askOverwrite = true;
    itemCount = names->size();
    beginBatch(parent, mode == 1 ? tr("Moving...") : tr("Copying..."));
    const QByteArray from = QFile::encodeName(srcDir);
    const QByteArray to = QFile::encodeName(dstDir);
    const bool sameDir = sameFolder(from, to);
    for (auto it = names->begin(); it != names->end(); ++it) {
        const Outcome outcome = pasteEntry(mode, from, to, sameDir, &*it);
        if (outcome != Done) {
            removeListFromThis(names, outcome == StopAfter ? it + 1 : it);
            break;
        }
    }
    endBatch();
}

kxCommon::Outcome kxCommon::pasteEntry(int mode, const QByteArray& srcDir, const QByteArray& dstDir, bool sameDir,
                                       QString* entry)
{
    const QString name = *entry;
    const QByteArray src = srcDir + QFile::encodeName(name);
    showStep(src);
    struct stat srcSt;
    const Kind kind = !entryStat(src, &srcSt) ? File
        : S_ISLNK(srcSt.st_mode)              ? Link
        : S_ISDIR(srcSt.st_mode)              ? Folder
                                              : File;

    if (kind == Folder && insideFolder(dstDir, src + '/')) {
        information(QStringLiteral("フォルダのコピー"),
                    name + QStringLiteral(" をコピーできません。\n受け側のフォルダはサブフォルダです。"));
        return StopHere;
    }
    if (sameDir) {
        if (mode == 1) {
            const QString title = kind == Folder ? QStringLiteral("フォルダの移動")
                : kind == File                   ? QStringLiteral("ファイルの移動")
                                                 : QStringLiteral("リンクの移動");
            information(title, name + QStringLiteral(" を移動できません。\n受け側のフォルダが同じです。"));
            return StopHere;
        }
        *entry = kind == Link ? calcLnkNameSameDir(QFile::decodeName(dstDir), name)
                              : calcCpNameSameDir(QFile::decodeName(dstDir), name);
        const QString title = kind == Folder ? QStringLiteral("フォルダのコピー")
            : kind == File                   ? QStringLiteral("ファイルのコピー")
                                             : QStringLiteral("リンクの貼り付け");
        if (!checkNewName(title, name + QStringLiteral(" をコピーできません。"), dstDir, *entry))
            return StopHere;
    }

    const QString newName = *entry;
    const QByteArray dst = dstDir + QFile::encodeName(newName);
    struct stat dstSt;
    const bool exists = entryStat(dst, &dstSt);
    switch (kind) {
    case Folder:
        if (exists && S_ISLNK(dstSt.st_mode)) {
            information(QStringLiteral("フォルダのコピー"), folderTakenText(QStringLiteral("シンボリックリンク"), newName));
            return StopHere;
        }
        if (exists && !S_ISDIR(dstSt.st_mode)) {
            information(QStringLiteral("フォルダのコピー"), folderTakenText(QStringLiteral("ファイル"), newName));
            return StopHere;
        }
        // A folder that failed halfway stays in the list: part of it is there.
        return dirCpMv(mode, src + '/', dst + '/') ? Done : StopAfter;
    case File:
        if (exists && (S_ISLNK(dstSt.st_mode) || S_ISDIR(dstSt.st_mode))) {
            const QString what = S_ISLNK(dstSt.st_mode) ? QStringLiteral("シンボリックリンク") : QStringLiteral("フォルダ");
            information(QStringLiteral("ファイルのコピー"), fileTakenText(what, newName));
            return StopHere;
        }
        return fileCpMv(mode, src, dst) ? Done : StopHere;
    case Link:
        if (exists && !S_ISLNK(dstSt.st_mode)) {
            information(QStringLiteral("リンクの貼り付け"), linkTakenText(S_ISDIR(dstSt.st_mode), newName));
            return StopHere;
        }
        if (exists && samePlace(srcSt, dstSt)) {
            refuseSamePlace(Link, mode, dst);
            return StopHere;
        }
        if (!symlinkMake(readLink(src), dst))
            return StopHere;
        return mode != 1 || fileDel(src) ? Done : StopHere;
    }
    return StopHere;
}

void kxCommon::allItemSymblnk(QWidget* parent, const QString& srcDir, const QString& dstDir, QStringList* names)
{
    askOverwrite = true;
    itemCount = names->size();
    beginBatch(parent, QStringLiteral("リンクを作成しています..."));
    const QByteArray from = QFile::encodeName(srcDir);
    const QByteArray to = QFile::encodeName(dstDir);
    const bool sameDir = sameFolder(from, to);
    for (auto it = names->begin(); it != names->end(); ++it) {
        const QString name = *it;
        const QByteArray source = from + QFile::encodeName(name);
        struct stat sourceSt;
        // Removed since Copy: a link to it would point nowhere.
        if (!entryStat(source, &sourceSt)) {
            information(QStringLiteral("リンクの貼り付け"),
                        display(source) + QStringLiteral("\nが見つかりません。\nシンボリックリンクを作成できません。"));
            removeListFromThis(names, it);
            break;
        }
        if (sameDir) {
            *it = calcLnkNameSameDir(dstDir, name);
            if (!checkNewName(QStringLiteral("リンクの貼り付け"), name + QStringLiteral(" のリンクを作成できません。"), to,
                              *it)) {
                removeListFromThis(names, it);
                break;
            }
        }
        const QByteArray link = to + QFile::encodeName(*it);
        struct stat st;
        if (entryStat(link, &st) && !S_ISLNK(st.st_mode)) {
            information(QStringLiteral("リンクの貼り付け"), linkTakenText(S_ISDIR(st.st_mode), *it));
            removeListFromThis(names, it);
            break;
        }
        if (!symlinkMake(source, link)) {
            removeListFromThis(names, it);
            break;
        }
    }
    endBatch();
}

void kxCommon::allItemDel(QWidget* parent, const QString& dir, QStringList* names)
{
    beginBatch(parent, QStringLiteral("削除しています..."));
    const QByteArray folder = QFile::encodeName(dir);
    for (auto it = names->begin(); it != names->end(); ++it) {
        const QByteArray path = folder + QFile::encodeName(*it);
        struct stat st;
        const bool realFolder = entryStat(path, &st) && S_ISDIR(st.st_mode);
        if (!(realFolder ? dirDel(path + '/') : fileDel(path))) {
            removeListFromThis(names, it);
            break;
        }
    }
    endBatch();
}

// ---- steps called alone

bool kxCommon::m_dirCpMv(QWidget* parent, int mode, const QString& src, const QString& dst)
{
    m_parent = parent;
    return dirCpMv(mode, QFile::encodeName(src), QFile::encodeName(dst));
}

bool kxCommon::m_fileCpMv(QWidget* parent, int mode, const QString& src, const QString& dst)
{
    m_parent = parent;
    return fileCpMv(mode, QFile::encodeName(src), QFile::encodeName(dst));
}

bool kxCommon::m_symlinkMake(QWidget* parent, const QString& target, const QString& linkPath)
{
    m_parent = parent;
    return symlinkMake(QFile::encodeName(target), QFile::encodeName(linkPath));
}

bool kxCommon::m_dirDel(QWidget* parent, const QString& path)
{
    m_parent = parent;
    return dirDel(QFile::encodeName(path));
}

bool kxCommon::m_fileDel(QWidget* parent, const QString& path)
{
    m_parent = parent;
    return fileDel(QFile::encodeName(path));
}

// ---- checks

bool kxCommon::checkNewName(const QString& title, const QString& refusal, const QByteArray& dstDir,
                            const QString& newName)
{
    const QByteArray bytes = QFile::encodeName(newName);
    const long maxName = ::pathconf(dstDir.constData(), _PC_NAME_MAX);
    struct stat st;
    if (bytes.size() > (maxName > 0 ? maxName : 255)) {
        information(title, refusal + QStringLiteral("\n名前が長すぎます。"));
        return false;
    }
    if (entryStat(dstDir + bytes, &st)) {
        information(title, refusal + QStringLiteral("\n空いている名前がありません。"));
        return false;
    }
    return true;
}

bool kxCommon::refuseSamePlace(Kind kind, int mode, const QByteArray& dst)
{
    const QString name = display(fileName(dst));
    QString title;
    QString what;
    switch (kind) {
    case Folder:
        title = mode == 1 ? QStringLiteral("フォルダの移動") : QStringLiteral("フォルダのコピー");
        what = QStringLiteral("フォルダ");
        break;
    case File:
        title = mode == 1 ? QStringLiteral("ファイルの移動") : QStringLiteral("ファイルのコピー");
        what = QStringLiteral("ファイル");
        break;
    case Link:
        title = mode == 1 ? QStringLiteral("リンクの移動") : QStringLiteral("リンクの貼り付け");
        what = QStringLiteral("シンボリックリンク");
        break;
    }
    const QString verb = mode == 1 ? QStringLiteral(" を移動できません。\n") : QStringLiteral(" をコピーできません。\n");
    information(title, name + verb + QStringLiteral("受け側は同じ") + what + QStringLiteral("です。"));
    return false;
}

// Whether dir is folder or lies inside it, also when reached through symbolic
// links or another mount of the same folder.
bool kxCommon::insideFolder(const QByteArray& dir, const QByteArray& folder) const
{
    if (dir.startsWith(folder))
        return true;
    struct stat target;
    if (::stat(folder.constData(), &target) != 0)
        return false;
    char* real = ::realpath(dir.constData(), nullptr);
    if (!real)
        return false;
    QByteArray path(real);
    ::free(real);
    for (;;) {
        struct stat st;
        if (::stat(path.constData(), &st) == 0 && samePlace(st, target))
            return true;
        if (path == "/")
            return false;
        const int cut = path.lastIndexOf('/');
        path.truncate(cut > 0 ? cut : 1);
    }
}

void kxCommon::rememberDestination(const QByteArray& folder)
{
    struct stat st;
    if (::stat(folder.constData(), &st) == 0)
        m_destinations.insert(qMakePair(quint64(st.st_dev), quint64(st.st_ino)));
}

bool kxCommon::isDestination(const struct stat& st) const
{
    return m_destinations.contains(qMakePair(quint64(st.st_dev), quint64(st.st_ino)));
}

QString kxCommon::folderTakenText(const QString& what, const QString& name)
{
    return QStringLiteral("このフォルダには既に") + what + QStringLiteral("\n'") + name
        + QStringLiteral("'\nが存在します。\nフォルダコピーはできません。");
}

QString kxCommon::fileTakenText(const QString& what, const QString& name)
{
    return QStringLiteral("このフォルダには既に") + what + QStringLiteral("\n'") + name
        + QStringLiteral("'\nが存在します。\nファイルコピーはできません。");
}

QString kxCommon::linkTakenText(bool folder, const QString& name)
{
    return (folder ? QStringLiteral("このフォルダには既にフォルダ\n'") : QStringLiteral("このフォルダには既にファイル\n'"))
        + name + QStringLiteral("'\nが存在します。\nシンボリックリンクの作成はできません。");
}

// ---- folders as lists of entries

bool kxCommon::readFolder(const QByteArray& dir, QList<Entry>* entries)
{
    DIR* d = ::opendir(dir.constData());
    if (!d)
        return false;
    errno = 0;
    while (const dirent* e = ::readdir(d)) {
        if (e->d_name[0] == '.' && (e->d_name[1] == 0 || (e->d_name[1] == '.' && e->d_name[2] == 0)))
            continue;
        Entry entry{QByteArray(e->d_name), e->d_type};
        if (entry.type == DT_UNKNOWN) {
            struct stat st;
            if (entryStat(dir + entry.name, &st))
                entry.type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
        }
        entries->append(entry);
    }
    const bool complete = errno == 0;
    ::closedir(d);
    // Entries are taken in name order, so questions come in an order one can follow.
    std::sort(entries->begin(), entries->end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return complete;
}

QByteArray kxCommon::readLink(const QByteArray& path)
{
    QByteArray target(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::readlink(path.constData(), target.data(), target.size());
        if (n < 0)
            return QByteArray();
        if (n < target.size())
            return target.left(n);
        target.resize(target.size() * 2);
    }
}

// ---- progress

void kxCommon::beginBatch(QWidget* parent, const QString& caption)
{
    m_parent = parent;
    m_destinations.clear();
    m_mayClone = true;
    delete progress;
    progress = new frmProgress(parent, caption);
    progress->show();
    m_lastRefresh.invalidate();
}

void kxCommon::endBatch()
{
    delete progress;
    progress = nullptr;
}

bool kxCommon::showStep(const QByteArray& path)
{
    m_label = fileName(path);
    m_labelChanged = true;
    m_percent = 0;
    return keepAlive();
}

bool kxCommon::showPercent(int percent)
{
    m_percent = percent;
    return keepAlive();
}

bool kxCommon::keepAlive()
{
    if (!progress)
        return true;
    if (!m_lastRefresh.isValid() || m_lastRefresh.elapsed() >= m_refreshInterval) {
        if (m_labelChanged)
            progress->setLabelText(display(m_label));
        m_labelChanged = false;
        progress->setProgress(m_percent);
        QCoreApplication::processEvents();
        m_lastRefresh.start();
    }
    return !progress->wasCancelled();
}

// ---- questions and messages

int kxCommon::ask(const QString& title, const QString& text)
{
    return question(title, text, true);
}

void kxCommon::askReplaceAll(const QString& title)
{
    if (question(title, QStringLiteral("今後このメッセージを表示せず\n全て上書きしますか？"), false) == Yes)
        askOverwrite = false;
}

int kxCommon::question(const QString& title, const QString& text, bool withCancel)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, m_parent);
    // Names are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(tr("Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(tr("No"), QMessageBox::NoRole);
    QPushButton* cancel = withCancel ? box.addButton(tr("Cancel"), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(yes);
    if (cancel)
        box.setEscapeButton(cancel);
    kxFitMessageBox(&box);
    box.exec();
    if (box.clickedButton() == yes)
        return Yes;
    return box.clickedButton() == no || !withCancel ? No : Cancel;
}

void kxCommon::message(bool critical, const QString& title, const QString& text)
{
    QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::Information, title, text, QMessageBox::Ok,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    kxFitMessageBox(&box);
    box.exec();
}
