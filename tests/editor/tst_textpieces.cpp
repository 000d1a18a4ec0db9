#include "text/codecdetector.h"
#include "text/encoding.h"
#include "text/textdecoder.h"
#include "text/textwriter.h"
#include "testfiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Reading and writing a file in pieces gives exactly what the whole-text
// conversions give, whatever the pieces.
class TstTextPieces : public QObject
{
    Q_OBJECT

private:
    // Text of every kind a file holds: each encoding's own characters, what it cannot
    // encode, lone surrogates, line ends of every kind, a byte-order mark, NUL.
    static QString randomText(QRandomGenerator& random, qsizetype length)
    {
        static const QString own = QString::fromUtf8("日本語テキストかな한국어中文ｶﾅ") + QChar(0x3000) + QChar(0x301C);
        QString text;
        while (text.size() < length) {
            switch (random.bounded(8)) {
            case 0: text += QStringLiteral("\r\n"); break;
            case 1: text += QChar(u"\n\r\t\0"[random.bounded(4)]); break;
            case 2: text += QChar(u"\u00A0\u2028\u2029\uFEFF\u00E9"[random.bounded(5)]); break;
            case 3: text += QChar(random.bounded(0xD800, 0xE000)); break;
            case 4: text += QStringLiteral("\U0001F600"); break;
            default: text += random.bounded(2) ? own.at(random.bounded(int(own.size()))) : QChar(random.bounded(0x20, 0x7F));
            }
        }
        return text;
    }

    // Pieces of random sizes, small ones and ones long enough for the codec tables.
    template <typename Feed>
    static void inPieces(QRandomGenerator& random, qsizetype size, Feed feed)
    {
        for (qsizetype at = 0; at < size;) {
            const qsizetype n = qMin(size - at, qsizetype(random.bounded(2) ? random.bounded(1, 300) : random.bounded(70000, 140000)));
            feed(at, n);
            at += n;
        }
    }

    static const QList<int>& encodings()
    {
        static const QList<int> all{Encoding::Utf8, Encoding::ShiftJis, Encoding::EucJp, Encoding::Jis,
                                    Encoding::EucKr, Encoding::Gbk};
        return all;
    }

private slots:
    void decoderReadsAsTheWholeText()
    {
        for (const int number : encodings()) {
            for (const bool crOnly : {false, true}) {
                QRandomGenerator random(quint32(number * 2 + crOnly));
                QByteArray bytes = Encoding::encode(number, randomText(random, 250000));
                // Broken sequences and stray escapes among the good ones.
                for (int i = 0; i < 400; ++i)
                    bytes[random.bounded(int(bytes.size()))] = char(random.bounded(0x100));
                bytes.prepend("\xEF\xBB\xBF");

                TextDecoder decoder(number, crOnly);
                QString text;
                inPieces(random, bytes.size(), [&](qsizetype at, qsizetype n) { text += decoder.decode(QByteArrayView(bytes).sliced(at, n)); });
                text += decoder.finish();
                const QString whole = Encoding::decode(number, bytes, crOnly);
                QVERIFY2(text == whole, qPrintable(QString("encoding %1, crOnly %2").arg(number).arg(crOnly)));
                QCOMPARE(decoder.invalidSequences(), Encoding::invalidSequences(number, bytes, whole));
            }
        }
    }

    void utf8KeepsTheByteOrderMark()
    {
        const QByteArray bytes("\xEF\xBB\xBF" "a\r\nb");
        QCOMPARE(Encoding::decode(Encoding::Utf8, bytes, false), QString(QChar(0xFEFF)) + QStringLiteral("a\r\nb"));
        QCOMPARE(Encoding::encode(Encoding::Utf8, Encoding::decode(Encoding::Utf8, bytes, false)), bytes);
    }

    void writerWritesAsTheWholeText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        for (const int number : encodings()) {
            for (const int appendCRCode : {0, 1, 2}) {
                QRandomGenerator random(quint32(number * 3 + appendCRCode));
                const QString text = randomText(random, 250000);
                Encoding::SaveOptions options;
                options.docCodec = number;
                options.appendCRCode = appendCRCode;
                options.crOnly = appendCRCode == 0 && number == Encoding::ShiftJis;
                TextWriter writer(path, options);
                QVERIFY(writer.open());
                inPieces(random, text.size(), [&](qsizetype at, qsizetype n) { writer.write(QStringView(text).sliced(at, n)); });
                QCOMPARE(writer.commit(), QString());

                const QByteArray expected =
                    Encoding::rewriteLineEnds(Encoding::encode(number, text), number, appendCRCode, options.crOnly);
                QVERIFY2(readAll(path) == expected, qPrintable(QString("encoding %1, AppendCRCode %2").arg(number).arg(appendCRCode)));
                char32_t first = 0;
                QCOMPARE(writer.unencodable(), Encoding::unencodable(number, text, &first));
                QCOMPARE(writer.firstUnencodable(), first);
            }
        }
    }

    void detectorDecidesAsTheWholeText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("JIS escape") << QByteArray("abc\x1b$Bxyz\n");
        QTest::newRow("failed escape, Shift JIS lead") << QByteArray("a\x1b(Kb\x82\xa0\r\r");
        QTest::newRow("failed escape, EUC") << QByteArray("\x1b\x1b$@\xa4\xa2");
        QTest::newRow("plain") << QByteArray("abc def");
        QTest::newRow("UTF-8, CR only") << QByteArray("\xe6\x97\xa5\r\xe6\x9c\xac\r");
    }

    void detectorDecidesAsTheWholeText()
    {
        QFETCH(QByteArray, bytes);
        bool wholeCrOnly = false;
        const int whole = Encoding::checkCodec(bytes.constData(), bytes.size(), wholeCrOnly);
        // Every cut into two pieces, so that escapes are split at every point.
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            CodecDetector detector;
            detector.feed(QByteArrayView(bytes).first(cut));
            detector.feed(QByteArrayView(bytes).sliced(cut));
            bool crOnly = false;
            QCOMPARE(detector.result(crOnly), whole);
            QCOMPARE(crOnly, wholeCrOnly);
            QCOMPARE(detector.lineFeeds(), bytes.count('\n'));
        }
    }
};

QTEST_GUILESS_MAIN(TstTextPieces)
#include "tst_textpieces.moc"
