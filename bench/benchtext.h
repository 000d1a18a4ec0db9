#pragma once

// The text of the editor's benchmarks, from a fixed seed.

#include <QByteArray>
#include <QLatin1String>
#include <QRandomGenerator>
#include <QString>

#include <iterator>

// Lines of 30 to 70 columns: ASCII words between runs of kana and kanji, about 70 bytes
// of UTF-8 (1.5 million lines in 100 MiB).
inline QByteArray generateText(qint64 wantedBytes)
{
    static const char* const words[] = {"the", "file", "text", "2024-05-01", "Qt", "editor", "(note)", "line",
                                        "x = 1;", "OK", "error:", "INFO", "value=42", "/var/log"};
    QRandomGenerator random(42);
    QByteArray out;
    out.reserve(wantedBytes + 256);
    QString line;
    while (out.size() < wantedBytes) {
        line.clear();
        const int columns = random.bounded(30, 71);
        for (int column = 0; column < columns;) {
            if (random.bounded(5) < 3) {
                const QLatin1String word(words[random.bounded(int(std::size(words)))]);
                line += word + QLatin1Char(' ');
                column += int(word.size()) + 1;
            } else {
                for (int i = random.bounded(2, 7); i > 0; --i, column += 2)
                    line += QChar(random.bounded(2) ? random.bounded(0x3041, 0x3094) : random.bounded(0x4E00, 0x4E00 + 3000));
            }
        }
        line += QLatin1Char('\n');
        out += line.toUtf8();
    }
    return out;
}
