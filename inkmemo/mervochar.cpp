#include "mervochar.h"

#include <QDataStream>
#include <QIODevice>
#include <QPainter>

namespace {
constexpr quint8 KindInk = 'H';
constexpr quint8 KindText = 'S';
constexpr quint8 TagHeight = 'H';
constexpr quint8 TagPoints = 'P';
constexpr quint8 TagConnected = 'C';
constexpr quint8 TagText = 'T';
constexpr quint8 EndOfRecord = 'E';
// Far beyond any screen, and small enough that a drawing's extent and its scaled
// width stay well inside int (a wrapped height of 0 would divide by zero).
constexpr qint32 FarthestPoint = 1 << 20;

const QColor Blue(0, 0, 255);

bool isTextChar(const QString& t)
{
    return t == QLatin1String(" ") || t == QLatin1String("\n") || (t.isEmpty() && !t.isNull());
}

// Refuses a count whose payload could not be in the rest of the input.
bool fits(QDataStream& in, qint64 count, qint64 bytesEach)
{
    const QIODevice* dev = in.device();
    if (count * bytesEach <= dev->bytesAvailable())
        return true;
    in.setStatus(QDataStream::ReadCorruptData);
    return false;
}

bool readPoints(QDataStream& in, QPolygon& points)
{
    quint32 n = 0;
    in >> n;
    if (in.status() != QDataStream::Ok || !fits(in, n, 8))
        return false;
    QPolygon read(static_cast<int>(n));
    for (quint32 i = 0; i < n; ++i) {
        qint32 x = 0, y = 0;
        in >> x >> y;
        if (qAbs(qint64(x)) > FarthestPoint || qAbs(qint64(y)) > FarthestPoint) {
            in.setStatus(QDataStream::ReadCorruptData);
            return false;
        }
        read.setPoint(int(i), x, y);
    }
    if (in.status() != QDataStream::Ok)
        return false;
    points = read;
    return true;
}

bool readBits(QDataStream& in, QBitArray& bits)
{
    quint32 m = 0;
    in >> m;
    // In 64 bits: m + 7 would wrap for the largest counts.
    const qint64 bytes = (qint64(m) + 7) / 8;
    if (in.status() != QDataStream::Ok || !fits(in, bytes, 1))
        return false;
    QBitArray read(static_cast<qsizetype>(m));
    for (qint64 byte = 0; byte < bytes; ++byte) {
        quint8 b = 0;
        in >> b;
        for (int bit = 0; bit < 8 && byte * 8 + bit < m; ++bit)
            read.setBit(byte * 8 + bit, b & (1 << bit));
    }
    if (in.status() != QDataStream::Ok)
        return false;
    bits = read;
    return true;
}

bool readText(QDataStream& in, QString& text)
{
    quint32 bytes = 0;
    in >> bytes;
    if (in.status() != QDataStream::Ok)
        return false;
    if (bytes % 2 != 0) {
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    if (!fits(in, bytes, 1))
        return false;
    QString read(static_cast<int>(bytes / 2), Qt::Uninitialized);
    if (bytes == 0)
        read = QLatin1String("");
    for (int i = 0; i < read.size(); ++i) {
        quint16 unit = 0;
        in >> unit;
        read[i] = QChar(unit);
    }
    if (in.status() != QDataStream::Ok)
        return false;
    text = read;
    return true;
}
} // namespace

MervoChar::MervoChar() = default;

MervoChar::MervoChar(int standardHeight) : m_type(Ink), m_standardHeight(standardHeight) {}

MervoChar::MervoChar(const QString& text) : m_type(Text), m_text(text) {}

void MervoChar::setData(const QPolygon& points, const QBitArray& connected)
{
    if (m_type != Ink)
        return;
    m_points = points;
    m_connected = connected;
}

void MervoChar::setText(const QString& text)
{
    if (m_type != Text)
        return;
    m_text = text;
}

int MervoChar::scaleBase() const
{
    return qMax(m_standardHeight, m_points.boundingRect().height());
}

int MervoChar::width(int h) const
{
    if (m_type == Ink)
        return m_points.isEmpty() ? 0 : m_points.boundingRect().width() * h / scaleBase();
    if (m_type == Text && isTextChar(m_text))
        return int(h * 0.5);
    return 0;
}

int MervoChar::draw(QPainter& p, int x, int y, int h) const
{
    const int w = width(h);
    if (m_type == Ink && !m_points.isEmpty()) {
        const QRect r = m_points.boundingRect();
        const int s = scaleBase();
        auto map = [&](const QPoint& pt) {
            return QPoint((pt.x() - r.left()) * h / s + x, (pt.y() - r.bottom()) * h / s + y);
        };
        const int n = qMin(int(m_points.size()), int(m_connected.size()));
        for (int i = 1; i < n; ++i)
            if (m_connected.testBit(i))
                p.drawLine(map(m_points.point(i - 1)), map(m_points.point(i)));
    } else if (isLineBreak()) {
        p.setPen(Blue);
        p.drawLine(x + w - 1, y - h, x + w - 1, y - 2);
        p.drawLine(x, y - 2, x + w - 1, y - 2);
        p.drawLine(x, y - 2, x + (w - 1) / 2, y - (w - 1) / 2);
    } else if (isEndMark()) {
        p.fillRect(x, y - h, w, h, Blue);
    }
    return w;
}

QDataStream& operator<<(QDataStream& out, const MervoChar& c)
{
    if (c.type() == MervoChar::Ink) {
        const QPolygon& points = c.points();
        const QBitArray& bits = c.connected();
        out << KindInk << TagHeight << qint32(c.standardHeight());
        out << TagPoints << quint32(points.size());
        for (const QPoint& pt : points)
            out << qint32(pt.x()) << qint32(pt.y());
        out << TagConnected << quint32(bits.size());
        for (int byte = 0; byte < (bits.size() + 7) / 8; ++byte) {
            quint8 b = 0;
            for (int bit = 0; bit < 8 && byte * 8 + bit < bits.size(); ++bit)
                if (bits.testBit(byte * 8 + bit))
                    b |= quint8(1 << bit);
            out << b;
        }
    } else {
        const QString& text = c.text();
        out << KindText << TagText << quint32(text.size() * 2);
        for (QChar ch : text)
            out << quint16(ch.unicode());
    }
    out << EndOfRecord;
    return out;
}

QDataStream& operator>>(QDataStream& in, MervoChar& c)
{
    quint8 kind = 0;
    in >> kind;
    if (in.status() != QDataStream::Ok)
        return in;
    if (kind != KindInk && kind != KindText) {
        in.setStatus(QDataStream::ReadCorruptData);
        return in;
    }
    MervoChar read = kind == KindInk ? MervoChar(0) : MervoChar(QString());
    QPolygon points;
    QBitArray bits;
    QString text;
    bool hasText = false;
    // Tagged fields in any order; the first byte that is no tag of this kind ends the record.
    for (;;) {
        quint8 tag = 0;
        in >> tag;
        if (in.status() != QDataStream::Ok)
            return in;
        bool ok = true;
        if (kind == KindInk && tag == TagHeight) {
            qint32 height = 0;
            in >> height;
            read.setStandardHeight(height);
            ok = in.status() == QDataStream::Ok;
        } else if (kind == KindInk && tag == TagPoints) {
            ok = readPoints(in, points);
        } else if (kind == KindInk && tag == TagConnected) {
            ok = readBits(in, bits);
        } else if (kind == KindText && tag == TagText) {
            ok = readText(in, text);
            hasText = true;
        } else {
            break;
        }
        if (!ok)
            return in;
    }
    // A text record without its text is no character the program writes, and would
    // be written back as an end mark.
    if (kind == KindText && !hasText) {
        in.setStatus(QDataStream::ReadCorruptData);
        return in;
    }
    // Drawing reads one connected bit per point.
    bits.resize(points.size());
    read.setData(points, bits);
    read.setText(text);
    c = read;
    return in;
}
