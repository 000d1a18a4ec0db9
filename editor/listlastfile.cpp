#include "listlastfile.h"

void ListLastFile::itemSet(int i, const QString& path, int col, int line, int color)
{
    m_entries[i] = Entry{path, col, line, color};
}

void ListLastFile::push(const QString& path, int col, int line, int color)
{
    int from = Count - 1;
    for (int i = 0; i < Count; ++i) {
        if (isValid(i) && m_entries[i].path == path) {
            from = i;
            break;
        }
    }
    for (int k = from - 1; k >= 0; --k)
        m_entries[k + 1] = m_entries[k];
    itemSet(0, path, col, line, color);
}
