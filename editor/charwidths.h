#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

#include <vector>

// The advance of every character in a font, asked of the font once per character.
// Rows are laid out by adding these, so a text is measured without shaping it;
// kerning is off in the editor's font, so drawn runs take the same room.
class CharWidths
{
public:
    explicit CharWidths(const QFont& font = QFont());
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }
    const QFontMetricsF& metrics() const { return m_metrics; }

    qreal advance(char16_t c) const
    {
        const float w = m_table[c];
        return w >= 0 ? w : measure(c);
    }
    // A character outside the basic plane, given as its surrogate pair.
    qreal advance(char16_t high, char16_t low) const;

    // Whether a run of these characters is drawn at exactly the advances added up here
    // without asking the font: the font draws sample texts so, and every character is
    // of a script drawn glyph by glyph (Latin, kana, kanji, Hangul, full-width forms).
    bool drawsAsAdded(QStringView run) const;

    // What is drawn for a character: control characters show as their control picture.
    static char16_t shown(char16_t c)
    {
        if (c < 0x20)
            return char16_t(0x2400 + c);
        return c == 0x7F ? char16_t(0x2421) : c;
    }

private:
    qreal measure(char16_t c) const;

    QFont m_font;
    QFontMetricsF m_metrics;
    bool m_drawsAsAdded = false;
    mutable std::vector<float> m_table;
    mutable QHash<char32_t, qreal> m_astral;
};
