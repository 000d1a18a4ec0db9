#pragma once

#include <QString>

// What the view option dialog edits.
struct ViewOptions
{
    bool shortCutKey = true;
    int backColor = 0;
    int textColor = 0;
    int cursorDraw = 0;
    int cursorColor = 0;
    int cursorColor2 = 0;
    int cursorWidth = 2;
    int lineNumber = 0;
    bool lineNumberCr = false;
    int crMarkDisp = 0;
    int selectedColor = 0;
    int verticalLine = 0;
    int scrollBarDisp = 0;
    QString fontFamilyName;
};
