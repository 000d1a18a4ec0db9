#include "text/jistable.h"

#include <QTextCodec>

// No entry: the codec decides. No character of these tables is U+FFFF.
static constexpr char16_t none = 0xFFFF;

JisTable::JisTable(QTextCodec* codec)
    : m_codec(codec)
{
}

bool JisTable::decodesByTable() const
{
    std::call_once(m_built, [this] { build(); });
    return m_usable;
}

// An entry is taken when the codec reads the byte (in ASCII, where it starts) or the
// pair (after ESC $ B) twice in a row as the same single character twice: the codec is
// then left as it was found, and the same character follows wherever the segment goes on.
void JisTable::build() const
{
    const auto readsTwice = [this](const QByteArray& bytes) {
        QTextCodec::ConverterState state;
        const QString text = m_codec->toUnicode(bytes.constData(), int(bytes.size()), &state);
        const bool clean = text.size() == 2 && text.at(0) == text.at(1) && text.at(0) != QChar::ReplacementCharacter
            && text.at(0).unicode() != none;
        return clean ? text.at(0).unicode() : none;
    };
    for (int b = 0; b < 0x80; ++b)
        m_ascii[b] = b == 0x1B ? none : readsTwice(QByteArray(2, char(b)));
    m_kanji.assign(0x10000, none);
    for (int first = 0x21; first <= 0x7E; ++first) {
        for (int second = 0x21; second <= 0x7E; ++second) {
            const char bytes[] = { '\x1b', '$', 'B', char(first), char(second), char(first), char(second) };
            m_kanji[first << 8 | second] = readsTwice(QByteArray(bytes, int(sizeof bytes)));
        }
    }
    m_usable = m_ascii['\n'] == u'\n';
}

QString JisTable::decode(const char* bytes, qsizetype size) const
{
    if (decodesByTable()) {
        const QString text = decodePlain(reinterpret_cast<const uchar*>(bytes), size);
        if (!text.isNull())
            return text;
    }
    QTextCodec::ConverterState state;
    QString text = m_codec->toUnicode(bytes, int(size), &state);
    QString tail = m_codec->toUnicode("\n", 1, &state);
    if (tail.endsWith(QLatin1Char('\n')))
        tail.chop(1);
    return text + tail;
}

// Null as soon as the text leaves the plain form. The codec reports an escape after an
// empty segment, but not a text that ends with one (as it writes texts ending in kanji).
QString JisTable::decodePlain(const uchar* p, qsizetype size) const
{
    QString text(size, Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = begin;
    bool kanji = false;
    bool empty = false; // nothing since the last escape
    qsizetype i = 0;
    while (i < size) {
        const uchar b = p[i];
        if (b == 0x1B) {
            if (empty || i + 2 >= size || p[i + 2] != 'B' || (p[i + 1] != '(' && p[i + 1] != '$'))
                return QString();
            kanji = p[i + 1] == '$';
            empty = true;
            i += 3;
            continue;
        }
        char16_t c;
        if (kanji) {
            if (i + 1 >= size || (c = m_kanji[b << 8 | p[i + 1]]) == none)
                return QString();
            i += 2;
        } else {
            if (b >= 0x80 || (c = m_ascii[b]) == none)
                return QString();
            ++i;
        }
        *out++ = c;
        empty = false;
    }
    text.resize(out - begin);
    return text;
}
