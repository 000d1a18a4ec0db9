#pragma once

#include <QString>

// Every label and message of the editor passes through the "eucJP" codec; the
// texts are ASCII, so this changes nothing but keeps one route for all of them.
QString eucLabel(const char* text);
