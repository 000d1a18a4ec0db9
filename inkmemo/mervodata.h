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

    // Replaces the file only once the whole page is written; error tells why not.
    bool save(const QString& path, QString* error = nullptr) const;
    // A missing or unreadable file leaves the page as it was; a wrong header gives an
    // empty page. Damaged records end the page at the last sound one.
    bool load(const QString& path);

    // Changed by insert, remove or clear since the last load (of any file, or none) or markSaved.
    bool isModified() const { return m_modified; }
    // The last load found a file that does not hold this page as it would be written
    // (unreadable, a wrong header, damaged or missing records): saving would lose bytes.
    bool isDamaged() const { return m_damaged; }
    // The page and its file agree again (loaded afresh or just saved).
    void markSaved();

    // Returns the insertion bar's cell position (left edge, baseline).
    QPoint draw(QPainter& p, int cursor, int width, int charHeight, int charSpace, int lineSpace) const;
    int numberOfLines(int width, int charHeight, int charSpace, int lineSpace) const;
    int pointToIndex(QPoint pos, int width, int charHeight, int charSpace, int lineSpace) const;

private:
    QByteArray toBytes() const;

    QList<MervoChar> m_chars;
    bool m_modified = false;
    bool m_damaged = false;
};
