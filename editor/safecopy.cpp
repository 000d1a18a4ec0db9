#include "safecopy.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int openTemporary(const QByteArray& folder, QByteArray& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.velino-copy-" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// Read and write errors are told apart; both leave the temporary file to be removed.
SafeCopy::Result copyBytes(int from, int to)
{
    char buffer[SafeCopy::BlockSize];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return SafeCopy::ReadFailed;
        if (n == 0)
            return SafeCopy::Done;
        if (!writeAll(to, buffer, n))
            return SafeCopy::WriteFailed;
    }
}
} // namespace

SafeCopy::Result SafeCopy::copy(const QByteArray& from, const QByteArray& to)
{
    // Not blocking: a name that has become a pipe since it was listed must not hang us.
    const int source = ::open(from.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (source < 0)
        return SourceNotOpened;
    struct stat sourceStat {};
    if (::fstat(source, &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode)) {
        ::close(source);
        return SourceNotOpened;
    }

    QByteArray target = to;
    struct stat old {};
    if (::lstat(to.constData(), &old) == 0 && S_ISLNK(old.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(to.constData(), resolved))
            target = resolved;
    }
    const bool replacing = ::stat(target.constData(), &old) == 0;
    if (replacing && (S_ISDIR(old.st_mode) || ::access(target.constData(), W_OK) != 0)) {
        ::close(source);
        return TargetNotOpened;
    }

    const int slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
    QByteArray temporary;
    const int fd = openTemporary(folder, temporary);
    if (fd < 0) {
        ::close(source);
        return TargetNotOpened;
    }
    if (replacing) {
        // Owner first: changing it clears the set-id bits that the mode then restores.
        if (::geteuid() == 0)
            (void)::fchown(fd, old.st_uid, old.st_gid);
        (void)::fchmod(fd, old.st_mode & 07777);
    }

    Result result = copyBytes(source, fd);
    ::close(source);
    if (result == Done && ::fsync(fd) != 0)
        result = WriteFailed;
    if (::close(fd) != 0 && result == Done)
        result = WriteFailed;
    if (result == Done && ::rename(temporary.constData(), target.constData()) != 0)
        result = WriteFailed;
    if (result != Done)
        ::unlink(temporary.constData());
    return result;
}
