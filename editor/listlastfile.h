#pragma once

#include <QString>

// The seven recent files with the cursor and background colour each was left
// with. An entry is valid while its column is 0 or more.
class ListLastFile
{
public:
    static constexpr int Count = 7;

    QString path(int i) const { return m_path[i]; }
    int col(int i) const { return m_col[i]; }
    int line(int i) const { return m_line[i]; }
    int color(int i) const { return m_color[i]; }
    bool isValid(int i) const { return m_col[i] >= 0; }

    void itemSet(int i, const QString& path, int col, int line, int color);
    // Invalidates entry i; its path, line and colour stay (they are still written).
    void clear(int i) { m_col[i] = -1; }

    // Puts path at entry 0: a valid entry with the same path moves up, otherwise
    // the oldest entry drops out.
    void push(const QString& path, int col, int line, int color);

private:
    QString m_path[Count];
    int m_col[Count] = {-1, -1, -1, -1, -1, -1, -1};
    int m_line[Count] = {-1, -1, -1, -1, -1, -1, -1};
    int m_color[Count] = {};
};
