#pragma once

#include <QBitArray>
#include <QPolygon>
#include <QString>

class QDataStream;
class QPainter;

// One character of an ink page: pen strokes, or one of the texts " " (space),
// "\n" (line break) and "" (the end mark of a page).
class MervoChar
{
public:
    enum Type { Ink = 0, Text = 1 };

    // An unset character, the target of reading a record: it has no size and draws nothing.
    MervoChar();
    explicit MervoChar(int standardHeight);
    explicit MervoChar(const QString& text);

    Type type() const { return m_type; }
    void setType(Type type) { m_type = type; }
    int standardHeight() const { return m_standardHeight; }
    void setStandardHeight(int height) { m_standardHeight = height; }

    void setData(const QPolygon& points, const QBitArray& connected);
    void setText(const QString& text);

    const QPolygon& points() const { return m_points; }
    const QBitArray& connected() const { return m_connected; }
    const QString& text() const { return m_text; }

    bool isEndMark() const { return m_type == Text && m_text.isEmpty() && !m_text.isNull(); }
    bool isLineBreak() const { return m_type == Text && m_text == QLatin1String("\n"); }

    int width(int h) const;
    // Draws with the left end of the baseline at (x, y); returns width(h).
    int draw(QPainter& p, int x, int y, int h) const;

private:
    // The larger of the standard height and the drawing's height: the drawing is
    // shrunk only when it is taller than the standard height.
    int scaleBase() const;

    Type m_type = Text;
    int m_standardHeight = 0;
    QPolygon m_points;
    QBitArray m_connected;
    QString m_text;
};

// One record of a page file. Reading sets the stream's status to ReadPastEnd on a
// truncated record and to ReadCorruptData on one that cannot be sound (unknown record
// kind, counts larger than the bytes left, an odd text length, a text record without
// its text, a point too far out).
QDataStream& operator<<(QDataStream& out, const MervoChar& c);
QDataStream& operator>>(QDataStream& in, MervoChar& c);
