#include "mervodata.h"

#include "platform/plainfile.h"
#include "platform/safefile.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

namespace {
const QString Magic = QStringLiteral("MERVO");
constexpr quint8 Version = 0;
const QColor RuleGrey(192, 192, 192);
const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

// The walk of the line layout shared by drawing, line counting and hit testing.
struct LineWalk
{
    LineWalk(int width, int charHeight, int charSpace, int lineSpace)
        : w(width), cs(charSpace), pitch(charHeight + lineSpace), y(pitch - 1) {}

    // Moves to a new line when a cell of width cw does not fit; true when it did.
    bool wrap(int cw)
    {
        if (x + cw <= w)
            return false;
        newLine();
        return true;
    }
    void newLine()
    {
        x = 0;
        y += pitch;
        ++moves;
    }
    int lineOf(int py) const { return (py + pitch) / pitch - 1; }

    int w, cs, pitch;
    int x = 0;
    int y;
    int moves = 0;
};

bool readHeader(QDataStream& in)
{
    quint32 bytes = 0;
    in >> bytes;
    if (in.status() != QDataStream::Ok || bytes != quint32(Magic.size() * 2))
        return false;
    for (QChar expected : Magic) {
        quint16 unit = 0;
        in >> unit;
        if (unit != expected.unicode())
            return false;
    }
    quint8 version = 0xff;
    in >> version;
    return in.status() == QDataStream::Ok && version == Version;
}
} // namespace

MervoData::MervoData()
{
    clear();
}

void MervoData::clear()
{
    m_chars.clear();
    m_chars.append(MervoChar(QLatin1String("")));
    m_modified = true;
}

bool MervoData::insert(int pos, const MervoChar& c)
{
    if (pos < 0 || pos >= count())
        return false;
    m_chars.insert(pos, c);
    m_modified = true;
    return true;
}

bool MervoData::remove(int pos)
{
    if (pos < 0 || pos >= count())
        return false;
    m_chars.removeAt(pos);
    m_modified = true;
    return true;
}

void MervoData::markSaved()
{
    m_modified = false;
    m_damaged = false;
}

QByteArray MervoData::toBytes() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << quint32(Magic.size() * 2);
    for (QChar ch : Magic)
        out << quint16(ch.unicode());
    out << Version;
    for (const MervoChar& c : m_chars)
        out << c;
    return bytes;
}

bool MervoData::save(const QString& path, QString* error) const
{
    const QByteArray bytes = toBytes();
    SafeFile file(path);
    if (file.open() && file.write(bytes) && file.writtenSize() == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancel();
    return false;
}

bool MervoData::load(const QString& path)
{
    m_modified = false;
    QFile file;
    if (!openPlainFile(file, path)) {
        m_damaged = QFileInfo::exists(path);
        return false;
    }
    QDataStream in(&file);
    if (!readHeader(in)) {
        clear();
        m_modified = false;
        m_damaged = true;
        return false;
    }
    m_chars.clear();
    while (!in.atEnd()) {
        MervoChar c;
        in >> c;
        if (in.status() != QDataStream::Ok)
            break;
        // A drawing without points has no size to scale by.
        if (c.type() == MervoChar::Ink && c.points().isEmpty())
            continue;
        m_chars.append(c);
    }
    if (m_chars.isEmpty() || !m_chars.last().isEndMark())
        m_chars.append(MervoChar(QLatin1String("")));
    // Whatever was skipped, repaired or not read shows as a difference.
    const QByteArray bytes = toBytes();
    m_damaged = file.size() != bytes.size() || !file.seek(0) || file.read(bytes.size()) != bytes;
    return true;
}

QPoint MervoData::draw(QPainter& p, int cursor, int width, int charHeight, int charSpace, int lineSpace) const
{
    LineWalk walk(width, charHeight, charSpace, lineSpace);
    QPoint result(0, walk.y);
    auto rule = [&] {
        p.setPen(RuleGrey);
        p.drawLine(0, walk.y, width, walk.y);
    };
    rule();
    for (int i = 0; i < count(); ++i) {
        const MervoChar& c = m_chars.at(i);
        const int cw = c.width(charHeight);
        if (walk.wrap(cw))
            rule();
        if (i == cursor) {
            p.setPen(Red);
            p.drawLine(walk.x, walk.y - 1, walk.x, walk.y - charHeight - lineSpace);
            result = QPoint(walk.x, walk.y);
        }
        p.setPen(i == cursor - 1 ? Red : Black);
        c.draw(p, walk.x, walk.y, charHeight);
        walk.x += cw + charSpace;
        if (c.isLineBreak()) {
            walk.newLine();
            rule();
        }
    }
    return result;
}

int MervoData::numberOfLines(int width, int charHeight, int charSpace, int lineSpace) const
{
    LineWalk walk(width, charHeight, charSpace, lineSpace);
    for (const MervoChar& c : m_chars) {
        walk.wrap(c.width(charHeight));
        walk.x += c.width(charHeight) + charSpace;
        if (c.isLineBreak())
            walk.newLine();
    }
    return 1 + walk.moves;
}

int MervoData::pointToIndex(QPoint pos, int width, int charHeight, int charSpace, int lineSpace) const
{
    LineWalk walk(width, charHeight, charSpace, lineSpace);
    const int pl = walk.lineOf(pos.y());
    auto before = [&] {
        const int cl = walk.lineOf(walk.y);
        return pl < cl || (pl == cl && pos.x() <= walk.x);
    };
    int i = 0;
    for (; i < count(); ++i) {
        if (before())
            break;
        const MervoChar& c = m_chars.at(i);
        const int cw = c.width(charHeight);
        if (walk.wrap(cw) && before())
            break;
        walk.x += cw + charSpace;
        if (c.isLineBreak()) {
            if (pl == walk.lineOf(walk.y))
                break;
            walk.newLine();
        }
    }
    if (i > 0 && i >= count())
        i = count() - 1;
    return i;
}
