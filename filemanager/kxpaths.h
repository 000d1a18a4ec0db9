#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/stat.h>

// Small helpers on file system paths held as bytes, for the operations engine.
namespace kxPath {

// "a/b/" and "a/b" both give "a/b"; the root stays "/".
inline QByteArray withoutSlash(const QByteArray& path)
{
    return path.size() > 1 && path.endsWith('/') ? path.left(path.size() - 1) : path;
}

// The last component: "a/b/c" and "a/b/c/" give "c".
inline QByteArray fileName(const QByteArray& path)
{
    const QByteArray bare = withoutSlash(path);
    return bare.mid(bare.lastIndexOf('/') + 1);
}

// The folder holding the entry, ending in "/": "a/b/c" gives "a/b/".
inline QByteArray folderOf(const QByteArray& path)
{
    const QByteArray bare = withoutSlash(path);
    const int cut = bare.lastIndexOf('/');
    return cut < 0 ? QByteArray("./") : bare.left(cut + 1);
}

// The entry itself, not what a symbolic link points to.
inline bool entryStat(const QByteArray& path, struct stat* st)
{
    return ::lstat(withoutSlash(path).constData(), st) == 0;
}

inline bool samePlace(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Memory cards give every file execute bits and their own owner: such files are neither
// marked executable nor copied with their permissions and owner.
inline bool onMemoryCard(const QByteArray& path)
{
    static const char* const cards[] = {"/usr/mnt.rom/cf/", "/usr/mnt.rom/card/", "/mnt/cf/",
                                        "/mnt/card/", "/home/samba/CF_Card/", "/home/samba/SD_Card/"};
    for (const char* card : cards) {
        if (path.contains(card))
            return true;
    }
    return false;
}

inline QString display(const QByteArray& path)
{
    return QFile::decodeName(path);
}

} // namespace kxPath
