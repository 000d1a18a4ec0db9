#pragma once

#include <QString>

// The keyword-colouring data of one file type. The editor keeps seven: 0 for
// ".txt" files, 1 to 5 for the user types, 6 for every other file. Colours are
// keyword colour numbers (0 off). A fresh record has null strings and zeros.
struct UserFileInfo
{
    // The keyword lists are regular expressions (record 0 only).
    bool regExp = false;
    // Colour of half-width characters (record 0 only).
    int charColor = 0;
    // Extensions of the type, separated by spaces (user types only).
    QString ext;
    // Three keyword lists, words separated by spaces.
    QString word1;
    QString word2;
    QString word3;
    // What starts a comment, coloured to the end of the line.
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
