#include "text/codectable.h"

#include <QTextCodec>

#include <algorithm>
#include <cstring>
#include <memory>

// No entry: the codec decides. No byte or pair of these codecs reads as U+FFFF.
static constexpr char16_t none = 0xFFFF;

CodecTable::CodecTable(QTextCodec* codec)
    : m_codec(codec)
{
}

bool CodecTable::decodesByTable() const
{
    std::call_once(m_decodingBuilt, [this] { buildDecoding(); });
    return m_decodable;
}

bool CodecTable::encodesByTable() const
{
    std::call_once(m_encodingBuilt, [this] { buildEncoding(); });
    return m_encodable;
}

// Every table entry is the codec's own output for the bytes alone, accepted only when
// the codec is left with nothing pending: a line feed converted after them must come
// out as just a line feed (it is never a trail byte, so pending bytes would show as a
// replacement character). Every table entry so starts and ends with a codec that has
// nothing pending, and between entries the codec state does not matter.
void CodecTable::buildDecoding() const
{
    auto state = std::make_unique<QTextCodec::ConverterState>();
    QString text;
    const auto probe = [&](const char* bytes, int size) {
        text = m_codec->toUnicode(bytes, size, state.get());
        if (m_codec->toUnicode("\n", 1, state.get()) == QLatin1String("\n"))
            return true;
        state = std::make_unique<QTextCodec::ConverterState>();
        return false;
    };
    const auto clean = [&](bool settled) { return settled && text.size() == 1 && text.at(0) != QChar::ReplacementCharacter; };

    std::array<bool, 256> lead {};
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const bool settled = probe(&byte, 1);
        m_single[b] = clean(settled) ? text.at(0).unicode() : none;
        lead[b] = !settled && text.isEmpty();
    }

    // A byte resets the codec when it leaves nothing pending after any unfinished
    // sequence: after each lead byte, and after each pending pair (EUC-JP's 0x8F).
    m_resets.fill(true);
    m_pair.assign(0x10000, none);
    std::vector<std::array<char, 2>> pendingPairs;
    for (int b = 0; b < 256; ++b) {
        if (!lead[b])
            continue;
        for (int t = 0; t < 256; ++t) {
            const char bytes[2] = { char(b), char(t) };
            const bool settled = probe(bytes, 2);
            if (clean(settled))
                m_pair[b << 8 | t] = text.at(0).unicode();
            if (!settled && text.isEmpty())
                pendingPairs.push_back({ char(b), char(t) });
            m_resets[t] = m_resets[t] && settled;
        }
    }
    for (const auto& pending : pendingPairs) {
        for (int x = 0; x < 256; ++x) {
            const char bytes[3] = { pending[0], pending[1], char(x) };
            const bool settled = probe(bytes, 3);
            if (!settled && text.isEmpty())
                return; // sequences of four bytes or more: not a codec for tables
            if (clean(settled))
                m_triples.push_back({ text.at(0).unicode(), { bytes[0], bytes[1], bytes[2] } });
            m_resets[x] = m_resets[x] && settled;
        }
    }
    for (int b = 0; b < 256; ++b)
        m_resets[b] = m_resets[b] && m_single[b] != none;
    m_decodable = m_single['\n'] == u'\n';
}

// Each character of the Basic Multilingual Plane but the surrogates is written by
// itself; the codec keeps nothing pending between them.
void CodecTable::buildEncoding() const
{
    QTextCodec::ConverterState state;
    m_bytes.assign(0x10000, Encoded {});
    for (int u = 0; u < 0x10000; ++u) {
        const QChar ch(u);
        if (ch.isSurrogate())
            continue;
        const int invalid = state.invalidChars;
        const QByteArray bytes = m_codec->fromUnicode(&ch, 1, &state);
        if (state.invalidChars != invalid || bytes.isEmpty() || bytes.size() > 3)
            continue;
        Encoded& entry = m_bytes[u];
        std::copy(bytes.begin(), bytes.end(), entry.bytes);
        entry.length = quint8(bytes.size());
        m_maxLength = qMax(m_maxLength, int(bytes.size()));
    }
    m_encodable = m_bytes['\n'].length == 1 && m_bytes['\n'].bytes[0] == '\n';
}

// Characters read from some bytes that the codec does not write at all.
void CodecTable::buildOneWay() const
{
    decodesByTable();
    encodesByTable();
    const auto note = [this](char16_t c, const char* bytes, int size) {
        if (c == none || m_bytes[c].length || m_oneWay.contains(c) || m_codec->canEncode(QChar(c)))
            return;
        m_oneWay.insert(c, QByteArray(bytes, size));
    };
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        note(m_single[b], &byte, 1);
    }
    for (int pair = 0; pair < int(m_pair.size()); ++pair) {
        const char bytes[2] = { char(pair >> 8), char(pair & 0xFF) };
        note(m_pair[pair], bytes, 2);
    }
    for (const auto& [c, bytes] : m_triples)
        note(c, bytes.data(), 3);
}

QByteArray CodecTable::readFrom(char16_t ch) const
{
    std::call_once(m_oneWayBuilt, [this] { buildOneWay(); });
    return m_oneWay.value(ch);
}

bool CodecTable::readsWhatItCannotWrite() const
{
    std::call_once(m_oneWayBuilt, [this] { buildOneWay(); });
    return !m_oneWay.isEmpty();
}

QString CodecTable::decode(const char* bytes, qsizetype size) const
{
    QTextCodec::ConverterState state;
    QString text;
    if (decodesByTable()) {
        const auto* p = reinterpret_cast<const uchar*>(bytes);
        // Neither a table entry nor the codec gives more characters than bytes.
        text.resize(size);
        char16_t* out = reinterpret_cast<char16_t*>(text.data());
        qsizetype at = 0;
        qsizetype i = 0;
        while (i < size) {
            const uchar b = p[i];
            char16_t c = m_single[b];
            if (c != none) {
                out[at++] = c;
                ++i;
                continue;
            }
            if (i + 1 < size && (c = m_pair[b << 8 | p[i + 1]]) != none) {
                out[at++] = c;
                i += 2;
                continue;
            }
            // The codec takes over up to a byte after which it has nothing pending.
            qsizetype end = i + 1;
            while (end < size && !m_resets[p[end]])
                ++end;
            end = qMin(end + 1, size);
            const QString part = m_codec->toUnicode(bytes + i, int(end - i), &state);
            if (at + part.size() + (size - end) > text.size()) {
                text.resize(at + part.size() + (size - end));
                out = reinterpret_cast<char16_t*>(text.data());
            }
            std::copy(part.utf16(), part.utf16() + part.size(), out + at);
            at += part.size();
            i = end;
        }
        text.resize(at);
    } else {
        text = m_codec->toUnicode(bytes, int(size), &state);
    }
    // The codec never flushes by itself: a line feed on the same state does, and is
    // taken off again.
    QString tail = m_codec->toUnicode("\n", 1, &state);
    if (tail.endsWith(QLatin1Char('\n')))
        tail.chop(1);
    return tail.isEmpty() ? text : text + tail;
}

QByteArray CodecTable::encode(const QChar* chars, qsizetype size, int* invalidChars) const
{
    QTextCodec::ConverterState state;
    QByteArray bytes;
    if (encodesByTable()) {
        // Room for a whole entry past the last character.
        constexpr qsizetype slack = sizeof(Encoded);
        bytes.resize(size * m_maxLength + slack);
        char* out = bytes.data();
        qsizetype at = 0;
        qsizetype i = 0;
        while (i < size) {
            const Encoded& entry = m_bytes[chars[i].unicode()];
            if (entry.length) {
                std::memcpy(out + at, &entry, sizeof entry);
                at += entry.length;
                ++i;
                continue;
            }
            // An unmapped character goes to the codec alone; surrogates together with
            // the character after them, which settles whatever the codec kept pending.
            qsizetype end = i + 1;
            if (chars[i].isSurrogate()) {
                while (end < size && chars[end].isSurrogate())
                    ++end;
                end = qMin(end + 1, size);
            }
            const QByteArray part = m_codec->fromUnicode(chars + i, int(end - i), &state);
            if (at + part.size() + (size - end) * m_maxLength + slack > bytes.size()) {
                bytes.resize(at + part.size() + (size - end) * m_maxLength + slack);
                out = bytes.data();
            }
            std::memcpy(out + at, part.constData(), size_t(part.size()));
            at += part.size();
            i = end;
        }
        bytes.resize(at);
    } else {
        bytes = m_codec->fromUnicode(chars, int(size), &state);
    }
    const QChar lineFeed(QLatin1Char('\n'));
    QByteArray tail = m_codec->fromUnicode(&lineFeed, 1, &state);
    tail.chop(1);
    if (invalidChars)
        *invalidChars = state.invalidChars;
    return tail.isEmpty() ? bytes : bytes + tail;
}
