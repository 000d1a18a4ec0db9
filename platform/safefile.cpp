#include "platform/safefile.h"

#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

// True when replacing the file by a new one would lose something of it.
static bool mustWriteInPlace(const QString& target)
{
    struct stat st {};
    if (::stat(QFile::encodeName(target).constData(), &st) != 0)
        return false;
    if (st.st_nlink > 1)
        return true;
    if (st.st_uid != ::geteuid() && ::geteuid() != 0)
        return true;
    if (st.st_gid != ::getegid() && ::geteuid() != 0) {
        // We may keep the group only when we belong to it.
        gid_t groups[256];
        const int n = ::getgroups(256, groups);
        for (int i = 0; i < n; ++i)
            if (groups[i] == st.st_gid)
                return false;
        return true;
    }
    return false;
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
    m_inPlace = mustWriteInPlace(real);
    if (!m_inPlace) {
        m_save.setFileName(real);
        m_save.setDirectWriteFallback(true);
        if (!m_save.open(QIODevice::WriteOnly))
            return false;
        // QSaveFile falls back to the file itself when the folder is not writable.
        m_inPlace = !QFileInfo(QFileInfo(real).absolutePath()).isWritable();
        struct stat st {};
        if (!m_inPlace && ::geteuid() == 0 && ::stat(QFile::encodeName(real).constData(), &st) == 0)
            (void)::fchown(m_save.handle(), st.st_uid, st.st_gid);
        return true;
    }
    m_direct.setFileName(real);
    return m_direct.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool SafeFile::write(const QByteArray& bytes)
{
    QFileDevice& dev = m_direct.isOpen() ? static_cast<QFileDevice&>(m_direct) : m_save;
    return dev.write(bytes) == bytes.size();
}

qint64 SafeFile::writtenSize()
{
    QFileDevice& dev = m_direct.isOpen() ? static_cast<QFileDevice&>(m_direct) : m_save;
    if (!dev.flush())
        return -1;
    struct stat st {};
    if (::fstat(dev.handle(), &st) != 0)
        return -1;
    return st.st_size;
}

bool SafeFile::commit()
{
    if (m_direct.isOpen()) {
        const bool flushed = m_direct.flush() && ::fsync(m_direct.handle()) == 0;
        m_direct.close();
        return flushed && m_direct.error() == QFileDevice::NoError;
    }
    if (!m_save.isOpen())
        return false;
    if (!m_save.flush() || ::fsync(m_save.handle()) != 0) {
        m_save.cancelWriting();
        m_save.commit();
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
    if (m_direct.isOpen())
        m_direct.close();
}

QString SafeFile::errorString() const
{
    return m_direct.isOpen() || m_inPlace ? m_direct.errorString() : m_save.errorString();
}
