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

    bool operator==(const UserFileInfo& o) const
    {
        return regExp == o.regExp && charColor == o.charColor && ext == o.ext && word1 == o.word1 && word2 == o.word2
            && word3 == o.word3 && comment == o.comment && color1 == o.color1 && color2 == o.color2
            && color3 == o.color3 && commentColor == o.commentColor;
    }
};
