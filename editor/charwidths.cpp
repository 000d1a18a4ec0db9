#include "charwidths.h"

CharWidths::CharWidths(const QFont& font) : m_metrics(font)
{
    setFont(font);
}

void CharWidths::setFont(const QFont& font)
{
    m_font = font;
    m_font.setKerning(false);
    // Fonts without ligatures are then drawn without shaping, at the advances added here.
    m_font.setStyleStrategy(QFont::PreferNoShaping);
    m_metrics = QFontMetricsF(m_font);
    m_table.assign(0x10000, -1.0f);
    m_astral.clear();
    m_drawsAsAdded = true;
    static const QString samples[] = {
        QStringLiteral("office fi fl ffi ffl AV To Wa Tr.y, x = 1; (note) value=42 /var/log 2024-05-01"),
        QString::fromUtf8("日本語のテキスト、カタカナ。ｶﾀｶﾅ　ＡＢＣ１２３한국어中文"),
    };
    for (const QString& sample : samples) {
        qreal added = 0;
        for (const QChar c : sample)
            added += advance(c.unicode());
        m_drawsAsAdded = m_drawsAsAdded && qAbs(m_metrics.horizontalAdvance(sample) - added) < 0.01;
    }
}

bool CharWidths::drawsAsAdded(QStringView run) const
{
    if (!m_drawsAsAdded)
        return false;
    for (const QChar ch : run) {
        const char16_t c = ch.unicode();
        const bool simple = c < 0x0300 || (c >= 0x2400 && c < 0x2450) || (c >= 0x3000 && c < 0xA000)
            || (c >= 0xAC00 && c < 0xD7A4) || (c >= 0xFF00 && c < 0xFFF0);
        if (!simple)
            return false;
    }
    return true;
}

qreal CharWidths::measure(char16_t c) const
{
    // A lone surrogate has no glyph of its own; it is drawn as the replacement character.
    const QChar shownChar = QChar::isSurrogate(c) ? QChar(QChar::ReplacementCharacter) : QChar(shown(c));
    const float w = float(m_metrics.horizontalAdvance(shownChar));
    m_table[c] = w;
    return w;
}

qreal CharWidths::advance(char16_t high, char16_t low) const
{
    const char32_t code = QChar::surrogateToUcs4(high, low);
    const auto it = m_astral.constFind(code);
    if (it != m_astral.constEnd())
        return *it;
    const QChar pair[2] = {QChar(high), QChar(low)};
    const qreal w = m_metrics.horizontalAdvance(QString(pair, 2));
    m_astral.insert(code, w);
    return w;
}
