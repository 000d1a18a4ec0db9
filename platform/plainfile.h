#pragma once

#include <QString>

class QFile;

// Opens a file for reading only when it is a plain file. The open never waits: a named
// pipe without a writer would block the program for good, and a pipe, a device or a
// folder is no document or settings file. On failure file stays closed.
bool openPlainFile(QFile& file, const QString& path);
