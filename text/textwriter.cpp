#include "text/textwriter.h"

TextWriter::TextWriter(const QString& path, const Encoding::SaveOptions& options)
    : m_file(path), m_options(options),
      m_utf8(options.docCodec == Encoding::Auto || options.docCodec == Encoding::Utf8)
{
}

bool TextWriter::open()
{
    return m_file.open();
}

QString TextWriter::error() const
{
    if (m_utf8 && m_options.saveFastUTF8)
        return QStringLiteral("fm.saveFile : Please investigate the file...");
    if (!m_written)
        return m_utf8 ? QStringLiteral("stream : Please investigate the file...")
                      : QStringLiteral("stream.writeRawBytes : Please investigate the file...");
    return QStringLiteral("outfile.open( IO_WriteOnly ) : Please investigate the file...");
}

// The lower bound that a UTF-8 file of text must reach: one byte per character and
// two more for each above U+00FF. A surrogate pair is one character (four bytes).
static qint64 minimumUtf8Size(QStringView text)
{
    qint64 size = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        size += ch.unicode() > 0xFF ? 3 : 1;
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return size;
}

void TextWriter::encodeAndWrite(QStringView text)
{
    if (text.isEmpty() || !m_written)
        return;
    int invalid = 0;
    QByteArray bytes = Encoding::encode(m_options.docCodec, text, &invalid, m_options.keep);
    if (invalid > 0 && m_unencodable == 0)
        Encoding::unencodable(m_options.docCodec, text.toString(), &m_firstUnencodable, m_options.keep);
    m_unencodable += invalid;
    if (m_utf8) {
        // A lone surrogate is written as U+FFFD, which takes as much room as it is counted for.
        m_expected += m_options.saveFastUTF8 ? bytes.size() : minimumUtf8Size(text);
    } else {
        bytes = Encoding::rewriteLineEnds(bytes, m_options.docCodec, m_options.appendCRCode, m_options.crOnly);
        m_expected += bytes.size();
    }
    m_written = m_file.write(bytes);
}

void TextWriter::write(QStringView text)
{
    const qsizetype lastFeed = m_options.docCodec == Encoding::Jis ? -1 : text.lastIndexOf(u'\n');
    if (lastFeed < 0) {
        m_held.append(text);
        return;
    }
    qsizetype from = 0;
    if (!m_held.isEmpty()) {
        from = text.indexOf(u'\n') + 1;
        m_held.append(text.first(from));
        encodeAndWrite(m_held);
        m_held.clear();
    }
    encodeAndWrite(text.sliced(from, lastFeed + 1 - from));
    m_held = text.sliced(lastFeed + 1).toString();
}

void TextWriter::finish()
{
    encodeAndWrite(m_held);
    m_held.clear();
}

QString TextWriter::commit()
{
    finish();
    const qint64 size = m_written ? m_file.writtenSize() : -1;
    const bool complete = m_utf8 && !m_options.saveFastUTF8 ? size >= m_expected : size == m_expected;
    if (!m_written || !complete || !m_file.commit()) {
        m_written = false;
        m_file.cancel();
        return error();
    }
    return QString();
}
