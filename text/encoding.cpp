#include "text/encoding.h"

#include "text/codecdetector.h"
#include "text/codectable.h"
#include "platform/doclnk.h"
#include "platform/filemanager.h"
#include "text/jistable.h"
#include "text/textwriter.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QTextCodec>


QTextCodec* Encoding::codec(int number)
{
    static const char* const names[] = { nullptr,     "UTF-8",  "Shift_JIS", "EUC-JP",
                                         "ISO-2022-JP", "EUC-KR", "GBK",       "Shift_JIS" };
    if (number < Utf8 || number > Ascii)
        return nullptr;
    return QTextCodec::codecForName(names[number]);
}

int Encoding::checkCodec(const char* bytes, qint64 size, bool& crOnly)
{
    CodecDetector detector;
    detector.feed(QByteArrayView(bytes, size));
    return detector.result(crOnly);
}

int Encoding::chooseOnOpen(int inputCodec, const QString& path, const QByteArray& bytes, bool& crOnly)
{
    const int fixed = chooseWithoutBytes(inputCodec, path, bytes.size());
    if (fixed != Auto)
        return fixed;
    return chooseDetected(path, checkCodec(bytes.constData(), bytes.size(), crOnly));
}

int Encoding::chooseWithoutBytes(int inputCodec, const QString& path, qint64 size)
{
    if (inputCodec != Auto)
        return inputCodec;
    const QFileInfo info(path);
    const QString extension = info.suffix();
    if (extension == QLatin1String("conf") || extension == QLatin1String("desktop")
        || extension == QLatin1String("control") || info.fileName().startsWith(QLatin1String("rc")))
        return Utf8;
    if (size < 3)
        return ShiftJis;
    return Auto;
}

int Encoding::chooseDetected(const QString& path, int detected)
{
    if (detected == Ascii && QFileInfo(path).fileName().startsWith(QLatin1Char('.')))
        return Utf8;
    return detected;
}

// The toolkit's codecs never flush: a text would end with a truncated sequence
// dropped, or a JIS text still in kanji mode. Converting a line feed on the same
// state flushes; the line feed itself is then taken off again.
static QString toUnicode(QTextCodec* c, const char* bytes, qsizetype size)
{
    QTextCodec::ConverterState state;
    QString text = c->toUnicode(bytes, int(size), &state);
    QString tail = c->toUnicode("\n", 1, &state);
    if (tail.endsWith(QLatin1Char('\n')))
        tail.chop(1);
    return tail.isEmpty() ? text : text + tail;
}

// Texts above this size go through the codec tables: building them takes a few
// milliseconds, once, which shorter texts would not win back.
static constexpr qsizetype tableThreshold = 64 * 1024;

// The tables of the stateless multi-byte encodings; null for the others.
static const CodecTable* table(int docCodec)
{
    static const CodecTable shiftJis(Encoding::codec(Encoding::ShiftJis));
    static const CodecTable eucJp(Encoding::codec(Encoding::EucJp));
    static const CodecTable eucKr(Encoding::codec(Encoding::EucKr));
    static const CodecTable gbk(Encoding::codec(Encoding::Gbk));
    switch (docCodec) {
    case Encoding::ShiftJis:
    case Encoding::Ascii: return &shiftJis;
    case Encoding::EucJp: return &eucJp;
    case Encoding::EucKr: return &eucKr;
    case Encoding::Gbk: return &gbk;
    default: return nullptr;
    }
}

// Bytes of chars in the encoding (flushed at the end), through the tables when
// viaTable is set; invalidChars receives the number of characters that became "?".
static QByteArray fromUnicode(int docCodec, const QChar* chars, qsizetype size, int* invalidChars, bool viaTable)
{
    if (const CodecTable* t = viaTable ? table(docCodec) : nullptr)
        return t->encode(chars, size, invalidChars);
    QTextCodec* c = Encoding::codec(docCodec);
    QTextCodec::ConverterState state;
    QByteArray bytes = c->fromUnicode(chars, int(size), &state);
    const QChar lineFeed(QLatin1Char('\n'));
    QByteArray tail = c->fromUnicode(&lineFeed, 1, &state);
    tail.chop(1);
    *invalidChars = state.invalidChars;
    return tail.isEmpty() ? bytes : bytes + tail;
}

QString Encoding::decode(int docCodec, const QByteArray& bytes, bool crOnly)
{
    if (docCodec == Auto || docCodec == Utf8) {
        QString text(bytes.size(), Qt::Uninitialized);
        text.truncate(decodeUtf8(bytes, text.data()));
        return text;
    }
    QTextCodec* c = codec(docCodec);
    if (!c)
        return QString();
    QString text;
    if (bytes.size() <= tableThreshold) {
        text = toUnicode(c, bytes.constData(), bytes.size());
    } else if (docCodec == Jis) {
        static const JisTable jis(c);
        text = jis.decode(bytes.constData(), bytes.size());
    } else {
        text = table(docCodec)->decode(bytes.constData(), bytes.size());
    }
    if (crOnly)
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

qsizetype Encoding::decodeUtf8(QByteArrayView bytes, QChar* out)
{
    // Unlike QString::fromUtf8, which drops it, a leading byte-order mark is kept:
    // the file is written back as it was read.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.appendToBuffer(out, bytes) - out;
}

static bool isJapanese(int docCodec)
{
    return docCodec == Encoding::ShiftJis || docCodec == Encoding::EucJp || docCodec == Encoding::Jis
        || docCodec == Encoding::Ascii;
}

// What input methods type and the codec cannot encode, and what the codec reads back from the JIS character.
static constexpr struct { char16_t typed, stored; } typedSymbols[] = {
    { 0x301C, 0xFF5E }, { 0x2016, 0x2225 }, { 0x2212, 0xFF0D },
    { 0x00A2, 0xFFE0 }, { 0x00A3, 0xFFE1 }, { 0x00AC, 0xFFE2 },
};

static char16_t storedForm(char16_t ch)
{
    if (ch < 0x00A2 || ch > 0x301C)
        return 0;
    for (const auto& entry : typedSymbols)
        if (ch == entry.typed)
            return entry.stored;
    return 0;
}

static bool needsMapping(int docCodec, QStringView text)
{
    if (!isJapanese(docCodec))
        return false;
    for (const QChar ch : text)
        if (storedForm(ch.unicode()))
            return true;
    return false;
}

QString Encoding::mapForCodec(int docCodec, const QString& text)
{
    if (!isJapanese(docCodec))
        return text;
    // Shared with text, and so not copied, unless a symbol is found.
    QString mapped = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const char16_t stored = storedForm(text.at(i).unicode()))
            mapped[i] = QChar(stored);
    }
    return mapped;
}

// Length of the block of text starting at from, ending before a surrogate pair's second half.
static qsizetype blockLength(const QString& text, qsizetype from, qsizetype wanted)
{
    qsizetype len = qMin(wanted, text.size() - from);
    if (from + len < text.size() && text.at(from + len).isLowSurrogate() && len > 1)
        --len;
    return len;
}

int Encoding::unencodable(int docCodec, const QString& text, QChar* first)
{
    if (docCodec == Auto || docCodec == Utf8)
        return 0;
    QTextCodec* c = codec(docCodec);
    if (!c)
        return 0;
    const QString mapped = mapForCodec(docCodec, text);
    const bool viaTable = mapped.size() > tableThreshold;
    int invalid = 0;
    fromUnicode(docCodec, mapped.constData(), mapped.size(), &invalid, viaTable);
    if (invalid == 0 || !first)
        return invalid;

    // Narrow down to the first block that holds one, then to the character.
    constexpr qsizetype blockSize = 4096;
    for (qsizetype from = 0; from < mapped.size();) {
        const qsizetype len = blockLength(mapped, from, blockSize);
        int inBlock = 0;
        fromUnicode(docCodec, mapped.constData() + from, len, &inBlock, viaTable);
        if (inBlock == 0) {
            from += len;
            continue;
        }
        for (qsizetype i = from; i < from + len;) {
            const qsizetype n =
                mapped.at(i).isHighSurrogate() && i + 1 < mapped.size() && mapped.at(i + 1).isLowSurrogate() ? 2 : 1;
            if (!c->canEncode(mapped.mid(i, n))) {
                *first = mapped.at(i);
                break;
            }
            i += n;
        }
        break;
    }
    return invalid;
}

QByteArray Encoding::encode(int docCodec, const QString& text)
{
    int invalid = 0;
    return encode(docCodec, QStringView(text), &invalid);
}

QByteArray Encoding::encode(int docCodec, QStringView text, int* invalidChars)
{
    *invalidChars = 0;
    if (docCodec == Auto || docCodec == Utf8)
        return text.toUtf8();
    if (!codec(docCodec))
        return QByteArray();
    const bool viaTable = text.size() > tableThreshold;
    if (!needsMapping(docCodec, text))
        return fromUnicode(docCodec, text.data(), text.size(), invalidChars, viaTable);
    const QString mapped = mapForCodec(docCodec, text.toString());
    return fromUnicode(docCodec, mapped.constData(), mapped.size(), invalidChars, viaTable);
}

QByteArray Encoding::rewriteLineEnds(const QByteArray& bytes, int docCodec, int appendCRCode, bool crOnly)
{
    if ((docCodec != ShiftJis && docCodec != Ascii) || (appendCRCode == 0 && !crOnly))
        return bytes;
    const bool loneCr = appendCRCode == 2 || crOnly;
    if (loneCr) {
        QByteArray out = bytes;
        out.replace('\n', '\r');
        return out;
    }
    QByteArray out;
    out.reserve(bytes.size() * 2 + 1);
    for (const char c : bytes) {
        if (c == '\n')
            out.append('\r');
        out.append(c);
    }
    return out;
}

QString Encoding::write(const QString& path, const QString& text, const SaveOptions& options)
{
    TextWriter writer(path, options);
    if (!writer.open())
        return writer.error();
    writer.write(text);
    return writer.commit();
}

int Encoding::invalidSequences(int docCodec, QByteArrayView bytes, QStringView text)
{
    const QChar replacement(QChar::ReplacementCharacter);
    qsizetype shown = text.count(replacement);
    // Only UTF-8 can hold the replacement character itself.
    if (shown > 0 && (docCodec == Auto || docCodec == Utf8))
        shown -= QByteArray::fromRawData(bytes.data(), bytes.size()).count(QByteArrayLiteral("\xEF\xBF\xBD"));
    return int(qMax<qsizetype>(0, shown));
}

QString Encoding::name(int number)
{
    switch (number) {
    case Encoding::Auto: return QStringLiteral("unicode");
    case Encoding::Utf8: return QStringLiteral("UTF-8");
    case Encoding::ShiftJis:
    case Encoding::Ascii: return QStringLiteral("ShiftJIS");
    case Encoding::EucJp: return QStringLiteral("EUC-JP");
    case Encoding::Jis: return QStringLiteral("JIS");
    case Encoding::EucKr: return QStringLiteral("EUC-KR");
    case Encoding::Gbk: return QStringLiteral("GB2312-80");
    default: return QStringLiteral("????");
    }
}

QString Encoding::captionSuffix(int inputCodec, int outputCodec, int docCodec)
{
    if (inputCodec == Auto && outputCodec == Auto)
        return QLatin1Char('(') + name(docCodec) + QLatin1String(" file)");

    QString input;
    switch (inputCodec) {
    case Auto: input = QStringLiteral("Auto"); break;
    case Jis: input = QStringLiteral("JIS file"); break;
    default: input = name(inputCodec); break;
    }
    QString output;
    switch (outputCodec) {
    case Auto: output = QStringLiteral("????"); break;
    case Jis: output = QStringLiteral("JIS file"); break;
    default: output = name(outputCodec); break;
    }
    return QLatin1Char('(') + input + QLatin1String(" ->") + output + QLatin1Char(')');
}
