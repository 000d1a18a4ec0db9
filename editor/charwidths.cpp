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
