#pragma once

#include <QString>

#include <array>
#include <mutex>
#include <vector>

class QTextCodec;

// Decoding of JIS (ISO-2022-JP) through tables read off the codec, for texts in the
// plain form that the codec writes: ASCII and JIS X 0208 segments switched by ESC ( B
// and ESC $ B, no segment empty, kanji in whole pairs, line ends in ASCII. The codec
// keeps a state across a text, so any other text is left whole to the codec. The
// tables are built on first use, once per object, from any thread.
class JisTable
{
public:
    explicit JisTable(QTextCodec* codec);
    JisTable(const JisTable&) = delete;
    JisTable& operator=(const JisTable&) = delete;

    // As the codec reads bytes, flushed at the end.
    QString decode(const char* bytes, qsizetype size) const;

    // Whether the codec turned out suitable for the tables; otherwise it reads everything.
    bool decodesByTable() const;

private:
    void build() const;
    QString decodePlain(const uchar* bytes, qsizetype size) const;

    QTextCodec* m_codec;
    // Built lazily by the const conversions, guarded by the once flag.
    mutable std::once_flag m_built;
    mutable std::array<char16_t, 128> m_ascii {};  // a byte's character in ASCII, or none
    mutable std::vector<char16_t> m_kanji;         // first << 8 | second: the character, or none
    mutable bool m_usable = false;
};
