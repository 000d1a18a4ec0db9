#include "text/encoding.h"

#include "text/codecdetector.h"
#include "text/codectable.h"
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
static QByteArray convert(int docCodec, const QChar* chars, qsizetype size, int* invalidChars, bool viaTable)
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

// As convert, but a character the codec reads from some bytes and cannot write
// itself is written as those bytes: text read from a file goes back as it was read.
static QByteArray fromUnicode(int docCodec, const QChar* chars, qsizetype size, int* invalidChars, bool viaTable)
{
    QByteArray bytes = convert(docCodec, chars, size, invalidChars, viaTable);
    const CodecTable* t = *invalidChars > 0 ? table(docCodec) : nullptr;
    if (!t || !t->readsWhatItCannotWrite())
        return bytes;
    QByteArray joined;
    int invalid = 0;
    qsizetype from = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const QByteArray read = t->readFrom(chars[i].unicode());
        if (read.isEmpty())
            continue;
        int n = 0;
        joined += convert(docCodec, chars + from, i - from, &n, viaTable) + read;
        invalid += n;
        from = i + 1;
    }
    if (from == 0)
        return bytes;
    int n = 0;
    joined += convert(docCodec, chars + from, size - from, &n, viaTable);
    *invalidChars = invalid + n;
    return joined;
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

namespace {
struct Symbol
{
    char16_t typed, stored;
};
const Symbol symbols[] = {
    { 0x301C, 0xFF5E }, { 0x2016, 0x2225 }, { 0x2212, 0xFF0D },
    { 0x00A2, 0xFFE0 }, { 0x00A3, 0xFFE1 }, { 0x00AC, 0xFFE2 },
};

const Symbol* typedSymbol(QChar ch)
{
    if (ch.unicode() < 0x00A2 || ch.unicode() > 0x301C)
        return nullptr;
    for (const Symbol& entry : symbols) {
        if (ch.unicode() == entry.typed)
            return &entry;
    }
    return nullptr;
}

bool isLoneSurrogate(const QString& text, qsizetype i)
{
    const QChar ch = text.at(i);
    if (ch.isHighSurrogate())
        return i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate();
    return ch.isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate());
}

// Text with every lone surrogate replaced by U+FFFD; shared with text when it has none.
QString withoutLoneSurrogates(const QString& text)
{
    QString result = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isSurrogate() && isLoneSurrogate(text, i))
            result[i] = QChar(QChar::ReplacementCharacter);
    }
    return result;
}

// The code point at i: a whole surrogate pair, or the lone unit.
char32_t codePointAt(const QString& text, qsizetype i)
{
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
    return text.at(i).unicode();
}
} // namespace

QString Encoding::mapForCodec(int docCodec, const QString& text, const QString& keep)
{
    if (!isJapanese(docCodec))
        return text;
    // Shared with text, and so not copied, unless a symbol is found.
    QString mapped = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Symbol* symbol = typedSymbol(text.at(i));
        if (symbol && !keep.contains(text.at(i)))
            mapped[i] = QChar(symbol->stored);
    }
    return mapped;
}

QString Encoding::typedSymbols(int docCodec, const QString& text)
{
    QString found;
    if (!isJapanese(docCodec))
        return found;
    for (const QChar ch : text) {
        if (typedSymbol(ch) && !found.contains(ch))
            found += ch;
    }
    return found;
}

// Length of the block of text starting at from, ending before a surrogate pair's second half.
static qsizetype blockLength(const QString& text, qsizetype from, qsizetype wanted)
{
    qsizetype len = qMin(wanted, text.size() - from);
    if (from + len < text.size() && text.at(from + len).isLowSurrogate() && len > 1)
        --len;
    return len;
}

int Encoding::unencodable(int docCodec, const QString& text, char32_t* first, const QString& keep)
{
    QTextCodec* c = codec(docCodec);
    if (docCodec == Auto || docCodec == Utf8) {
        // UTF-8 holds every character but a lone surrogate.
        int lone = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i).isSurrogate() && isLoneSurrogate(text, i) && lone++ == 0 && first)
                *first = text.at(i).unicode();
        }
        return lone;
    }
    if (!c)
        return 0;
    const QString mapped = mapForCodec(docCodec, text, keep);
    const bool viaTable = mapped.size() > tableThreshold;
    int invalid = 0;
    fromUnicode(docCodec, mapped.constData(), mapped.size(), &invalid, viaTable);
    if (invalid == 0 || !first)
        return invalid;

    // Narrow down to the first block that holds one, then to the character.
    const CodecTable* t = table(docCodec);
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
            const char32_t point = codePointAt(mapped, i);
            const qsizetype n = QChar::requiresSurrogates(point) ? 2 : 1;
            const bool written = t && !t->readFrom(mapped.at(i).unicode()).isEmpty();
            if (isLoneSurrogate(mapped, i) || (!written && !c->canEncode(mapped.mid(i, n)))) {
                *first = point;
                break;
            }
            i += n;
        }
        break;
    }
    return invalid;
}

QByteArray Encoding::encode(int docCodec, const QString& text, const QString& keep)
{
    int invalid = 0;
    return encode(docCodec, QStringView(text), &invalid, keep);
}

QByteArray Encoding::encode(int docCodec, QStringView piece, int* invalidChars, const QString& keep)
{
    *invalidChars = 0;
    // Not copied unless a character must change.
    const QString text = QString::fromRawData(piece.data(), piece.size());
    if (docCodec == Auto || docCodec == Utf8) {
        for (qsizetype i = 0; i < text.size(); ++i)
            *invalidChars += text.at(i).isSurrogate() && isLoneSurrogate(text, i);
        return withoutLoneSurrogates(text).toUtf8();
    }
    if (!codec(docCodec))
        return QByteArray();
    const QString mapped = mapForCodec(docCodec, text, keep);
    return fromUnicode(docCodec, mapped.constData(), mapped.size(), invalidChars, mapped.size() > tableThreshold);
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
