#include "platform/inplacefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Beyond this the old bytes are not held in memory when no copy file can be made.
constexpr qint64 MaxCopyInMemory = 256 * 1024 * 1024;

// Moves size bytes at offset through pread or pwrite, a megabyte at a time.
template <typename Call, typename Byte>
bool transferAt(Call call, int fd, Byte* data, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = call(fd, data, size_t(qMin<qint64>(size, 1 << 20)), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

bool writeAt(int fd, const char* data, qint64 size, qint64 offset)
{
    return transferAt(::pwrite, fd, data, size, offset);
}

bool readAt(int fd, char* data, qint64 size, qint64 offset)
{
    return transferAt(::pread, fd, data, size, offset);
}

// Copies the first size bytes of one file over the start of another.
bool copyBytes(int from, int to, qint64 size)
{
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (qint64 at = 0; at < size; at += buffer.size()) {
        const qint64 n = qMin<qint64>(buffer.size(), size - at);
        if (!readAt(from, buffer.data(), n, at) || !writeAt(to, buffer.constData(), n, at))
            return false;
    }
    return true;
}
} // namespace

InPlaceFile::InPlaceFile() = default;

InPlaceFile::~InPlaceFile()
{
    cancel();
}

void InPlaceFile::fail(const QString& what, int error)
{
    m_error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
}

bool InPlaceFile::open(const QString& path)
{
    cancel();
    m_path = path;
    m_error.clear();
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        fail(QStringLiteral("open"), errno);
        close();
        return false;
    }
    m_oldSize = st.st_size;
    if (!keepOldBytes()) {
        close();
        return false;
    }
    return true;
}

bool InPlaceFile::keepOldBytes()
{
    const QFileInfo info(m_path);
    for (const QString& folder : {info.absolutePath(), QDir::tempPath()}) {
        auto copy = std::make_unique<QTemporaryFile>(folder + QStringLiteral("/.") + info.fileName()
                                                     + QStringLiteral(".old.XXXXXX"));
        if (copy->open() && copyBytes(m_fd, copy->handle(), m_oldSize) && ::fsync(copy->handle()) == 0) {
            m_copy = std::move(copy);
            return true;
        }
    }
    // No room for a copy anywhere: the old bytes stay in memory.
    if (m_oldSize > MaxCopyInMemory) {
        fail(QStringLiteral("no room to keep a copy of the old content"), ENOSPC);
        return false;
    }
    m_oldBytes.resize(m_oldSize);
    if (!readAt(m_fd, m_oldBytes.data(), m_oldSize, 0)) {
        fail(QStringLiteral("read"), errno);
        return false;
    }
    return true;
}

void InPlaceFile::write(const QByteArray& bytes)
{
    m_new += bytes;
}

bool InPlaceFile::flush()
{
    if (!isOpen())
        return false;
    if (m_flushed)
        return m_error.isEmpty();
    m_flushed = true;
    const qint64 newSize = m_new.size();
    if (newSize > 0) {
        const int error = ::posix_fallocate(m_fd, 0, newSize);
        if (error != 0) {
            // The old bytes are untouched; only a grown end may need to go.
            struct stat st {};
            if (::fstat(m_fd, &st) == 0 && st.st_size != m_oldSize)
                (void)!::ftruncate(m_fd, m_oldSize);
            fail(QStringLiteral("reserve"), error);
            return false;
        }
    }
    m_touched = true;
    if (!writeAt(m_fd, m_new.constData(), newSize, 0) || ::ftruncate(m_fd, newSize) != 0) {
        fail(QStringLiteral("write"), errno);
        restore();
        return false;
    }
    return true;
}

qint64 InPlaceFile::size() const
{
    struct stat st {};
    return isOpen() && ::fstat(m_fd, &st) == 0 ? qint64(st.st_size) : -1;
}

bool InPlaceFile::restore()
{
    const bool ok = (m_copy ? copyBytes(m_copy->handle(), m_fd, m_oldSize)
                            : writeAt(m_fd, m_oldBytes.constData(), m_oldSize, 0))
        && ::ftruncate(m_fd, m_oldSize) == 0 && ::fsync(m_fd) == 0;
    if (ok) {
        m_touched = false;
    } else if (m_copy) {
        m_copy->setAutoRemove(false);
        m_error += QStringLiteral("; the old content is kept in ") + m_copy->fileName();
    }
    return ok;
}

bool InPlaceFile::commit()
{
    bool ok = flush();
    if (ok && ::fsync(m_fd) != 0) {
        fail(QStringLiteral("sync"), errno);
        restore();
        ok = false;
    }
    if (ok)
        m_touched = false;
    close();
    return ok;
}

void InPlaceFile::cancel()
{
    if (m_touched)
        restore();
    close();
}

void InPlaceFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_copy.reset();
    m_oldBytes.clear();
    m_new.clear();
    m_flushed = false;
    m_touched = false;
}
