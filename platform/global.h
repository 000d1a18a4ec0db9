#pragma once

#include <QString>

class Global
{
public:
    // A short notice that disappears by itself.
    static void statusMessage(const QString& text);
};
