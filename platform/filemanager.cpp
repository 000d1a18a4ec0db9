#include "platform/filemanager.h"

#include "platform/doclnk.h"
#include "platform/plainfile.h"
#include "platform/safefile.h"

#include <QFile>

bool FileManager::loadFile(const DocLnk& doc, QByteArray& bytes)
{
    QFile file;
    if (!openPlainFile(file, doc.file()))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool FileManager::loadFile(const DocLnk& doc, QString& text)
{
    QByteArray bytes;
    if (!loadFile(doc, bytes))
        return false;
    text = QString::fromUtf8(bytes);
    return true;
}

bool FileManager::saveFile(const DocLnk& doc, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    SafeFile file(doc.file());
    if (!file.open() || !file.write(bytes) || file.writtenSize() != bytes.size()) {
        file.cancel();
        return false;
    }
    return file.commit();
}
