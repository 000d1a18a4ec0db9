#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Decodes a file's bytes given in pieces into exactly the text Encoding::decode gives
// for all of them at once. Each piece is decoded up to its last line feed, where
// no codec has anything pending; the bytes after it wait for the next piece. JIS,
// whose escapes may span lines, is decoded whole at the end.
class TextDecoder
{
public:
    TextDecoder(int docCodec, bool crOnly);

    QString decode(QByteArrayView bytes);
    // The text of the bytes held back.
    QString finish();
    // Byte sequences that could not be read (Encoding::invalidSequences), so far.
    int invalidSequences() const { return m_invalid; }

private:
    QString convert(QByteArrayView bytes);

    int m_docCodec;
    bool m_crOnly;
    QByteArray m_held;
    int m_invalid = 0;
};
