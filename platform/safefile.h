#pragma once

#include "platform/inplacefile.h"

#include <QSaveFile>
#include <QString>

// Writes a file so that a failed write never destroys the old content: the bytes
// go to a temporary file in the same folder, which replaces the target only on
// commit(). The target's owner, group and mode (set-id bits included) are kept and
// a symbolic link is written through to its target. Where a replacement would
// change the file in ways the user can see (a folder we may not write, several hard
// links, an owner or group we cannot give back) the file is rewritten in place,
// just as safely (InPlaceFile). Only a plain file is written over: a pipe, a device
// or a folder of that name fails to open.
class SafeFile
{
public:
    explicit SafeFile(const QString& path);
    ~SafeFile();

    bool open();
    bool write(const QByteArray& bytes);
    // Size on disk of what has been written so far, read back from the file system.
    qint64 writtenSize();
    bool commit();
    void cancel();
    bool inPlace() const { return m_inPlace; }
    QString errorString() const;

private:
    QString m_path;
    bool m_inPlace = false;
    QString m_error;
    QSaveFile m_save;
    InPlaceFile m_direct;
};
