#include "wordfinder.h"

#include <QtAlgorithms>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// Simple case folding of the basic plane as a table, since a search folds every
// character it looks at.
const char16_t* foldTable()
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c)
            t[c] = char16_t(QChar::toCaseFolded(c));
        return t;
    }();
    return table.data();
}

struct Unfolded
{
    char16_t operator()(char16_t c) const { return c; }
};

struct Folded
{
    const char16_t* table = foldTable();
    char16_t operator()(char16_t c) const { return table[c]; }
};

// At most this many cases of a character are compared at once.
constexpr size_t maxCases = 4;

std::vector<char16_t> casesOf(char16_t folded, bool anyCase)
{
    if (!anyCase)
        return {folded};
    const char16_t* table = foldTable();
    std::vector<char16_t> cases;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (table[c] == folded && cases.size() == maxCases)
            return {};
        if (table[c] == folded)
            cases.push_back(char16_t(c));
    }
    return cases;
}

template <typename Fold>
bool matchesAt(const char16_t* text, QStringView word, Fold fold)
{
    for (qsizetype i = 0; i < word.size(); ++i)
        if (fold(text[i]) != word[i].unicode())
            return false;
    return true;
}

// Horspool's search: the text character under the word's last one tells how far the
// word may move on.
template <typename Fold>
qsizetype horspool(QStringView text, qsizetype from, QStringView word, const std::array<qsizetype, 256>& shift,
                   Fold fold)
{
    const qsizetype m = word.size();
    const char16_t last = word[m - 1].unicode();
    const char16_t* t = text.utf16();
    for (qsizetype pos = from; pos + m <= text.size();) {
        const char16_t c = fold(t[pos + m - 1]);
        if (c == last && matchesAt(t + pos, word.first(m - 1), fold))
            return pos;
        pos += shift[c & 0xFF];
    }
    return -1;
}

#if defined(__SSE2__)
__m128i anyOf(__m128i chars, const std::vector<char16_t>& cases)
{
    __m128i hit = _mm_setzero_si128();
    for (const char16_t c : cases)
        hit = _mm_or_si128(hit, _mm_cmpeq_epi16(chars, _mm_set1_epi16(short(c))));
    return hit;
}

// Eight places at a time whose first and last characters fit, each then compared in full.
template <typename Fold>
qsizetype filtered(QStringView text, qsizetype from, QStringView word, const std::vector<char16_t>& firstCases,
                   const std::vector<char16_t>& lastCases, Fold fold)
{
    const qsizetype m = word.size();
    const char16_t* t = text.utf16();
    qsizetype pos = from;
    for (; pos + m - 1 + 8 <= text.size(); pos += 8) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + pos));
        const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + pos + m - 1));
        uint mask = uint(_mm_movemask_epi8(_mm_and_si128(anyOf(first, firstCases), anyOf(last, lastCases))));
        while (mask) {
            const qsizetype at = pos + qCountTrailingZeroBits(mask) / 2;
            if (matchesAt(t + at, word, fold))
                return at;
            mask &= mask - 1; // each character gives two bits
            mask &= mask - 1;
        }
    }
    for (; pos + m <= text.size(); ++pos)
        if (matchesAt(t + pos, word, fold))
            return pos;
    return -1;
}
#endif
} // namespace

WordFinder::WordFinder(const QString& word, bool anyCase) : m_original(word), m_word(word), m_anyCase(anyCase)
{
    // Each character is folded alone, which is exact within the basic plane.
    bool basicPlane = true;
    for (const QChar c : word)
        basicPlane = basicPlane && !c.isSurrogate();
    m_useToolkit = anyCase && !basicPlane;
    if (word.isEmpty() || m_useToolkit)
        return;
    if (anyCase) {
        const Folded fold;
        for (QChar& c : m_word)
            c = QChar(fold(c.unicode()));
    }
    const qsizetype m = m_word.size();
    m_shift.fill(m);
    for (qsizetype i = 0; i + 1 < m; ++i)
        m_shift[m_word[i].unicode() & 0xFF] = m - 1 - i;
    m_firstCases = casesOf(m_word.front().unicode(), anyCase);
    m_lastCases = casesOf(m_word.back().unicode(), anyCase);
}

qsizetype WordFinder::indexIn(QStringView text, qsizetype from) const
{
    if (m_word.isEmpty())
        return -1;
    if (m_useToolkit)
        return text.indexOf(m_original, from, Qt::CaseInsensitive);
#if defined(__SSE2__)
    if (!m_firstCases.empty() && !m_lastCases.empty())
        return m_anyCase ? filtered(text, from, m_word, m_firstCases, m_lastCases, Folded())
                         : filtered(text, from, m_word, m_firstCases, m_lastCases, Unfolded());
#endif
    return m_anyCase ? horspool(text, from, m_word, m_shift, Folded()) : horspool(text, from, m_word, m_shift, Unfolded());
}
