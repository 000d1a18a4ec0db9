#pragma once

#include "platform/applnk.h"

// A document: an AppLnk whose file is the document's path.
class DocLnk : public AppLnk
{
public:
    DocLnk() = default;
    explicit DocLnk(const QString& file) { setFile(file); }
};
