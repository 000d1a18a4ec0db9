#include "mervodata.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QByteArray Header = QByteArray::fromHex("0000000a004d004500520056004f00");
const QByteArray EndRecord = QByteArray::fromHex("53540000000045");
const QByteArray SpaceRecord = QByteArray::fromHex("535400000002002045");
const QByteArray BreakRecord = QByteArray::fromHex("535400000002000a45");

MervoChar ink(const QList<QPoint>& points, int standardHeight)
{
    MervoChar c(standardHeight);
    QBitArray bits(points.size(), true);
    bits.clearBit(0);
    c.setData(QPolygon(points), bits);
    return c;
}

MervoData page(const QList<MervoChar>& chars)
{
    MervoData d;
    for (const MervoChar& c : chars)
        d.insert(d.count() - 1, c);
    return d;
}

bool sameChar(const MervoChar& a, const MervoChar& b)
{
    return a.type() == b.type() && a.points() == b.points() && a.connected() == b.connected()
        && a.text() == b.text() && a.text().isNull() == b.text().isNull()
        && (a.type() == MervoChar::Text || a.standardHeight() == b.standardHeight());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray be32(quint32 v)
{
    QByteArray b;
    QDataStream(&b, QIODevice::WriteOnly) << v;
    return b;
}
} // namespace

class TestMervoData : public QObject
{
    Q_OBJECT
private slots:
    void widths();
    void newPageDrawing();
    void wrapping();
    void pointToIndex();
    void newPageFileIsExact();
    void textAndInkRecordsAreExact();
    void roundTrip();
    void headerProblems();
    void headerOnlyGetsEndMark();
    void truncatedFilesKeepSoundPrefix();
    void unsoundRecordsEndThePage();
    void oddRecordsAreMadeSafe();
    void garbageNeverBreaksThePage();
    void farPointsEndThePage();
    void loadingTellsDamageAndEdits();

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void TestMervoData::widths()
{
    // 10 x 40 pixels: scaled by the standard height unless the drawing is taller.
    const QList<QPoint> tall{{0, 0}, {9, 39}};
    QCOMPARE(ink(tall, 80).width(16), 2);
    QCOMPARE(ink(tall, 20).width(16), 4);
    QCOMPARE(ink({{5, 5}}, 16).width(16), 1);
    QCOMPARE(MervoChar(QStringLiteral(" ")).width(16), 8);
    QCOMPARE(MervoChar(QStringLiteral("\n")).width(15), 7);
    QCOMPARE(MervoChar(QLatin1String("")).width(16), 8);
    QCOMPARE(MervoChar(QStringLiteral("x")).width(16), 0);
    QCOMPARE(MervoChar().width(16), 0);
}

void TestMervoData::newPageDrawing()
{
    const MervoData d;
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QPoint bar = d.draw(p, 0, 100, 16, 4, 2);
    p.end();

    QCOMPARE(bar, QPoint(0, 17));
    QCOMPARE(d.numberOfLines(100, 16, 4, 2), 1);
    QCOMPARE(image.pixelColor(50, 17), QColor(192, 192, 192)); // the one rule
    QCOMPARE(image.pixelColor(50, 35), QColor(Qt::white));    // no second one
    QCOMPARE(image.pixelColor(0, 0), QColor(255, 0, 0));      // bar above the block
    QCOMPARE(image.pixelColor(7, 1), QColor(0, 0, 255));      // end block 8 x 16
    QCOMPARE(image.pixelColor(0, 16), QColor(0, 0, 255));
    QCOMPARE(image.pixelColor(8, 8), QColor(Qt::white));
}

void TestMervoData::wrapping()
{
    // Spaces of width 8 with gap 4 sit at 0, 12, 24: the third does not fit in 30.
    const MervoChar sp(QStringLiteral(" "));
    const MervoData spaces = page({sp, sp, sp});
    QCOMPARE(spaces.numberOfLines(30, 16, 4, 2), 2);
    QImage image(30, 60, QImage::Format_RGB32);
    QPainter p(&image);
    QCOMPARE(spaces.draw(p, 2, 30, 16, 4, 2), QPoint(0, 35));
    QCOMPARE(spaces.draw(p, 3, 30, 16, 4, 2), QPoint(12, 35));

    // Too wide for any line: it wraps even at x = 0, leaving line 0 empty.
    const MervoData wide = page({ink({{0, 0}, {39, 15}}, 16)});
    QCOMPARE(wide.numberOfLines(30, 16, 4, 2), 3);
    image.fill(Qt::white);
    QCOMPARE(wide.draw(p, 0, 30, 16, 4, 2), QPoint(0, 35));
    QCOMPARE(image.pixelColor(10, 17), QColor(192, 192, 192));
    QCOMPARE(image.pixelColor(10, 10), QColor(Qt::white));

    // A trailing line break opens one more line.
    QCOMPARE(page({sp, MervoChar(QStringLiteral("\n"))}).numberOfLines(100, 16, 4, 2), 2);
}

void TestMervoData::pointToIndex()
{
    // Line 0: A (width 10) at 0, space at 14, break at 26. Line 1: B at 0, end mark at 14.
    const MervoChar a = ink({{0, 0}, {9, 15}}, 16);
    const MervoData d = page({a, MervoChar(QStringLiteral(" ")), MervoChar(QStringLiteral("\n")), a});
    auto at = [&](int x, int y) { return d.pointToIndex(QPoint(x, y), 100, 16, 4, 2); };
    QCOMPARE(at(0, 5), 0);
    QCOMPARE(at(5, 5), 1);   // inside A: after it
    QCOMPARE(at(60, 5), 2);  // right of the break: before the break
    QCOMPARE(at(5, 20), 4);  // inside B on line 1
    QCOMPARE(at(0, 20), 3);
    QCOMPARE(at(99, 20), 4); // right of the end mark
    QCOMPARE(at(5, -1), 0);
    QCOMPARE(at(5, 500), 4); // below the text: the end mark

    // Right of the last character of a wrapped line: the first one of the next line.
    const MervoChar sp(QStringLiteral(" "));
    const MervoData spaces = page({sp, sp, sp});
    QCOMPARE(spaces.pointToIndex(QPoint(29, 5), 30, 16, 4, 2), 2);
    QCOMPARE(MervoData().pointToIndex(QPoint(50, 50), 100, 16, 4, 2), 0);
}

void TestMervoData::newPageFileIsExact()
{
    MervoData refused;
    QVERIFY(!refused.insert(1, MervoChar(QStringLiteral(" ")))); // after the end mark
    QVERIFY(!refused.remove(1));
    QVERIFY(MervoData().save(path("new.mervo")));
    const QByteArray bytes = readFile(path("new.mervo"));
    QCOMPARE(bytes.size(), 22);
    QCOMPARE(bytes, Header + EndRecord);
}

void TestMervoData::textAndInkRecordsAreExact()
{
    const MervoData text = page({MervoChar(QStringLiteral(" ")), MervoChar(QStringLiteral("\n"))});
    QVERIFY(text.save(path("text.mervo")));
    QCOMPARE(readFile(path("text.mervo")), Header + SpaceRecord + BreakRecord + EndRecord);

    MervoChar c(7);
    QBitArray bits(9, true);
    bits.clearBit(0);
    QPolygon points;
    for (int i = 0; i < 9; ++i)
        points << QPoint(i, -i);
    c.setData(points, bits);
    QVERIFY(page({c}).save(path("ink.mervo")));
    QByteArray record = QByteArray::fromHex("4848000000075000000009");
    for (int i = 0; i < 9; ++i)
        record += be32(quint32(i)) + be32(quint32(-i));
    record += QByteArray::fromHex("4300000009fe0145"); // bit 0 clear, bits 1..8 set, LSB first
    QCOMPARE(readFile(path("ink.mervo")), Header + record + EndRecord);
}

void TestMervoData::roundTrip()
{
    MervoChar twoStrokes(33);
    QBitArray bits(4);
    bits.setBit(1);
    bits.setBit(3);
    twoStrokes.setData(QPolygon({{10, 20}, {30, 25}, {-5, 7}, {100000, -100000}}), bits);
    const MervoData original = page({twoStrokes, MervoChar(QStringLiteral(" ")),
                                     MervoChar(QStringLiteral("\n")), ink({{1, 1}}, 0),
                                     MervoChar(QStringLiteral("\u00e9x"))});
    QVERIFY(original.save(path("trip.mervo")));
    MervoData loaded;
    QVERIFY(loaded.load(path("trip.mervo")));
    QCOMPARE(loaded.count(), original.count());
    for (int i = 0; i < original.count(); ++i)
        QVERIFY2(sameChar(loaded.at(i), original.at(i)), qPrintable(QString::number(i)));
    QVERIFY(loaded.at(loaded.count() - 1).isEndMark());
}

void TestMervoData::headerProblems()
{
    const MervoData filled = page({MervoChar(QStringLiteral(" "))});

    MervoData d = filled;
    QVERIFY(!d.load(path("missing.mervo")));
    QCOMPARE(d.count(), 2); // unchanged

    QByteArray version1 = Header + EndRecord;
    version1[14] = 1;
    writeFile(path("v1.mervo"), version1);
    QVERIFY(!d.load(path("v1.mervo")));
    QCOMPARE(d.count(), 1);

    QByteArray magic = Header + SpaceRecord + EndRecord;
    magic[5] = 'N';
    const QList<QByteArray> wrong{magic, Header.left(10), QByteArray(), be32(0xffffffff) + EndRecord};
    for (const QByteArray& bytes : wrong) {
        d = filled;
        writeFile(path("bad.mervo"), bytes);
        QVERIFY(!d.load(path("bad.mervo")));
        QCOMPARE(d.count(), 1);
        QVERIFY(d.at(0).isEndMark());
    }
}

void TestMervoData::headerOnlyGetsEndMark()
{
    writeFile(path("header.mervo"), Header);
    MervoData d = page({MervoChar(QStringLiteral(" "))});
    QVERIFY(d.load(path("header.mervo")));
    QCOMPARE(d.count(), 1);
    QVERIFY(d.at(0).isEndMark());
    QCOMPARE(d.pointToIndex(QPoint(40, 40), 100, 16, 4, 2), 0);
    QVERIFY(d.insert(0, MervoChar(QStringLiteral(" "))));

    // Records without the end mark: the sound ones stay and an end mark is added.
    writeFile(path("noend.mervo"), Header + SpaceRecord + BreakRecord);
    QVERIFY(d.load(path("noend.mervo")));
    QCOMPARE(d.count(), 3);
    QCOMPARE(d.at(1).text(), QStringLiteral("\n"));
    QVERIFY(d.at(2).isEndMark());
}

void TestMervoData::truncatedFilesKeepSoundPrefix()
{
    const MervoData original = page({ink({{0, 0}, {5, 9}, {2, 3}}, 20), MervoChar(QStringLiteral(" ")),
                                     ink({{4, 4}, {8, 1}}, 20)});
    QVERIFY(original.save(path("full.mervo")));
    const QByteArray full = readFile(path("full.mervo"));
    for (int size = Header.size(); size < full.size(); ++size) {
        writeFile(path("cut.mervo"), full.left(size));
        MervoData d;
        QVERIFY(d.load(path("cut.mervo")));
        QVERIFY(d.count() >= 1 && d.count() <= original.count());
        QVERIFY(d.at(d.count() - 1).isEndMark());
        for (int i = 0; i < d.count() - 1; ++i)
            QVERIFY2(sameChar(d.at(i), original.at(i)), qPrintable(QStringLiteral("size %1").arg(size)));
    }
}

void TestMervoData::unsoundRecordsEndThePage()
{
    const QList<QByteArray> records{
        QByteArray::fromHex("484800000010") + "P" + be32(0x7fffffff) + be32(1) + be32(2) + "E",
        QByteArray::fromHex("484800000010") + "P" + be32(1) + be32(1) + be32(2) + "C" + be32(0xfffffff0) + "E",
        QByteArray::fromHex("484800000010") + "P" + be32(1) + be32(1) + be32(2) + "C" + be32(0xffffffff) + "E",
        QByteArray("ST") + be32(0xfffffffe) + QByteArray::fromHex("0020") + "E",
        QByteArray("X") + SpaceRecord, // unknown record kind
        QByteArray("SE"),               // a text record without its text
    };
    for (const QByteArray& record : records) {
        writeFile(path("unsound.mervo"), Header + SpaceRecord + record + BreakRecord + EndRecord);
        MervoData d;
        QVERIFY(d.load(path("unsound.mervo")));
        QCOMPARE(d.count(), 2);
        QCOMPARE(d.at(0).text(), QStringLiteral(" "));
        QVERIFY(d.at(1).isEndMark());
    }
}

void TestMervoData::oddRecordsAreMadeSafe()
{
    // No points (dropped), fewer bits than points, an odd text length (damage).
    const QByteArray noPoints = QByteArray("HH") + be32(16) + "P" + be32(0) + "C" + be32(0) + "E";
    const QByteArray fewBits = QByteArray("HH") + be32(0) + "P" + be32(3) + be32(0) + be32(0) + be32(5)
        + be32(0) + be32(2) + be32(9) + "C" + be32(2) + QByteArray(1, 2) + "E";
    writeFile(path("odd.mervo"), Header + noPoints + fewBits + QByteArray("ST") + be32(3) + "abcE");
    MervoData d;
    QVERIFY(d.load(path("odd.mervo")));
    QCOMPARE(d.count(), 2);
    QCOMPARE(d.at(0).points().size(), 3);
    QCOMPARE(d.at(0).connected().size(), 3);
    QVERIFY(d.at(1).isEndMark());
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    d.draw(p, 1, 100, 16, 4, 2);
    QCOMPARE(image.pixelColor(4, 3), QColor(255, 0, 0)); // the first segment is drawn
}

void TestMervoData::garbageNeverBreaksThePage()
{
    QRandomGenerator random(1234);
    const QByteArray kinds("HSPCTE");
    for (int round = 0; round < 500; ++round) {
        QByteArray bytes = Header;
        const int n = random.bounded(64);
        for (int i = 0; i < n; ++i)
            bytes += random.bounded(3) == 0 ? kinds.at(random.bounded(kinds.size())) : char(random.bounded(256));
        writeFile(path("garbage.mervo"), bytes);
        MervoData d;
        QVERIFY(d.load(path("garbage.mervo")));
        QVERIFY(d.at(d.count() - 1).isEndMark());
        QImage image(100, 100, QImage::Format_RGB32);
        QPainter p(&image);
        d.draw(p, 0, 100, 16, 4, 2);
        d.pointToIndex(QPoint(50, 50), 100, 16, 4, 2);
    }
}

void TestMervoData::farPointsEndThePage()
{
    // A drawing 2^32 pixels tall once wrapped its height to 0 and divided by it.
    const QByteArray far = QByteArray("HH") + be32(0) + "P" + be32(2) + be32(0) + be32(0x80000000) + be32(0)
        + be32(0x7fffffff) + "C" + be32(2) + QByteArray(1, 2) + "E";
    writeFile(path("far.mervo"), Header + SpaceRecord + far + BreakRecord + EndRecord);
    MervoData d;
    QVERIFY(d.load(path("far.mervo")));
    QCOMPARE(d.count(), 2);
    QVERIFY(d.at(1).isEndMark());

    // Up to 2^20 pixels from the origin a drawing is kept and laid out.
    const QByteArray wide = QByteArray("HH") + be32(0) + "P" + be32(2) + be32(-(1 << 20)) + be32(-(1 << 20))
        + be32(1 << 20) + be32(1 << 20) + "C" + be32(2) + QByteArray(1, 2) + "E";
    writeFile(path("wide.mervo"), Header + wide + EndRecord);
    QVERIFY(d.load(path("wide.mervo")));
    QCOMPARE(d.count(), 2);
    QCOMPARE(d.at(0).width(48), 48);
    QCOMPARE(d.numberOfLines(100, 48, 12, 12), 1);
}

void TestMervoData::loadingTellsDamageAndEdits()
{
    const QByteArray sound = Header + SpaceRecord + BreakRecord + EndRecord;
    QByteArray newer = sound;
    newer[14] = 1;
    const QList<QPair<QByteArray, bool>> files{
        {sound, false},
        {newer, true},
        {Header + SpaceRecord + QByteArray("ST") + be32(3) + "abcE" + EndRecord, true}, // damage in the middle
        {Header + QByteArray::fromHex("8b1f0d4cc2a3"), true},                           // random bytes
        {Header + SpaceRecord, true},                                                   // no end mark
        {sound + SpaceRecord, true},                                                    // records after the end mark
    };
    for (const auto& [bytes, damaged] : files) {
        writeFile(path("page.mervo"), bytes);
        MervoData d;
        d.insert(0, MervoChar(QStringLiteral(" ")));
        d.load(path("page.mervo"));
        QCOMPARE(d.isDamaged(), damaged);
        QVERIFY(!d.isModified());
    }
    MervoData d;
    QVERIFY(!d.load(path("missing.mervo")));
    QVERIFY(!d.isDamaged());
    QVERIFY(d.insert(0, MervoChar(QStringLiteral(" "))));
    QVERIFY(d.isModified());
    d.markSaved();
    QVERIFY(!d.isModified());
}

QTEST_MAIN(TestMervoData)
#include "tst_mervodata.moc"
