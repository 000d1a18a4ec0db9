#pragma once

#include <QByteArray>
#include <QString>

// Paths as the bytes the file system holds. A name that is not UTF-8 would change
// on its way through a QString and could then name another file, so the file
// dialog keeps every path it works on in this form and decodes only for display.
namespace RawPath {

QByteArray fromString(const QString& path);
// Invalid UTF-8 shows as U+FFFD.
QString display(const QByteArray& path);

// folder + "/" + name, without doubling a "/" that folder ends with.
QByteArray join(const QByteArray& folder, const QByteArray& name);
// Absolute (against the working folder), with "." and ".." taken out by the letters,
// as QDir::absolutePath does; "/" for the root, no "/" at the end otherwise.
QByteArray absolute(const QByteArray& path);
// The folder above an absolute path; "/" stays "/".
QByteArray parent(const QByteArray& absolutePath);

// True when both paths reach the same file (device and inode, links followed).
bool sameFile(const QByteArray& a, const QByteArray& b);
bool isFolder(const QByteArray& path);
// Anything at all under this name, a dangling symbolic link included.
bool exists(const QByteArray& path);

} // namespace RawPath
