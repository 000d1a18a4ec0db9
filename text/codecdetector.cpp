#include "text/codecdetector.h"

#include "text/encoding.h"

#include <cstring>

namespace {
// True when every byte lies in 0x1C..0x7F (signed value 28 or more). Eight bytes
// at a time: the top bit flags 0x80..0xFF, and adding 0x64 to the low seven bits
// carries into the top bit exactly for 0x1C and above.
bool allPlain(const unsigned char* p, qint64 size)
{
    constexpr quint64 high = 0x8080808080808080ULL;
    constexpr quint64 low = 0x7F7F7F7F7F7F7F7FULL;
    constexpr quint64 bias = 0x6464646464646464ULL;
    qint64 i = 0;
    for (; i + 64 <= size; i += 64) {
        quint64 bad = 0;
        for (int k = 0; k < 64; k += 8) {
            quint64 w;
            std::memcpy(&w, p + i + k, 8);
            bad |= (w & high) | (~((w & low) + bias) & high);
        }
        if (bad)
            return false;
    }
    for (; i < size; ++i)
        if (p[i] < 0x1C || p[i] > 0x7F)
            return false;
    return true;
}

qint64 count(const char* bytes, qint64 size, char c)
{
    qint64 n = 0;
    for (const char* p = bytes; size > 0;) {
        const char* hit = static_cast<const char*>(std::memchr(p, c, size_t(size)));
        if (!hit)
            break;
        ++n;
        size -= hit + 1 - p;
        p = hit + 1;
    }
    return n;
}
} // namespace

void CodecDetector::feed(QByteArrayView bytes)
{
    const char* data = bytes.data();
    const qint64 size = bytes.size();
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    m_lineFeeds += count(data, size, '\n');
    m_carriageReturns += count(data, size, '\r');
    if (m_allPlain)
        m_allPlain = allPlain(p, size);
    if (!m_shiftJisLead) {
        for (qint64 i = 0; i < size && !m_shiftJisLead; ++i)
            m_shiftJisLead = p[i] >= 0x81 && p[i] <= 0x9F;
    }
    if (m_jis)
        return;

    // Look for a JIS escape sequence: ESC $ @, ESC $ B, ESC ( B, ESC ( I, ESC ( J.
    qint64 i = 0;
    if (m_state == 0) {
        const void* escape = size > 0 ? std::memchr(data, 27, size_t(size)) : nullptr;
        if (!escape)
            return;
        i = static_cast<const char*>(escape) - data;
    }
    m_escape = true;
    for (; i < size; ++i) {
        const char c = data[i];
        switch (m_state) {
        case 0:
            if (c == 27)
                m_state = 3;
            break;
        case 3:
            m_state = c == '$' ? 2 : c == '(' ? 1 : 0;
            break;
        case 2:
            if (c == '@' || c == 'B') {
                m_jis = true;
                return;
            }
            m_state = 0;
            break;
        case 1:
            if (c == 'B' || c == 'I' || c == 'J') {
                m_jis = true;
                return;
            }
            m_state = 0;
            break;
        }
    }
}

int CodecDetector::result(bool& crOnly) const
{
    if (m_jis)
        return Encoding::Jis;
    crOnly = m_carriageReturns > 0 && m_lineFeeds == 0;
    if (!m_escape)
        return m_allPlain ? Encoding::Ascii : Encoding::Utf8;
    return m_shiftJisLead ? Encoding::ShiftJis : Encoding::EucJp;
}
