#pragma once

#include <QByteArray>

// Copies a file's bytes so that a failure never costs the target its old content:
// they go to a new file beside the target, which takes the target's name only when
// every byte is written and on disk. Paths are the file system's bytes (RawPath).
class SafeCopy
{
public:
    enum Result { Done, SourceNotOpened, TargetNotOpened, ReadFailed, WriteFailed };

    static constexpr int BlockSize = 8192;

    // A symbolic link as target is written through to the file it points at. A
    // target that exists keeps its permissions (and, when run by root, its owner);
    // one we may not write is refused as the old in-place write refused it.
    static Result copy(const QByteArray& from, const QByteArray& to);
};
