#include "markimages.h"

#include <cstring>

namespace {
const std::initializer_list<const char*> lineEnd1 = {"......", "......", ".....#", ".....#",
                                                     ".....#", "..#..#", ".#...#", "######"};
const std::initializer_list<const char*> lineEnd2 = {"......", "......", "....##", "....##",
                                                     "..#.##", ".##.##", "######", "######"};
const std::initializer_list<const char*> lineEnd3 = {".......#", ".......#", ".......#", ".......#",
                                                     ".......#", "..#....#", ".#.....#", "########"};
const std::initializer_list<const char*> lineEnd4 = {"......##", "......##", "......##", "......##",
                                                     "..##..##", ".##...##", "########", "########"};
const std::initializer_list<const char*> endOfTextRows = {".......#", "......##", ".....###", "....####",
                                                      "...#####", "..######", ".#######", "########"};
const std::initializer_list<const char*> tab1 = {"........", "....#...", ".....#..", "......#.",
                                                 ".....#..", "....#...", "...#....", "........"};
const std::initializer_list<const char*> tab2 = {"........", "....##..", ".....##.", "......##",
                                                 ".....##.", "....##..", "...##...", "........"};
const std::initializer_list<const char*> fullWidthSpace1 = {".#........", "..........", ".#........", "..........",
                                                            ".#........", "..........", ".#........", "..........",
                                                            ".#........", ".#.#.#.#.#"};
const std::initializer_list<const char*> fullWidthSpace2 = {"..........", ".#........", "..#.......", ".#........",
                                                            "..#.......", ".#........", "..#.......", ".#........",
                                                            "..#.#.#.#.", ".#.#.#.#.#"};
const std::initializer_list<const char*> jumpMarkRows = {
    ".###########", "############", "###@@@@@@@@@", "##@@########", "##@##.......", "##@#........",
    "##@#........", "##@#........", "##@#........", "##@#........", "##@#........", "##@#........",
    "##@#........", "##@#........"};
} // namespace

QImage MarkImages::fromRows(std::initializer_list<const char*> rows)
{
    QImage image(int(std::strlen(*rows.begin())), int(rows.size()), QImage::Format_ARGB32);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; row[x]; ++x)
            image.setPixel(x, y, row[x] == '#' ? qRgb(255, 0, 255) : row[x] == '@' ? qRgb(255, 255, 0) : qRgba(0, 0, 0, 0));
        ++y;
    }
    return image;
}

MarkImages::MarkImages() : m_endOfText(fromRows(endOfTextRows)), m_jumpMark(fromRows(jumpMarkRows)) {}

void MarkImages::setMode(int mode)
{
    switch (mode) {
    case 1: m_lineEnd = fromRows(lineEnd1); break;
    case 2: m_lineEnd = fromRows(lineEnd2); break;
    case 3: m_lineEnd = fromRows(lineEnd3); break;
    case 4: m_lineEnd = fromRows(lineEnd4); break;
    default: return;
    }
    const bool large = mode == 2 || mode == 4;
    m_tab = fromRows(large ? tab2 : tab1);
    m_fullWidthSpace = fromRows(large ? fullWidthSpace2 : fullWidthSpace1);
}
