#pragma once

#include <QString>

// The keyword-colouring data of one file type.
struct UserFileInfo
{
    bool regExp = false;
    int charColor = 0;
    QString ext;
    QString word1;
    QString word2;
    QString word3;
    QString comment;
    int color1 = 0;
    int color2 = 0;
    int color3 = 0;
    int commentColor = 0;
};
