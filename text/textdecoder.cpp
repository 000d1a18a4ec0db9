#include "text/textdecoder.h"

#include "text/encoding.h"

#include <cstring>

TextDecoder::TextDecoder(int docCodec, bool crOnly) : m_docCodec(docCodec), m_crOnly(crOnly) {}

qsizetype TextDecoder::convert(QByteArrayView bytes, QChar* out)
{
    qsizetype n;
    if (m_docCodec == Encoding::Auto || m_docCodec == Encoding::Utf8) {
        n = Encoding::decodeUtf8(bytes, out);
    } else {
        const QString text = Encoding::decode(m_docCodec, QByteArray::fromRawData(bytes.data(), bytes.size()), m_crOnly);
        std::memcpy(out, text.constData(), size_t(text.size()) * sizeof(QChar));
        n = text.size();
    }
    m_invalid += Encoding::invalidSequences(m_docCodec, bytes, QStringView(out, n));
    return n;
}

qsizetype TextDecoder::decode(QByteArrayView bytes, QChar* out)
{
    const qsizetype lastFeed = m_docCodec == Encoding::Jis ? -1 : bytes.lastIndexOf('\n');
    if (lastFeed < 0) {
        m_held.append(bytes.data(), bytes.size());
        return 0;
    }
    qsizetype written = 0;
    qsizetype from = 0;
    if (!m_held.isEmpty()) {
        // The held bytes end a line that this piece finishes.
        from = bytes.indexOf('\n') + 1;
        m_held.append(bytes.data(), from);
        written = convert(m_held, out);
        m_held.clear();
    }
    written += convert(bytes.sliced(from, lastFeed + 1 - from), out + written);
    m_held.append(bytes.data() + lastFeed + 1, bytes.size() - lastFeed - 1);
    return written;
}

qsizetype TextDecoder::finish(QChar* out)
{
    const qsizetype written = m_held.isEmpty() ? 0 : convert(m_held, out);
    m_held.clear();
    return written;
}

QString TextDecoder::decode(QByteArrayView bytes)
{
    QString text(room(bytes.size()), Qt::Uninitialized);
    text.truncate(decode(bytes, text.data()));
    return text;
}

QString TextDecoder::finish()
{
    QString text(m_held.size(), Qt::Uninitialized);
    text.truncate(finish(text.data()));
    return text;
}
