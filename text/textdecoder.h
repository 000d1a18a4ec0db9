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

    // Room the text of the next bytes may need, in units.
    qsizetype room(qsizetype bytes) const { return m_held.size() + bytes; }
    // Decodes into out, which has room(bytes.size()) units; returns the units written.
    qsizetype decode(QByteArrayView bytes, QChar* out);
    // The text of the bytes held back.
    qsizetype finish(QChar* out);
    QString decode(QByteArrayView bytes);
    QString finish();
    // Byte sequences that could not be read (Encoding::invalidSequences), so far.
    int invalidSequences() const { return m_invalid; }

private:
    qsizetype convert(QByteArrayView bytes, QChar* out);

    int m_docCodec;
    bool m_crOnly;
    QByteArray m_held;
    int m_invalid = 0;
};
