#pragma once

#include "mervochar.h"

#include <QList>
#include <QPoint>
#include <QString>

class QPainter;

// One page of ink: characters laid out like text in ruled lines, always ending with
// the end mark. Layout takes the available width W, the character height H, the gap
// after each character and the gap between lines; nothing of it is cached.
class MervoData
{
public:
    MervoData();

    void clear();
    int count() const { return int(m_chars.size()); }
    MervoChar& at(int i) { return m_chars[i]; }
    const MervoChar& at(int i) const { return m_chars.at(i); }
    bool insert(int pos, const MervoChar& c);
    bool remove(int pos);

    // Replaces the file only once the whole page is written.
    bool save(const QString& path) const;
    // A missing or unreadable file leaves the page as it was; a wrong header gives an
    // empty page. Damaged records end the page at the last sound one.
    bool load(const QString& path);

    // Returns the insertion bar's cell position (left edge, baseline).
    QPoint draw(QPainter& p, int cursor, int width, int charHeight, int charSpace, int lineSpace) const;
    int numberOfLines(int width, int charHeight, int charSpace, int lineSpace) const;
    int pointToIndex(QPoint pos, int width, int charHeight, int charSpace, int lineSpace) const;

private:
    QList<MervoChar> m_chars;
};
