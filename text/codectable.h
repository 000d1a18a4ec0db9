#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <array>
#include <mutex>
#include <vector>

class QTextCodec;

// Conversion tables of a stateless multi-byte codec (Shift JIS, EUC-JP, EUC-KR, GBK),
// read off the codec itself, so that long texts convert without the codec's cost per
// character while the results stay exactly the codec's. Whatever the tables cannot
// answer exactly (broken or truncated sequences, three-byte sequences, unmapped
// characters, surrogates) goes to the codec, which then also decides the substitutes.
// The tables are built on first use, once per object, from any thread.
class CodecTable
{
public:
    explicit CodecTable(QTextCodec* codec);
    CodecTable(const CodecTable&) = delete;
    CodecTable& operator=(const CodecTable&) = delete;

    // As the codec reads bytes, a truncated last character included.
    QString decode(const char* bytes, qsizetype size) const;
    // As the codec writes chars; invalidChars receives the number of characters that
    // became substitutes.
    QByteArray encode(const QChar* chars, qsizetype size, int* invalidChars) const;

    // The bytes the codec reads as ch when it cannot write ch itself (EUC-JP reads
    // 0x8EE0 as U+00A2 but writes no U+00A2), so that what a file held can be written
    // back as it was; empty for every other character.
    QByteArray readFrom(char16_t ch) const;
    bool readsWhatItCannotWrite() const;

    // Whether the codec turned out suitable for tables; otherwise it converts everything.
    bool decodesByTable() const;
    bool encodesByTable() const;

private:
    // A character's bytes, copied four at a time: the bytes, then their number.
    struct Encoded
    {
        char bytes[3];
        quint8 length;
    };

    void buildDecoding() const;
    void buildEncoding() const;
    void buildOneWay() const;

    QTextCodec* m_codec;
    // Built lazily by the const conversions, guarded by the once flags.
    mutable std::once_flag m_decodingBuilt;
    mutable std::once_flag m_encodingBuilt;
    mutable std::once_flag m_oneWayBuilt;
    mutable bool m_decodable = false;
    mutable bool m_encodable = false;
    mutable std::array<char16_t, 256> m_single {};      // a byte's character, or none
    mutable std::vector<char16_t> m_pair;                // lead << 8 | trail: the character, or none
    mutable std::array<bool, 256> m_resets {};           // bytes that leave the codec with nothing pending
    mutable std::vector<Encoded> m_bytes;                // length 0: none
    mutable int m_maxLength = 0;
    mutable std::vector<std::pair<char16_t, std::array<char, 3>>> m_triples; // clean three-byte sequences
    mutable QHash<char16_t, QByteArray> m_oneWay;
};
