#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QTemporaryFile;

// Rewrites a file within its own inode (so hard links, owner and group stay) without
// ever leaving it half-written: the old bytes are copied aside first, the new size is
// reserved before any old byte is touched, and on any failure the old bytes go back.
class InPlaceFile
{
public:
    InPlaceFile();
    ~InPlaceFile();
    InPlaceFile(const InPlaceFile&) = delete;
    InPlaceFile& operator=(const InPlaceFile&) = delete;

    bool open(const QString& path);
    bool isOpen() const { return m_fd >= 0; }
    // Collects the new content; the file is untouched until flush().
    void write(const QByteArray& bytes);
    // Puts the new content in place. On failure the old content is back.
    bool flush();
    // Size of the file on disk, -1 on failure.
    qint64 size() const;
    // Flushes and syncs; the copy of the old bytes is dropped only then.
    bool commit();
    // Puts the old content back if it was touched.
    void cancel();
    QString errorString() const { return m_error; }

private:
    bool keepOldBytes();
    bool restore();
    void fail(const QString& what, int error);
    void close();

    QString m_path;
    int m_fd = -1;
    qint64 m_oldSize = 0;
    QByteArray m_new;
    bool m_flushed = false;
    bool m_touched = false;
    // The old bytes: in a file, in the same file system where one can be made.
    std::unique_ptr<QTemporaryFile> m_copy;
    QByteArray m_oldBytes;
    QString m_error;
};
