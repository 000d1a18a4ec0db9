#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

// Finds a plain word in UTF-16 text, case-sensitive or with the simple case folding
// of the toolkit's case-insensitive search, about as fast as grep reads bytes. With
// SSE2, eight characters at a time are compared with the word's first and last
// character (in each of their cases); elsewhere Horspool's search skips ahead.
class WordFinder
{
public:
    WordFinder() = default;
    WordFinder(const QString& word, bool anyCase);

    qsizetype size() const { return m_word.size(); }
    // Where the word first starts at or after from, or -1.
    qsizetype indexIn(QStringView text, qsizetype from) const;

private:
    QString m_original;
    // The word as compared: folded when case does not count.
    QString m_word;
    bool m_anyCase = false;
    // A word beyond the basic plane in any case, which the toolkit searches.
    bool m_useToolkit = false;
    // Horspool: the shift after a mismatch, by the low byte of the text's character.
    std::array<qsizetype, 256> m_shift{};
    // The characters that fold to the first and the last character of the word;
    // empty when there are too many to compare at once.
    std::vector<char16_t> m_firstCases;
    std::vector<char16_t> m_lastCases;
};
