#include "text/textdecoder.h"

#include "text/encoding.h"

TextDecoder::TextDecoder(int docCodec, bool crOnly) : m_docCodec(docCodec), m_crOnly(crOnly) {}

QString TextDecoder::convert(QByteArrayView bytes)
{
    const QByteArray raw = QByteArray::fromRawData(bytes.data(), bytes.size());
    const QString text = Encoding::decode(m_docCodec, raw, m_crOnly);
    m_invalid += Encoding::invalidSequences(m_docCodec, raw, text);
    return text;
}

QString TextDecoder::decode(QByteArrayView bytes)
{
    const qsizetype lastFeed = m_docCodec == Encoding::Jis ? -1 : bytes.lastIndexOf('\n');
    if (lastFeed < 0) {
        m_held.append(bytes.data(), bytes.size());
        return QString();
    }
    QString text;
    if (m_held.isEmpty()) {
        text = convert(bytes.first(lastFeed + 1));
    } else {
        m_held.append(bytes.data(), lastFeed + 1);
        text = convert(m_held);
        m_held.clear();
    }
    m_held.append(bytes.data() + lastFeed + 1, bytes.size() - lastFeed - 1);
    return text;
}

QString TextDecoder::finish()
{
    const QString text = m_held.isEmpty() ? QString() : convert(m_held);
    m_held.clear();
    return text;
}
