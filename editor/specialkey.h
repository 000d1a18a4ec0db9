#pragma once

// Function numbers bound to the ten special key presses, in the order the
// special-key dialog edits them.
struct SpecialKey
{
    int ctrlEnter = 0;
    int ctrlSpace = 0;
    int shiftEnter = 0;
    int shiftSpace = 0;
    int fnM = 0;
    int fnN = 0;
    int fnO = 0;
    int fnP = 0;
    int fnA = 0;
    int fnS = 0;

    bool operator==(const SpecialKey& o) const
    {
        return ctrlEnter == o.ctrlEnter && ctrlSpace == o.ctrlSpace && shiftEnter == o.shiftEnter
            && shiftSpace == o.shiftSpace && fnM == o.fnM && fnN == o.fnN && fnO == o.fnO
            && fnP == o.fnP && fnA == o.fnA && fnS == o.fnS;
    }
    bool operator!=(const SpecialKey& o) const { return !(*this == o); }
};
