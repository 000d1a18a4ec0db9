// Copying and moving folders, files and symbolic links.
#include "kxcommon.h"

#include "frmprogress.h"
#include "kxpaths.h"

#include <QRandomGenerator>

#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace kxPath;

namespace {

const qint64 SmallestChunk = 64 * 1024;
const qint64 LargestChunk = 64 * 1024 * 1024;
const int BufferSize = 1 << 20;

QByteArray absolute(const QByteArray& path)
{
    if (path.startsWith('/'))
        return path;
    char* cwd = ::getcwd(nullptr, 0);
    const QByteArray result = QByteArray(cwd ? cwd : "") + '/' + path;
    ::free(cwd);
    return result;
}

// Creates a new entry under a hidden name of its own in dir with create(path);
// returns the name, or an empty one with errno set.
template<typename Create>
QByteArray createTemp(const QByteArray& dir, Create create)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray path =
            dir + ".korvex-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        if (create(path.constData()))
            return path;
        if (errno != EEXIST)
            break;
    }
    return QByteArray();
}

bool diskFull(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

// A folder made by the batch gets the owner, modes and times of its source once it is
// filled (a read-only folder could not be filled otherwise), as a copied file does: a moved
// folder stays as it was. From a memory card it keeps the modes it was made with.
void keepFolderAttributes(const QByteArray& src, const QByteArray& dst, const struct stat& st)
{
    const int fd = ::open(withoutSlash(dst).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    int ignored = 0;
    if (!onMemoryCard(absolute(src))) {
        ignored |= ::fchown(fd, st.st_uid, st.st_gid);
        ignored |= ::fchmod(fd, st.st_mode & 07777);
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ignored |= ::futimens(fd, times);
    Q_UNUSED(ignored);
    ::close(fd);
}

} // namespace

bool kxCommon::dirCpMv(int mode, const QByteArray& src, const QByteArray& dst)
{
    if (!showStep(src))
        return false;
    struct stat srcSt;
    struct stat dstSt;
    QList<Entry> entries;
    if (::stat(src.constData(), &srcSt) != 0 || !readFolder(src, &entries)) {
        critical(QStringLiteral("フォルダのコピーエラー"), display(src) + QStringLiteral("\nを読み込みできません。"));
        return false;
    }
    // A folder just made holds nothing yet, so its entries need no checks.
    bool fresh = false;
    if (entryStat(dst, &dstSt) && S_ISDIR(dstSt.st_mode)) {
        if (samePlace(srcSt, dstSt))
            return refuseSamePlace(Folder, mode, dst);
        if (askOverwrite) {
            const QString title = tr("Confirm Folder Replace");
            const int answer = ask(title, tr("This folder already contains a folder named \n'%1'. \n\n"
                                             "Do you want to move or copy the folder?")
                                              .arg(display(fileName(dst))));
            if (answer != Yes)
                return answer == No;
            askReplaceAll(title);
        }
    } else if (::mkdir(dst.constData(), 0777) == 0) {
        fresh = true;
    } else {
        critical(QStringLiteral("フォルダの作成エラー"), display(dst) + QStringLiteral("\nを作成できません。"));
        return false;
    }
    rememberDestination(dst);

    for (const Entry& entry : entries) {
        const QByteArray from = src + entry.name;
        const QByteArray to = dst + entry.name;
        const QString name = display(entry.name);
        struct stat there;
        const bool taken = !fresh && entryStat(to, &there);
        if (entry.type == DT_DIR) {
            if (taken && !S_ISDIR(there.st_mode)) {
                const QString what = S_ISLNK(there.st_mode) ? QStringLiteral("シンボリックリンク") : QStringLiteral("ファイル");
                information(QStringLiteral("フォルダのコピー"), folderTakenText(what, name));
                return false;
            }
            // A folder made by this batch met again in the source: the source
            // holds the destination through another mount.
            struct stat st;
            if (::lstat(from.constData(), &st) == 0 && isDestination(st)) {
                information(QStringLiteral("フォルダのコピー"),
                            name + QStringLiteral(" をコピーできません。\n受け側のフォルダはサブフォルダです。"));
                return false;
            }
            if (!dirCpMv(mode, from + '/', to + '/'))
                return false;
        } else if (entry.type == DT_LNK) {
            if (taken && !S_ISLNK(there.st_mode)) {
                information(QStringLiteral("リンクの貼り付け"), linkTakenText(S_ISDIR(there.st_mode), name));
                return false;
            }
            if (!symlinkMake(readLink(from), to))
                return false;
            if (mode == 1 && !fileDel(from))
                return false;
        } else {
            if (taken && (S_ISLNK(there.st_mode) || S_ISDIR(there.st_mode))) {
                const QString what = S_ISLNK(there.st_mode) ? QStringLiteral("シンボリックリンク") : QStringLiteral("フォルダ");
                information(QStringLiteral("ファイルのコピー"), fileTakenText(what, name));
                return false;
            }
            if (!fileCpMv(mode, from, to, Known{entry.type == DT_REG, fresh}))
                return false;
        }
    }

    if (fresh)
        keepFolderAttributes(src, dst, srcSt);
    if (mode == 1 && ::rmdir(src.constData()) != 0) {
        critical(QStringLiteral("フォルダの削除エラー"), display(src) + QStringLiteral("\nを削除できません。"));
        return false;
    }
    m_percent = 100;
    return true;
}

bool kxCommon::fileCpMv(int mode, const QByteArray& src, const QByteArray& dst, Known known)
{
    if (!showStep(dst))
        return false;
    struct stat srcSt;
    struct stat dstSt;
    const bool replacing = !known.freeTarget && entryStat(dst, &dstSt);
    // A source gone since it was chosen is reported by the copy below, without a
    // question about replacing the file in its way.
    if (replacing && ::stat(src.constData(), &srcSt) == 0) {
        if (samePlace(srcSt, dstSt))
            return refuseSamePlace(File, mode, dst);
        if (askOverwrite) {
            const QString title = tr("Confirm File Replace");
            const int answer = ask(title, replaceQuestion(display(src), display(dst)));
            if (answer != Yes)
                return answer == No;
            if (itemCount >= 2)
                askReplaceAll(title);
        }
    }
    // rename() replaces an existing file at once, so the old one stays whole
    // until the new one takes its place.
    if (mode == 1) {
        if (::rename(src.constData(), dst.constData()) == 0) {
            m_percent = 100;
            return true;
        }
        return copyFile(src, dst, replacing ? &dstSt : nullptr, known.regularSource) && fileDel(src);
    }
    return copyFile(src, dst, replacing ? &dstSt : nullptr, known.regularSource);
}

// Writes a copy of src under a temporary name beside dst and renames it over
// dst only when it is whole, with its times, modes and owner set.
bool kxCommon::copyFile(const QByteArray& src, const QByteArray& dst, const struct stat* replaced, bool regular)
{
    struct stat st;
    const bool found = regular || ::stat(src.constData(), &st) == 0;
    const bool special = found && !regular && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
    int in = -1;
    if (found && !special) {
        // Non-blocking and checked once open: a FIFO put in the file's place is never read.
        in = ::open(src.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (in >= 0 && (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(in);
            in = -1;
        }
    }
    if (!special && in < 0) {
        critical(QStringLiteral("ファイルのコピーエラー"),
                 display(src) + QStringLiteral("\nを読み込みできません。\nファイルが使用中の可能性があります。"));
        return false;
    }

    // Special files (FIFOs, sockets, devices) are made anew, never opened.
    int out = -1;
    const QByteArray temp = createTemp(folderOf(dst), [&](const char* path) {
        if (in < 0)
            return ::mknod(path, st.st_mode & (S_IFMT | 0777), st.st_rdev) == 0;
        out = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        return out >= 0;
    });
    if (temp.isEmpty()) {
        const int error = errno;
        if (in >= 0)
            ::close(in);
        writeError(dst, diskFull(error));
        return false;
    }

    bool ok = in < 0 || copyData(in, out, st.st_size, src, dst);
    if (in >= 0)
        ::close(in);
    if (ok)
        keepAttributes(out, temp, src, st, replaced);
    // A replaced file is on disk before its name moves to the new one.
    if (ok && out >= 0 && replaced && ::fsync(out) != 0) {
        writeError(dst, true);
        ok = false;
    }
    if (out >= 0 && ::close(out) != 0 && ok) {
        writeError(dst, true);
        ok = false;
    }
    if (ok && ::rename(temp.constData(), dst.constData()) != 0) {
        writeError(dst, diskFull(errno));
        ok = false;
    }
    if (!ok)
        ::unlink(temp.constData());
    else
        m_percent = 100;
    return ok;
}

bool kxCommon::copyData(int in, int out, qint64 size, const QByteArray& src, const QByteArray& dst)
{
    // A file system that shares blocks between files copies at once; one
    // that cannot is not asked again in this batch.
    if (m_mayClone) {
        if (::ioctl(out, FICLONE, in) == 0)
            return showPercent(100);
        m_mayClone = errno != EOPNOTSUPP && errno != EINVAL && errno != EXDEV && errno != ENOTTY;
    }

    bool kernel = true;
    qint64 done = 0;
    for (;;) {
        QElapsedTimer timer;
        timer.start();
        ssize_t n;
        const qint64 wanted = kernel ? m_chunk : qMin<qint64>(m_chunk, BufferSize);
        if (kernel) {
            n = ::copy_file_range(in, nullptr, out, nullptr, size_t(wanted), 0);
            if (n < 0 && diskFull(errno)) {
                writeError(dst, true);
                return false;
            }
            if (n < 0) {
                // Not offered here, or a fault: reading and writing tell which side failed.
                kernel = false;
                continue;
            }
        } else {
            if (m_buffer.isEmpty())
                m_buffer.resize(BufferSize);
            n = ::read(in, m_buffer.data(), size_t(wanted));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                critical(QStringLiteral("ファイルのコピーエラー"),
                         display(src) + QStringLiteral("\nを読み込みできません。\nファイルが使用中の可能性があります。"));
                return false;
            }
            for (ssize_t written = 0; written < n;) {
                const ssize_t w = ::write(out, m_buffer.constData() + written, size_t(n - written));
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0) {
                    writeError(dst, true);
                    return false;
                }
                written += w;
            }
        }
        if (n == 0)
            return true;
        done += n;
        // The file is copied as large as it was when opened.
        if (size > 0 && done >= size)
            return showPercent(100);
        // Blocks are sized so that one takes a few hundredths of a second:
        // Cancel answers at once and the bar keeps moving.
        if (n == wanted) {
            const qint64 ms = timer.elapsed();
            if (ms < 10)
                m_chunk = qMin(m_chunk * 2, LargestChunk);
            else if (ms > 40)
                m_chunk = qMax(m_chunk / 2, SmallestChunk);
        }
        if (!showPercent(size > 0 ? int(qMin<qint64>(100, done * 100 / size)) : 100))
            return false;
    }
}

// Through the open file where there is one, else (special files) by path.
void kxCommon::keepAttributes(int fd, const QByteArray& temp, const QByteArray& src, const struct stat& st,
                              const struct stat* replaced)
{
    const char* path = temp.constData();
    const auto owner = [&](uid_t uid, gid_t gid) { return fd >= 0 ? ::fchown(fd, uid, gid) : ::lchown(path, uid, gid); };
    const auto mode = [&](mode_t bits) { return fd >= 0 ? ::fchmod(fd, bits) : ::chmod(path, bits); };
    // Failures here leave a good copy with other attributes; they are not reported.
    int ignored = 0;
    if (!onMemoryCard(absolute(src))) {
        ignored |= owner(st.st_uid, st.st_gid);
        ignored |= mode(st.st_mode & 07777);
    } else if (replaced) {
        ignored |= owner(replaced->st_uid, replaced->st_gid);
        ignored |= mode(replaced->st_mode & 07777);
    } else {
        ignored |= mode(0666 & ~m_umask);
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ignored |= fd >= 0 ? ::futimens(fd, times) : ::utimensat(AT_FDCWD, path, times, AT_SYMLINK_NOFOLLOW);
    Q_UNUSED(ignored);
}

void kxCommon::writeError(const QByteArray& dst, bool full)
{
    critical(QStringLiteral("ファイルのコピーエラー"),
             display(dst)
                 + (full ? QStringLiteral("\nに書込みできません。\nディスクが一杯の可能性があります。")
                         : QStringLiteral("\nに書込みできません。\n権限がないかファイルが使用中の可能性があります。")));
}

bool kxCommon::symlinkMake(const QByteArray& target, const QByteArray& linkPath)
{
    if (!showStep(linkPath))
        return false;
    struct stat st;
    bool made;
    if (entryStat(linkPath, &st)) {
        if (askOverwrite) {
            const QString title = QStringLiteral("リンクの上書きの確認");
            const int answer = ask(title, QStringLiteral("このフォルダには既に '") + display(fileName(linkPath))
                                              + QStringLiteral("'\nが存在します。\n\n現在のシンボリックリンク\n    リンク先:\n    ")
                                              + display(readLink(linkPath))
                                              + QStringLiteral("\n\nに次のシンボリックリンクを上書きしますか？\n    リンク先:\n    ")
                                              + display(target));
            if (answer != Yes)
                return answer == No;
            if (itemCount >= 2)
                askReplaceAll(title);
        }
        // The old entry keeps its name until the new link can take it.
        const QByteArray temp = createTemp(folderOf(linkPath),
                                           [&](const char* path) { return ::symlink(target.constData(), path) == 0; });
        made = !temp.isEmpty() && ::rename(temp.constData(), linkPath.constData()) == 0;
        if (!made && !temp.isEmpty())
            ::unlink(temp.constData());
    } else {
        made = ::symlink(target.constData(), linkPath.constData()) == 0;
    }
    if (!made) {
        information(QStringLiteral("リンクの貼り付け"),
                    display(fileName(target))
                        + QStringLiteral("\nシンボリックリンクの作成に失敗しました。\nこのボリュームには作成できません。"));
        return false;
    }
    m_percent = 100;
    return true;
}
