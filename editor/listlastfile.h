#pragma once

#include <QString>

// The seven recent files with the cursor and background colour each was left
// with. An entry is valid while its column is 0 or more.
class ListLastFile
{
public:
    static constexpr int Count = 7;

    struct Entry
    {
        QString path;
        int col = -1;
        int line = -1;
        int color = 0;
    };

    QString path(int i) const { return m_entries[i].path; }
    int col(int i) const { return m_entries[i].col; }
    int line(int i) const { return m_entries[i].line; }
    int color(int i) const { return m_entries[i].color; }
    bool isValid(int i) const { return m_entries[i].col >= 0; }

    // For the settings files, which hold the entries key by key.
    Entry& entry(int i) { return m_entries[i]; }

    void itemSet(int i, const QString& path, int col, int line, int color);
    // Empties entry i: a cleared file is forgotten, not just hidden.
    void clear(int i) { m_entries[i] = Entry(); }

    // Puts path at entry 0: a valid entry with the same path moves up, otherwise
    // the oldest entry drops out.
    void push(const QString& path, int col, int line, int color);

private:
    Entry m_entries[Count];
};
