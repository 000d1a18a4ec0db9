#include "platform/safefile.h"

#include <QFileInfo>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

// Access lists and other extended attributes, which a new file would not have. The
// security label is left out: a new file gets one of its own.
static bool hasExtendedAttributes(const QByteArray& path)
{
    const ssize_t size = ::listxattr(path.constData(), nullptr, 0);
    if (size <= 0)
        return false;
    QByteArray names(size, '\0');
    const ssize_t n = ::listxattr(path.constData(), names.data(), size_t(names.size()));
    if (n < 0)
        return true;
    for (const QByteArray& name : names.left(n).split('\0'))
        if (!name.isEmpty() && name != "security.selinux")
            return true;
    return false;
}

// True when a new file in place of the old one would lose something of it.
static bool mustWriteInPlace(const QString& target, const struct stat& st)
{
    if (st.st_nlink > 1 || hasExtendedAttributes(QFile::encodeName(target)))
        return true;
    if (::access(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), W_OK) != 0)
        return true;
    return st.st_uid != ::geteuid() && ::geteuid() != 0;
}

// Gives the new file the old one's owner, group and mode. The owner comes first:
// changing it clears the set-id bits, which the mode then puts back.
static bool keepOwnerAndMode(int fd, const struct stat& st)
{
    if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd, st.st_uid, st.st_gid) != 0)
        return false;
    return ::fchmod(fd, st.st_mode & 07777) == 0;
}

SafeFile::SafeFile(const QString& path) : m_path(path), m_save(path) {}

SafeFile::~SafeFile()
{
    cancel();
}

bool SafeFile::open()
{
    const QString target = QFileInfo(m_path).canonicalFilePath();
    const QString real = target.isEmpty() ? m_path : target;
    struct stat st {};
    const bool exists = ::stat(QFile::encodeName(real).constData(), &st) == 0;
    m_error.clear();
    // A new file would take the place of a pipe or a device, and writing in place
    // would wait on a pipe for a reader or pour the bytes into the device.
    if (exists && !S_ISREG(st.st_mode)) {
        m_error = QStringLiteral("not a plain file");
        return false;
    }
    m_inPlace = exists && mustWriteInPlace(real, st);
    if (!m_inPlace) {
        m_save.setFileName(real);
        m_save.setDirectWriteFallback(false);
        if (m_save.open(QIODevice::WriteOnly) && (!exists || keepOwnerAndMode(m_save.handle(), st)))
            return true;
        cancel();
        if (!exists)
            return false;
        // A group we are no member of, or no room for a new name: the file itself is rewritten.
        m_inPlace = true;
    }
    return m_direct.open(real);
}

bool SafeFile::write(const QByteArray& bytes)
{
    if (m_inPlace) {
        m_direct.write(bytes);
        return m_direct.isOpen();
    }
    return m_save.write(bytes) == bytes.size();
}

qint64 SafeFile::writtenSize()
{
    if (m_inPlace)
        return m_direct.flush() ? m_direct.size() : -1;
    if (!m_save.flush())
        return -1;
    struct stat st {};
    if (::fstat(m_save.handle(), &st) != 0)
        return -1;
    return st.st_size;
}

bool SafeFile::commit()
{
    if (m_inPlace)
        return m_direct.commit();
    if (!m_save.isOpen())
        return false;
    if (!m_save.flush() || ::fsync(m_save.handle()) != 0) {
        cancel();
        return false;
    }
    return m_save.commit();
}

void SafeFile::cancel()
{
    if (m_save.isOpen()) {
        m_save.cancelWriting();
        m_save.commit();
    }
    m_direct.cancel();
}

QString SafeFile::errorString() const
{
    if (!m_error.isEmpty())
        return m_error;
    return m_inPlace ? m_direct.errorString() : m_save.errorString();
}
