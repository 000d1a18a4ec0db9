#pragma once

// What the function option dialog edits.
struct FuncOptions
{
    bool moveCursor = true;
    int appendCRCode = 0;
    int caseSensitive = 0;
    bool incrementalSearch = true;
    int wrapMethod = 0;
    int tabLength = 8;
    int inputCodec = 0;
    int outputCodec = 0;
    int cursorWord = 1;
    int winDateForm = 0;
};
