#include "rawpath.h"

#include <QList>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace RawPath {

QByteArray fromString(const QString& path)
{
    return path.toUtf8();
}

QString display(const QByteArray& path)
{
    return QString::fromUtf8(path);
}

QByteArray join(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

QByteArray absolute(const QByteArray& path)
{
    QByteArray full = path;
    if (!full.startsWith('/')) {
        char cwd[PATH_MAX];
        full = join(::getcwd(cwd, sizeof cwd) ? QByteArray(cwd) : QByteArray("/"), path);
    }
    QList<QByteArray> parts;
    for (const QByteArray& part : full.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QByteArray result;
    for (const QByteArray& part : parts)
        result += '/' + part;
    return result.isEmpty() ? QByteArray("/") : result;
}

QByteArray parent(const QByteArray& absolutePath)
{
    return absolute(join(absolutePath, ".."));
}

bool sameFile(const QByteArray& a, const QByteArray& b)
{
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.constData(), &sa) == 0 && ::stat(b.constData(), &sb) == 0 && sa.st_dev == sb.st_dev
        && sa.st_ino == sb.st_ino;
}

bool isFolder(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

} // namespace RawPath
