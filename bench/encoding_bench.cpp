// Detection, decoding and encoding speed of Encoding on a generated 64 MiB text per
// encoding, against glibc's iconv(3) on the same bytes in the same run.
//
//   encoding_bench [MiB]        (default 64)

#include "text/codectable.h"
#include "text/encoding.h"
#include "text/jistable.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QString>

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

struct Target
{
    int number;
    const char* label;
    bool code; // program text: mostly ASCII lines, one in eight with a comment in the table's characters
    const char* iconvName;
    const char* poolName;   // the EUC form whose double-byte rows give the characters
    int firstLead, lastLead; // Japanese: kana and level-1 kanji rows
};

const Target targets[] = {
    { Encoding::ShiftJis, "Shift JIS", false, "SHIFT_JIS", "EUC-JP", 0xA4, 0xCF },
    { Encoding::EucJp, "EUC-JP", false, "EUC-JP", "EUC-JP", 0xA4, 0xCF },
    { Encoding::Jis, "JIS", false, "ISO-2022-JP", "EUC-JP", 0xA4, 0xCF },
    { Encoding::EucKr, "EUC-KR", false, "EUC-KR", "EUC-KR", 0xB0, 0xC8 },
    { Encoding::Gbk, "GBK", false, "GBK", "GBK", 0xB0, 0xD7 },
    { Encoding::Utf8, "UTF-8", false, "UTF-8", "EUC-JP", 0xA4, 0xCF },
    { Encoding::ShiftJis, "SJIS code", true, "SHIFT_JIS", "EUC-JP", 0xA4, 0xCF },
    { Encoding::Gbk, "GBK code", true, "GBK", "GBK", 0xB0, 0xD7 },
};

// Converts all of in with iconv, growing the output as needed.
QByteArray convert(iconv_t cd, const QByteArray& in)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    QByteArray out(in.size() * 2 + 64, Qt::Uninitialized);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = size_t(in.size());
    size_t done = 0;
    // One call with input, one without (the return to the initial shift state).
    for (const bool flush : { false, true }) {
        for (;;) {
            char* dst = out.data() + done;
            size_t dstLeft = size_t(out.size()) - done;
            const size_t r = flush ? iconv(cd, nullptr, nullptr, &dst, &dstLeft) : iconv(cd, &src, &srcLeft, &dst, &dstLeft);
            done = size_t(dst - out.data());
            if (r != size_t(-1))
                break;
            if (errno != E2BIG) {
                std::fprintf(stderr, "iconv failed at byte %zu: %s\n", size_t(in.size()) - srcLeft, std::strerror(errno));
                std::exit(1);
            }
            out.resize(out.size() * 2);
        }
    }
    out.resize(qsizetype(done));
    return out;
}

iconv_t open(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) {
        std::fprintf(stderr, "iconv_open %s -> %s failed\n", from, to);
        std::exit(1);
    }
    return cd;
}

QByteArray iconvConvert(const char* to, const char* from, const QByteArray& in)
{
    iconv_t cd = open(to, from);
    QByteArray out = convert(cd, in);
    iconv_close(cd);
    return out;
}

// Every assigned character of the double-byte rows firstLead..lastLead of an EUC-style table.
QString characterPool(const Target& t)
{
    iconv_t cd = open("UTF-16LE", t.poolName);
    QString pool;
    for (int lead = t.firstLead; lead <= t.lastLead; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            char in[2] = { char(lead), char(trail) };
            char16_t out[4];
            char* src = in;
            char* dst = reinterpret_cast<char*>(out);
            size_t srcLeft = 2, dstLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1) && dstLeft == sizeof out - 2)
                pool += QChar(out[0]);
        }
    }
    iconv_close(cd);
    return pool;
}

// Lines of about 40 characters: words of ASCII between runs of the table's characters.
QString generateText(const Target& t, qint64 wantedBytes)
{
    static const char* const words[] = { "the", "file", "text", "2024", "Qt", "editor", "(note)", "line", "x = 1;", "OK" };
    const QString pool = characterPool(t);
    QRandomGenerator random(42);
    QString text;
    text.reserve(wantedBytes);
    // Characters take two bytes in every encoding here but UTF-8 (three): stop near the size.
    const qint64 perChar = t.number == Encoding::Utf8 ? 2 : 1;
    qint64 estimate = 0;
    while (estimate < wantedBytes) {
        if (t.code && random.bounded(8) != 0) {
            const QString line = QStringLiteral("    if (line.size() > limit) { total += count(line, 0x20); }\n");
            text += line;
            estimate += line.size();
            continue;
        }
        int column = 0;
        while (column < 40) {
            if (random.bounded(3) == 0) {
                const QString word = QString::fromLatin1(words[random.bounded(int(std::size(words)))]) + QLatin1Char(' ');
                text += word;
                column += int(word.size());
                estimate += word.size();
            } else {
                const int run = 2 + random.bounded(8);
                for (int i = 0; i < run; ++i)
                    text += pool.at(random.bounded(int(pool.size())));
                column += run;
                estimate += run * 2 * perChar;
            }
        }
        text += QLatin1Char('\n');
        ++estimate;
    }
    return text;
}

// Best of three runs, in seconds.
double best(const std::function<void()>& run)
{
    double fastest = 1e9;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        fastest = qMin(fastest, timer.nsecsElapsed() / 1e9);
    }
    return fastest;
}

double mbPerSecond(qint64 bytes, double seconds)
{
    return bytes / 1e6 / seconds;
}

QByteArray utf16Bytes(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.constData()), text.size() * 2);
}

} // namespace

int main(int argc, char** argv)
{
    const qint64 mib = argc > 1 ? std::atoll(argv[1]) : 64;
    const qint64 wanted = mib * 1024 * 1024;
    std::printf("%lld MiB per encoding; MB/s are 10^6 bytes of the encoded file per second; best of 3\n\n",
                static_cast<long long>(mib));
    std::printf("%-10s %10s | %10s %10s %6s %6s | %10s %10s %6s %6s\n", "encoding", "detect", "decode",
                "iconv", "ratio", "same", "encode", "iconv", "ratio", "same");

    for (const Target& t : targets) {
        const QString text = generateText(t, wanted);
        const QByteArray bytes = Encoding::encode(t.number, text);

        bool crOnly = false;
        int detected = 0;
        const double detect = best([&] { detected = Encoding::checkCodec(bytes.constData(), bytes.size(), crOnly); });

        QString decoded;
        const double decode = best([&] { decoded = Encoding::decode(t.number, bytes, false); });
        QByteArray iconvDecoded;
        const double iconvDecode = best([&] { iconvDecoded = iconvConvert("UTF-16LE", t.iconvName, bytes); });

        QByteArray encoded;
        const double encode = best([&] { encoded = Encoding::encode(t.number, text); });
        QByteArray iconvEncoded;
        const QByteArray textUtf16 = utf16Bytes(text);
        const double iconvEncode = best([&] { iconvEncoded = iconvConvert(t.iconvName, "UTF-16LE", textUtf16); });

        const qint64 n = bytes.size();
        std::printf("%-10s %10.0f | %10.0f %10.0f %6.2f %6s | %10.0f %10.0f %6.2f %6s   (detected %d)\n", t.label,
                    mbPerSecond(n, detect), mbPerSecond(n, decode), mbPerSecond(n, iconvDecode), iconvDecode / decode,
                    decoded == text && utf16Bytes(decoded) == iconvDecoded ? "yes" : "NO", mbPerSecond(n, encode),
                    mbPerSecond(n, iconvEncode), iconvEncode / encode, encoded == iconvEncoded ? "yes" : "NO",
                    detected);
        std::fflush(stdout);
    }

    // What a first long text pays once per encoding: the codec tables, built afresh here.
    std::printf("\n%-10s %10s %10s   (ms, table building)\n", "tables", "decode", "encode");
    for (const auto& [number, label] : { std::pair { Encoding::ShiftJis, "Shift JIS" }, { Encoding::EucJp, "EUC-JP" },
                                         { Encoding::EucKr, "EUC-KR" }, { Encoding::Gbk, "GBK" } }) {
        const CodecTable table(Encoding::codec(number));
        QElapsedTimer timer;
        timer.start();
        const bool decodes = table.decodesByTable();
        const double decodeMs = timer.nsecsElapsed() / 1e6;
        timer.restart();
        const bool encodes = table.encodesByTable();
        const double encodeMs = timer.nsecsElapsed() / 1e6;
        std::printf("%-10s %10.1f %10.1f%s\n", label, decodeMs, encodeMs, decodes && encodes ? "" : "   (not used)");
    }
    {
        const JisTable table(Encoding::codec(Encoding::Jis));
        QElapsedTimer timer;
        timer.start();
        const bool decodes = table.decodesByTable();
        std::printf("%-10s %10.1f %10s%s\n", "JIS", timer.nsecsElapsed() / 1e6, "-", decodes ? "" : "   (not used)");
    }

    // The slowest case for detection: plain text that must be scanned to the end.
    const QByteArray plain(wanted, 'a');
    bool crOnly = false;
    int detected = 0;
    const double detect = best([&] { detected = Encoding::checkCodec(plain.constData(), plain.size(), crOnly); });
    std::printf("%-10s %10.0f   (one line of plain ASCII, detected %d)\n", "ASCII", mbPerSecond(plain.size(), detect),
                detected);
    return 0;
}
