#include "listlastfile.h"

void ListLastFile::itemSet(int i, const QString& path, int col, int line, int color)
{
    m_path[i] = path;
    m_col[i] = col;
    m_line[i] = line;
    m_color[i] = color;
}

void ListLastFile::push(const QString& path, int col, int line, int color)
{
    int from = Count - 1;
    for (int i = 0; i < Count; ++i) {
        if (isValid(i) && m_path[i] == path) {
            from = i;
            break;
        }
    }
    for (int k = from - 1; k >= 0; --k)
        itemSet(k + 1, m_path[k], m_col[k], m_line[k], m_color[k]);
    itemSet(0, path, col, line, color);
}
