#include "text/codectable.h"
#include "text/encoding.h"
#include "text/jistable.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

#include <csignal>
#include <sys/resource.h>

// "日本語" (and "한국어", "中文") as the bytes each encoding stores.
static const QString japanese = QString::fromUtf8("日本語");
static const QByteArray sjisBytes = QByteArray::fromHex("93fa967b8cea");
static const QByteArray eucJpBytes = QByteArray::fromHex("c6fccbdcb8ec");
static const QByteArray jisBytes = QByteArray::fromHex("1b2442467c4b5c386c1b2842");

class TestEncoding : public QObject
{
    Q_OBJECT

private slots:
    void everyCodecRoundTripsRealBytes_data();
    void everyCodecRoundTripsRealBytes();
    void tablesDecodeEveryByteAndPairAsTheCodec();
    void tablesDecodeByteSoupAsTheCodec();
    void tablesEncodeEveryCharacterAsTheCodec();
    void tablesEncodeRandomTextAsTheCodec();
    void jisTableDecodesEveryEndingAsTheCodec();
    void jisTableDecodesEscapeSoupAsTheCodec();
    void longTextsGoThroughTheTables();
    void detection_data();
    void detection();
    void detectionScanAgreesWithByteByByte();
    void crOnlyFollowsDetection();
    void choiceOnOpening();
    void crOnlyFileWithEscapeReadsAsEucJpLines();
    void lineEndMatrix_data();
    void lineEndMatrix();
    void lineEndsOnDisk();
    void typedSymbolsSaveAsJisAndReopen_data();
    void typedSymbolsSaveAsJisAndReopen();
    void unencodableCharacters();
    void loneSurrogates();
    void eucJpReadsWrittenBackAsRead();
    void invalidSequencesAreCounted();
    void captionSuffix_data();
    void captionSuffix();
    void utf8PathsWriteAndVerify();
    void failedOpenIsReported();
    void failedWriteKeepsOldBytes();
    void permissionsAndSymlinkKept();
};

void TestEncoding::everyCodecRoundTripsRealBytes_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8") << 1 << japanese << QByteArray::fromHex("e697a5e69cace8aa9e");
    QTest::newRow("Shift JIS") << 2 << QString::fromUtf8("表ｱ\\~") + japanese << "\x95\x5c\xb1\\~" + sjisBytes;
    QTest::newRow("EUC-JP") << 3 << japanese + QString::fromUtf8("ｱ") << eucJpBytes + "\x8e\xb1";
    QTest::newRow("JIS") << 4 << "a" + japanese << "a" + jisBytes;
    QTest::newRow("EUC-KR") << 5 << QString::fromUtf8("한국어") << QByteArray::fromHex("c7d1b1b9beee");
    QTest::newRow("GBK") << 6 << QString::fromUtf8("中文") << QByteArray::fromHex("d6d0cec4");
    QTest::newRow("plain") << 7 << japanese << sjisBytes;
}

void TestEncoding::everyCodecRoundTripsRealBytes()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QVERIFY(Encoding::codec(number));
    QCOMPARE(Encoding::decode(number, bytes, false), text);
    QCOMPARE(Encoding::encode(number, text), bytes);
    // A text that ends in kanji mode returns to ASCII; a broken last character stays visible.
    if (number >= 2) {
        QVERIFY(Encoding::decode(number, bytes.left(bytes.size() - 1), false).endsWith(QChar::ReplacementCharacter));
        QCOMPARE(Encoding::decode(number, Encoding::encode(number, japanese), false), japanese);
    }
    QVERIFY(!Encoding::codec(0));
    QVERIFY(!Encoding::codec(8));
}

// The codec alone, flushed at the end as Encoding does.
static QString codecDecode(QTextCodec* codec, const QByteArray& bytes)
{
    QTextCodec::ConverterState state;
    QString text = codec->toUnicode(bytes.constData(), int(bytes.size()), &state);
    QString tail = codec->toUnicode("\n", 1, &state);
    if (tail.endsWith(QLatin1Char('\n')))
        tail.chop(1);
    return text + tail;
}

static QByteArray codecEncode(QTextCodec* codec, const QString& text, int* invalidChars)
{
    QTextCodec::ConverterState state;
    QByteArray bytes = codec->fromUnicode(text.constData(), int(text.size()), &state);
    const QChar lineFeed(QLatin1Char('\n'));
    bytes += codec->fromUnicode(&lineFeed, 1, &state).chopped(1);
    *invalidChars = state.invalidChars;
    return bytes;
}

static const int tableCodecs[] = { Encoding::ShiftJis, Encoding::EucJp, Encoding::EucKr, Encoding::Gbk };

static QByteArray hexOf(const QByteArray& bytes)
{
    return bytes.toHex(' ');
}

// Every byte alone (a truncated lead byte at the end included), every pair alone,
// all pairs back to back, and each pair after EUC-JP's three-byte introducer.
void TestEncoding::tablesDecodeEveryByteAndPairAsTheCodec()
{
    for (int number : tableCodecs) {
        QTextCodec* codec = Encoding::codec(number);
        const CodecTable table(codec);
        QVERIFY(table.decodesByTable());
        QByteArray all;
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            QCOMPARE(table.decode(one.constData(), 1), codecDecode(codec, one));
            for (int t = 0; t < 256; ++t) {
                const char pair[2] = { char(b), char(t) };
                all.append(pair, 2);
                const QString decoded = table.decode(pair, 2);
                if (decoded != codecDecode(codec, QByteArray(pair, 2)))
                    QFAIL(qPrintable(QString("encoding %1, bytes %2").arg(number).arg(hexOf(QByteArray(pair, 2)))));
                const char triple[3] = { '\x8f', char(b), char(t) };
                if (number == Encoding::EucJp && table.decode(triple, 3) != codecDecode(codec, QByteArray(triple, 3)))
                    QFAIL(qPrintable(QString("EUC-JP bytes %1").arg(hexOf(QByteArray(triple, 3)))));
            }
        }
        QCOMPARE(table.decode(all.constData(), all.size()), codecDecode(codec, all));
        QCOMPARE(table.decode(all.constData() + 1, all.size() - 1), codecDecode(codec, all.mid(1)));
    }
    // The table is the toolkit's mapping, not another converter's.
    const CodecTable shiftJis(Encoding::codec(Encoding::ShiftJis));
    QCOMPARE(shiftJis.decode("\x81\x60", 2), QString(QChar(0xFF5E)));
}

// Random bytes weighted towards lead and trail bytes, SS2 and SS3, and the text
// cut at every length, so that broken and truncated sequences meet the table at
// every position.
void TestEncoding::tablesDecodeByteSoupAsTheCodec()
{
    const QByteArray special("\x8e\x8f\x80\xa0\xfd\xfe\xff\x0a\x40\x7f", 10);
    for (int number : tableCodecs) {
        QTextCodec* codec = Encoding::codec(number);
        const CodecTable table(codec);
        for (quint32 seed : { 1u, 2u, 3u, 4u }) {
            QRandomGenerator random(seed);
            for (int length : { 3, 17, 64, 301, 4000 }) {
                QByteArray bytes;
                while (bytes.size() < length) {
                    switch (random.bounded(4)) {
                    case 0: bytes += QByteArray(random.bounded(1, 40), char(random.bounded(0x20, 0x80))); break;
                    case 1: bytes += char(random.bounded(0x80, 0x100)); break;
                    case 2: bytes += special.at(random.bounded(int(special.size()))); break;
                    default: bytes += char(random.bounded(0x100)); break;
                    }
                }
                const int step = length > 400 ? 97 : 1;
                for (int cut = length; cut > 0; cut -= step) {
                    const QString decoded = table.decode(bytes.constData(), cut);
                    if (decoded != codecDecode(codec, bytes.left(cut)))
                        QFAIL(qPrintable(QString("encoding %1: %2").arg(number).arg(hexOf(bytes.left(cut)))));
                }
            }
        }
    }
}

// Every character of the first plane in a row (surrogates included, the last high
// and first low ones making a pair), and each one alone.
void TestEncoding::tablesEncodeEveryCharacterAsTheCodec()
{
    for (int number : tableCodecs) {
        QTextCodec* codec = Encoding::codec(number);
        const CodecTable table(codec);
        QVERIFY(table.encodesByTable());
        QString all;
        for (int u = 0; u < 0x10000; ++u) {
            const QChar ch(u);
            all += ch;
            int expectedInvalid = 0;
            int invalid = -1;
            const QByteArray expected = codecEncode(codec, QString(ch), &expectedInvalid);
            if (table.encode(&ch, 1, &invalid) != expected || invalid != expectedInvalid)
                QFAIL(qPrintable(QString("encoding %1, U+%2").arg(number).arg(u, 4, 16, QLatin1Char('0'))));
        }
        int expectedInvalid = 0;
        int invalid = -1;
        const QByteArray expected = codecEncode(codec, all, &expectedInvalid);
        QCOMPARE(table.encode(all.constData(), all.size(), &invalid), expected);
        QCOMPARE(invalid, expectedInvalid);
        QVERIFY(invalid > 0);
    }
}

// Text of the encoding's own characters mixed with unmapped ones, lone and paired
// surrogates, cut at every length.
void TestEncoding::tablesEncodeRandomTextAsTheCodec()
{
    for (int number : tableCodecs) {
        QTextCodec* codec = Encoding::codec(number);
        const CodecTable table(codec);
        const QString own = codecDecode(codec, QByteArray::fromHex("93fa967bc7d1b1b9d6d0cec4a4a2b0a1"));
        for (quint32 seed : { 5u, 6u, 7u }) {
            QRandomGenerator random(seed);
            QString text;
            while (text.size() < 600) {
                switch (random.bounded(5)) {
                case 0: text += QChar(random.bounded(0x20, 0x80)); break;
                case 1: text += own.at(random.bounded(int(own.size()))); break;
                case 2: text += QChar(random.bounded(0xD800, 0xE000)); break;
                case 3: text += QString::fromUcs4(U"\U0001F600\U00020B9F").at(random.bounded(4)); break;
                default: text += QChar(random.bounded(0x80, 0x10000)); break;
                }
            }
            for (qsizetype cut = text.size(); cut > 0; --cut) {
                int expectedInvalid = 0;
                int invalid = -1;
                const QByteArray expected = codecEncode(codec, text.left(cut), &expectedInvalid);
                if (table.encode(text.constData(), cut, &invalid) != expected || invalid != expectedInvalid)
                    QFAIL(qPrintable(QString("encoding %1, seed %2, %3 characters").arg(number).arg(seed).arg(cut)));
            }
        }
    }
}

// A kanji run long enough for the table: twelve pairs of distinct bytes.
static const QByteArray kanjiRun = QByteArray("\x1b$B") + "0!0\"0#0$0%0&0'0(0)0*0+0,";

// Every pair of bytes as the first pair of a run and after a run, and a run after
// every short prefix of escape bytes, odd bytes and line ends.
void TestEncoding::jisTableDecodesEveryEndingAsTheCodec()
{
    QTextCodec* codec = Encoding::codec(Encoding::Jis);
    const JisTable table(codec);
    QVERIFY(table.decodesByTable());
    const auto check = [&](const QByteArray& bytes) {
        if (table.decode(bytes.constData(), bytes.size()) != codecDecode(codec, bytes))
            QFAIL(qPrintable(QString("JIS bytes %1").arg(hexOf(bytes))));
    };
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) {
            const char xy[2] = { char(x), char(y) };
            const QByteArray pair(xy, 2);
            check(kanjiRun + pair);
            check(kanjiRun + pair + "\x1b(Ba");
            check("\x1b$B" + pair + kanjiRun.mid(3) + "\x1b(B");
            if (QTest::currentTestFailed())
                return;
        }
    }
    const QByteArray alphabet("\x1b$(B@JI!0\n\x0e\x0f\x80\xff" "a", 15);
    for (char a : alphabet) {
        for (char b : alphabet) {
            for (char c : alphabet) {
                const char abc[3] = { a, b, c };
                const QByteArray prefix(abc, 3);
                for (int length = 0; length <= 3; ++length) {
                    check(prefix.left(length) + kanjiRun + "\x1b(Ba");
                    check(prefix.left(length) + kanjiRun + "!");
                    check(prefix.left(length) + kanjiRun.mid(1));
                    if (QTest::currentTestFailed())
                        return;
                }
            }
        }
    }
    // Where the plain form begins and ends.
    for (const char* bytes : { "", "\x1b(B", "\x1b(Ba", "\x1b$B0!", "a\x1b$B0!\x1b(B", "a\x1b$B0!\x1b(B\n",
                               "\x1b$B0!\x1b$B0\"", "0!\x1b$B", "\x1b$B\x1b(Ba", "a\x1b(B\x1b$B0!", "\x1b$B0!\n0!",
                               "\x1b$B0!\r", "\x1b$B0!0", "\x1b$B0!\x1b", "\x1b$B0!\x1b(", "a\x1b(Jb\\~", "\x1b$@0!0\"" })
        check(bytes);
}

// JIS as the codec writes it, and for even seeds with escapes (whole, cut short or
// unknown), stray bytes and pairs spliced in; cut at many lengths.
void TestEncoding::jisTableDecodesEscapeSoupAsTheCodec()
{
    QTextCodec* codec = Encoding::codec(Encoding::Jis);
    const JisTable table(codec);
    const QString characters = QString::fromUtf8("日本語のテキスト、漢字。ab 12\n");
    const char* const pieces[] = { "\x1b$B", "\x1b(B", "\n", "\x1b(J", "\x1b$@", "\x1b(I", "\x1b$",
                                   "\x1b", "\x0e", "!", "\x80", "0!", "\x7f\x7f" };
    for (quint32 seed : { 11u, 12u, 13u, 14u, 15u, 16u, 17u, 18u }) {
        QRandomGenerator random(seed);
        QString text;
        while (text.size() < 1500)
            text += characters.at(random.bounded(int(characters.size())));
        QByteArray bytes = Encoding::encode(Encoding::Jis, text);
        QCOMPARE(table.decode(bytes.constData(), bytes.size()), text);
        if (seed % 2 == 0) {
            for (int k = 0; k < 20; ++k)
                bytes.insert(random.bounded(int(bytes.size())), pieces[random.bounded(int(std::size(pieces)))]);
        }
        for (qsizetype cut = bytes.size(); cut > 0; cut -= random.bounded(1, 20)) {
            if (table.decode(bytes.constData(), cut) != codecDecode(codec, bytes.left(cut)))
                QFAIL(qPrintable(QString("seed %1, %2 bytes: %3").arg(seed).arg(cut).arg(hexOf(bytes.left(cut)))));
        }
    }
}

// Above the threshold Encoding converts through the tables; its results, counts and
// first unencodable character stay the codec's.
void TestEncoding::longTextsGoThroughTheTables()
{
    const QString line = QString::fromUtf8("漢字とかな、ASCII text 123\n");
    QString text;
    while (text.size() < 70000)
        text += line;
    text += QChar(0x0e01);
    for (int number : { 2, 3, 4, 5, 6, 7 }) {
        QTextCodec* codec = Encoding::codec(number);
        const QString mapped = Encoding::mapForCodec(number, text);
        int expectedInvalid = 0;
        const QByteArray bytes = codecEncode(codec, mapped, &expectedInvalid);
        QCOMPARE(Encoding::encode(number, text), bytes);
        char32_t first = 0;
        QCOMPARE(Encoding::unencodable(number, text, &first), expectedInvalid);
        QCOMPARE(first, char32_t(0x0e01));
        const QByteArray broken = bytes + "\x81\xff\x8f\xa1";
        QCOMPARE(Encoding::decode(number, broken, false), codecDecode(codec, broken));
    }
}

void TestEncoding::detection_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expected");
    QTest::newRow("one ASCII line") << QByteArray("abc") << 7;
    QTest::newRow("0x1C and 0x7F are plain") << QByteArray("\x1c\x7f a") << 7;
    QTest::newRow("multi-line ASCII") << QByteArray("abc\ndef\n") << 1;
    QTest::newRow("0x80 is not plain") << QByteArray("ab\x80") << 1;
    QTest::newRow("Shift JIS without escape") << sjisBytes + "\n" << 1;
    QTest::newRow("EUC-JP without escape") << eucJpBytes + "\n" << 1;
    QTest::newRow("JIS text") << "x\n" + jisBytes << 4;
    QTest::newRow("ESC $ @") << QByteArray("a\x1b$@") << 4;
    QTest::newRow("ESC ( J") << QByteArray("a\x1b(J") << 4;
    QTest::newRow("ESC ( I") << QByteArray("a\x1b(I") << 4;
    QTest::newRow("ESC ( K is no sequence") << QByteArray("a\x1b(K") << 3;
    QTest::newRow("ESC ESC $ B: second escape not re-examined") << QByteArray("\x1b\x1b$B") << 3;
    QTest::newRow("ESC $ ESC $ B") << QByteArray("\x1b$\x1b$B") << 3;
    QTest::newRow("escape, Shift JIS byte") << "\x1b" + sjisBytes << 2;
    QTest::newRow("escape, 0x9F") << QByteArray("\x1b\xe0\x9f") << 2;
    QTest::newRow("escape, EUC-JP bytes") << "\x1b" + eucJpBytes << 3;
}

void TestEncoding::detection()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, expected);
    bool crOnly = false;
    QCOMPARE(Encoding::checkCodec(bytes.constData(), bytes.size(), crOnly), expected);
}

// The scan works on blocks of words; a byte that is not plain must be found at
// every offset, and long plain runs must still be recognised.
void TestEncoding::detectionScanAgreesWithByteByByte()
{
    const QByteArray intruders("\x00\x0a\x1b\x80\x9f\xff\x1c\x7f\x20", 9);
    for (int size : { 1, 7, 8, 63, 64, 65, 200 }) {
        for (int at = 0; at < size; ++at) {
            for (char intruder : intruders) {
                QByteArray bytes(size, 'a');
                bytes[at] = intruder;
                const auto b = static_cast<unsigned char>(intruder);
                const int expected = b == 27 ? 3 : (b >= 0x1C && b <= 0x7F) ? 7 : 1;
                bool crOnly = false;
                QCOMPARE(Encoding::checkCodec(bytes.constData(), bytes.size(), crOnly), expected);
            }
        }
    }
}

void TestEncoding::crOnlyFollowsDetection()
{
    bool crOnly = false;
    QCOMPARE(Encoding::checkCodec("a\rb\r", 4, crOnly), 1);
    QVERIFY(crOnly);
    QCOMPARE(Encoding::checkCodec("a\r\nb", 4, crOnly), 1);
    QVERIFY(!crOnly);
    crOnly = true;
    QCOMPARE(Encoding::checkCodec("abc", 3, crOnly), 7);
    QVERIFY(!crOnly);
    // A JIS sequence returns before crOnly is looked at.
    crOnly = true;
    QCOMPARE(Encoding::checkCodec("a\n\x1b$B", 5, crOnly), 4);
    QVERIFY(crOnly);
    crOnly = false;
    QCOMPARE(Encoding::checkCodec("a\r\x1b$B", 5, crOnly), 4);
    QVERIFY(!crOnly);
    QCOMPARE(Encoding::checkCodec("a\r\x1b(K\r", 6, crOnly), 3);
    QVERIFY(crOnly);

    // A file read with CRs only: the UTF-8 path keeps them in the text.
    QCOMPARE(Encoding::decode(1, "a\rb", true), QString("a\rb"));
}

void TestEncoding::choiceOnOpening()
{
    bool crOnly = true;
    QCOMPARE(Encoding::chooseOnOpen(3, "/x/a.txt", "a\rb", crOnly), 3);
    QVERIFY(crOnly);
    QCOMPARE(Encoding::chooseOnOpen(0, "/x/a.txt", "abc", crOnly), 7);
    QVERIFY(!crOnly);
    QCOMPARE(Encoding::chooseOnOpen(0, "/x/.abc", "abc", crOnly), 1);
    QCOMPARE(Encoding::chooseOnOpen(0, "/x/.abc", "a\x1b(K\x81", crOnly), 2);
    QCOMPARE(Encoding::chooseOnOpen(0, "/x/a.txt", "ab", crOnly), 2);
    QCOMPARE(Encoding::chooseOnOpen(0, "/x/a.txt", "", crOnly), 2);
    QCOMPARE(Encoding::chooseOnOpen(0, "/x/a.conf", "", crOnly), 1);
    for (const char* name : { "/x/a.conf", "/x/a.desktop", "/x/b.control", "/x/rc.local", "/x/rcS" })
        QCOMPARE(Encoding::chooseOnOpen(0, name, "\x1b" + sjisBytes, crOnly), 1);
    QCOMPARE(Encoding::chooseOnOpen(0, "/x/a.conf.bak", "\x1b" + sjisBytes, crOnly), 2);
    QCOMPARE(Encoding::chooseOnOpen(0, "/x/arc", "\x1b" + sjisBytes, crOnly), 2);
}

void TestEncoding::crOnlyFileWithEscapeReadsAsEucJpLines()
{
    const QByteArray bytes = "\x1b(K\r" + eucJpBytes + "\rend";
    bool crOnly = false;
    const int number = Encoding::chooseOnOpen(0, "/x/memo", bytes, crOnly);
    QCOMPARE(number, 3);
    QVERIFY(crOnly);
    QCOMPARE(Encoding::decode(number, bytes, crOnly), "\x1b(K\n" + japanese + "\nend");
}

void TestEncoding::lineEndMatrix_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("appendCRCode");
    QTest::addColumn<bool>("crOnly");
    QTest::addColumn<QByteArray>("expected");
    for (int number : { 2, 7 }) {
        const QByteArray n = QByteArray::number(number);
        QTest::newRow(n + " LF") << number << 0 << false << QByteArray("a\nb\n");
        QTest::newRow(n + " Win") << number << 1 << false << QByteArray("a\r\nb\r\n");
        QTest::newRow(n + " Mac") << number << 2 << false << QByteArray("a\rb\r");
        QTest::newRow(n + " LF, crOnly") << number << 0 << true << QByteArray("a\rb\r");
        QTest::newRow(n + " Win, crOnly") << number << 1 << true << QByteArray("a\rb\r");
        QTest::newRow(n + " Mac, crOnly") << number << 2 << true << QByteArray("a\rb\r");
    }
    for (int number : { 1, 3, 4, 5, 6 })
        QTest::newRow(QByteArray::number(number) + " Win, crOnly") << number << 1 << true << QByteArray("a\nb\n");
}

void TestEncoding::lineEndMatrix()
{
    QFETCH(int, number);
    QFETCH(int, appendCRCode);
    QFETCH(bool, crOnly);
    QFETCH(QByteArray, expected);
    QCOMPARE(Encoding::rewriteLineEnds("a\nb\n", number, appendCRCode, crOnly), expected);
}

void TestEncoding::lineEndsOnDisk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.txt");
    Encoding::SaveOptions options;
    options.appendCRCode = 1;
    options.docCodec = 2;
    QCOMPARE(Encoding::write(path, "a\n" + japanese + "\r\n", options), QString());
    QCOMPARE(readAll(path), "a\r\n" + sjisBytes + "\r\r\n");
    options.docCodec = 3;
    QCOMPARE(Encoding::write(path, "a\nb", options), QString());
    QCOMPARE(readAll(path), QByteArray("a\nb"));
}

void TestEncoding::typedSymbolsSaveAsJisAndReopen_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Shift JIS") << 2 << QByteArray::fromHex("81608161817c8191819281ca");
    QTest::newRow("EUC-JP") << 3 << QByteArray::fromHex("a1c1a1c2a1dda1f1a1f2a2cc");
    QTest::newRow("JIS") << 4 << QByteArray::fromHex("1b244221412142215d21712172224c1b2842");
    QTest::newRow("plain") << 7 << QByteArray::fromHex("81608161817c8191819281ca");
}

void TestEncoding::typedSymbolsSaveAsJisAndReopen()
{
    QFETCH(int, number);
    QFETCH(QByteArray, bytes);
    // Wave dash, double vertical line, minus, cent, pound, not: as input methods type them.
    const QString typed = QString::fromUtf16(u"\u301C\u2016\u2212\u00A2\u00A3\u00AC");
    QCOMPARE(Encoding::unencodable(number, typed), 0);

    QTemporaryDir dir;
    const QString path = dir.filePath("t.txt");
    Encoding::SaveOptions options;
    options.docCodec = number;
    QCOMPARE(Encoding::write(path, typed, options), QString());
    QCOMPARE(readAll(path), bytes);
    const QString reopened = Encoding::decode(number, readAll(path), false);
    QCOMPARE(reopened, Encoding::mapForCodec(number, typed));
    QCOMPARE(Encoding::encode(number, reopened), bytes);
}

void TestEncoding::unencodableCharacters()
{
    const QString text = QString::fromUtf8("a\u00e9\u4e00\U0001F600\uac00b");
    char32_t first = 0;
    QCOMPARE(Encoding::unencodable(2, text, &first), 3);
    QCOMPARE(first, char32_t(0xe9));
    QCOMPARE(Encoding::unencodable(3, text, &first), 2); // EUC-JP holds é through JIS X 0212
    QCOMPARE(first, char32_t(0x1F600));
    QCOMPARE(Encoding::unencodable(1, text), 0);
    QCOMPARE(Encoding::unencodable(2, QString("a") + QChar(0xD83D), &first), 1); // a broken pair at the end
    QCOMPARE(first, char32_t(0xD83D));
    QCOMPARE(Encoding::unencodable(5, QString::fromUtf8("한국어")), 0);
    // Other encodings keep their own mapping of the wave dash.
    QCOMPARE(Encoding::mapForCodec(6, QString(QChar(0x301C))), QString(QChar(0x301C)));

    // Far into a long text, past a surrogate pair standing across a block boundary.
    QString longText(4095, QLatin1Char('x'));
    longText += QString::fromUtf8("\U0001F600") + QString(10000, QLatin1Char('y')) + QChar(0x0e01);
    QCOMPARE(Encoding::unencodable(5, longText, &first), 2);
    QCOMPARE(first, char32_t(0x1F600));
    longText.remove(4095, 2);
    QCOMPARE(Encoding::unencodable(5, longText, &first), 1);
    QCOMPARE(first, char32_t(0x0e01));
}

// A lone surrogate (pasted text can hold one) is counted and named in every encoding,
// and UTF-8 writes it as U+FFFD instead of failing its size check.
void TestEncoding::loneSurrogates()
{
    const QString text = QString("a") + QChar(0xDC00) + QChar(0xD800) + QString("b");
    for (int number : { 1, 2, 3, 5, 6 }) {
        char32_t first = 0;
        QCOMPARE(Encoding::unencodable(number, text, &first), 2);
        QCOMPARE(first, char32_t(0xDC00));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("lone.txt");
    for (bool fast : { false, true }) {
        Encoding::SaveOptions options;
        options.docCodec = Encoding::Utf8;
        options.saveFastUTF8 = fast;
        QCOMPARE(Encoding::write(path, text, options), QString());
        QCOMPARE(readAll(path), QByteArray("a\xef\xbf\xbd\xef\xbf\xbd" "b"));
    }
}

// EUC-JP reads 8E E0 to 8E E2 and 8F A2 C3 as characters it does not write; read from
// a file, they are written back as the same bytes, short texts and long ones alike.
void TestEncoding::eucJpReadsWrittenBackAsRead()
{
    const QByteArray oneWay = QByteArray::fromHex("8ee08ee18ee28fa2c3");
    for (const QByteArray& bytes : { oneWay + "\n", oneWay + QByteArray(70000, 'x') }) {
        const QString text = Encoding::decode(Encoding::EucJp, bytes, false);
        const QString keep = Encoding::typedSymbols(Encoding::EucJp, text);
        QCOMPARE(keep, QString::fromUtf16(u"\u00A2\u00A3\u00AC"));
        QCOMPARE(Encoding::unencodable(Encoding::EucJp, text, nullptr, keep), 0);
        QCOMPARE(Encoding::encode(Encoding::EucJp, text, keep), bytes);
    }
    // Typed into a text that did not hold them, they still take the JIS characters.
    QCOMPARE(Encoding::encode(Encoding::EucJp, QString::fromUtf16(u"\u00A2\u00A6")), QByteArray::fromHex("a1f18fa2c3"));
}

void TestEncoding::invalidSequencesAreCounted()
{
    const QByteArray sjis("\x93\xfa\x96\x7b\n\x8c\xea\n");
    QCOMPARE(Encoding::invalidSequences(1, sjis, Encoding::decode(1, sjis, false)) > 0, true);
    QCOMPARE(Encoding::invalidSequences(2, sjis, Encoding::decode(2, sjis, false)), 0);
    // The replacement character written in UTF-8 is text, not damage.
    const QByteArray literal("a\xef\xbf\xbd\xff");
    QCOMPARE(Encoding::invalidSequences(1, literal, Encoding::decode(1, literal, false)), 1);
    // None of the other encodings can hold it, so every one shown is damage.
    for (int codec = 2; codec <= 7; ++codec)
        QCOMPARE(Encoding::unencodable(codec, QString(QChar(QChar::ReplacementCharacter))), 1);
    const QByteArray truncated("ab\x93");
    QCOMPARE(Encoding::invalidSequences(2, truncated, Encoding::decode(2, truncated, false)), 1);
}

void TestEncoding::captionSuffix_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("doc");
    QTest::addColumn<QString>("suffix");
    const char* files[] = { "(unicode file)", "(UTF-8 file)", "(ShiftJIS file)", "(EUC-JP file)", "(JIS file)",
                            "(EUC-KR file)", "(GB2312-80 file)", "(ShiftJIS file)", "(\?\?\?\? file)" };
    for (int doc = 0; doc <= 8; ++doc)
        QTest::newRow(files[doc]) << 0 << 0 << doc << QString(files[doc]);
    QTest::newRow("EUC-JP, auto") << 3 << 0 << 1 << "(EUC-JP ->\?\?\?\?)";
    QTest::newRow("EUC-JP, UTF-8") << 3 << 1 << 3 << "(EUC-JP ->UTF-8)";
    QTest::newRow("auto, JIS") << 0 << 4 << 3 << "(Auto ->JIS file)";
    QTest::newRow("JIS, GBK") << 4 << 6 << 3 << "(JIS file ->GB2312-80)";
    QTest::newRow("S-JIS, EUC-KR") << 2 << 5 << 3 << "(ShiftJIS ->EUC-KR)";
    QTest::newRow("7, 7") << 7 << 7 << 1 << "(ShiftJIS ->ShiftJIS)";
    QTest::newRow("bad values") << 9 << -1 << 1 << "(\?\?\?\? ->\?\?\?\?)";
}

void TestEncoding::captionSuffix()
{
    QFETCH(int, input);
    QFETCH(int, output);
    QFETCH(int, doc);
    QFETCH(QString, suffix);
    QCOMPARE(Encoding::captionSuffix(input, output, doc), suffix);
}

void TestEncoding::utf8PathsWriteAndVerify()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("u.txt");
    // Characters outside the first plane are one character of four bytes.
    const QString text = QString::fromUtf8("a\U0001F600\n日é\r\n");
    for (bool fast : { false, true }) {
        Encoding::SaveOptions options;
        options.docCodec = 1;
        options.appendCRCode = 1;
        options.saveFastUTF8 = fast;
        QCOMPARE(Encoding::write(path, text, options), QString());
        QCOMPARE(readAll(path), text.toUtf8());
    }
}

void TestEncoding::failedOpenIsReported()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/t.txt");
    Encoding::SaveOptions options;
    options.docCodec = 2;
    QCOMPARE(Encoding::write(path, "a", options), "outfile.open( IO_WriteOnly ) : Please investigate the file...");
    options.docCodec = 0;
    QCOMPARE(Encoding::write(path, "a", options), "outfile.open( IO_WriteOnly ) : Please investigate the file...");
    options.saveFastUTF8 = true;
    QCOMPARE(Encoding::write(path, "a", options), "fm.saveFile : Please investigate the file...");
}

// A file-size limit makes the write fail half-way, as a full disk would.
void TestEncoding::failedWriteKeepsOldBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.txt");
    const QByteArray old("old bytes\n");
    const QString text = QString(70000, QLatin1Char('x')) + japanese;

    struct { int number; bool fast; const char* message; } cases[] = {
        { 1, false, "stream : Please investigate the file..." },
        { 1, true, "fm.saveFile : Please investigate the file..." },
        { 2, false, "stream.writeRawBytes : Please investigate the file..." },
        { 4, false, "stream.writeRawBytes : Please investigate the file..." },
    };
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    for (const auto& c : cases) {
        writeAll(path, old);
        rlimit limit = saved;
        limit.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        Encoding::SaveOptions options;
        options.docCodec = c.number;
        options.saveFastUTF8 = c.fast;
        const QString message = Encoding::write(path, text, options);
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(message, QString(c.message));
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "t.txt" });
    }
    std::signal(SIGXFSZ, previousHandler);
}

void TestEncoding::permissionsAndSymlinkKept()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("target.txt");
    const QString link = dir.filePath("link.txt");
    writeAll(target, "old");
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(target, permissions));
    QVERIFY(QFile::link("target.txt", link));

    Encoding::SaveOptions options;
    options.docCodec = 3;
    QCOMPARE(Encoding::write(link, japanese, options), QString());
    QCOMPARE(readAll(target), eucJpBytes);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFile::permissions(target), permissions | QFile::ReadUser | QFile::WriteUser);
}

QTEST_GUILESS_MAIN(TestEncoding)
#include "tst_encoding.moc"
