#include "document.h"

#include "text/encoding.h"

#include "platform/filemanager.h"

#include <QFileInfo>

Document::Document(const DocLnk& link) : m_link(link)
{
    m_link.setType(QStringLiteral("text/plain"));
}

QString Document::fileExt() const
{
    return QFileInfo(file()).suffix();
}

bool Document::load(int inputCodec, QString* text)
{
    m_fileSize = QFileInfo(file()).size();
    QByteArray bytes;
    const bool read = FileManager().loadFile(m_link, bytes);
    if (!read)
        bytes.clear();
    m_docCodec = Encoding::chooseOnOpen(inputCodec, file(), bytes, m_crOnly);
    *text = Encoding::decode(m_docCodec, bytes, m_crOnly);
    m_unreadable = Encoding::invalidSequences(m_docCodec, bytes, *text);
    m_readCodec = m_docCodec;
    m_readSymbols = Encoding::typedSymbols(m_docCodec, *text);
    return read;
}

QString Document::symbolsAsRead() const
{
    return m_docCodec == m_readCodec ? m_readSymbols : QString();
}

int Document::unencodable(const QString& text, char32_t* first) const
{
    return Encoding::unencodable(m_docCodec, text, first, symbolsAsRead());
}

QString Document::save(const QString& text, int appendCRCode, bool saveFastUTF8)
{
    Encoding::SaveOptions options;
    options.docCodec = m_docCodec;
    options.appendCRCode = appendCRCode;
    options.crOnly = m_crOnly;
    options.saveFastUTF8 = saveFastUTF8;
    options.keep = symbolsAsRead();
    const QString error = Encoding::write(file(), text, options);
    if (error.isNull()) {
        m_isNewDoc = false;
        m_unreadable = 0;
    }
    return error;
}

QString Document::untitledName(const QString& text)
{
    QString name = text.simplified();
    const int space = name.indexOf(QLatin1Char(' '));
    if (space > 0)
        name.truncate(space);
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    // 40 characters, a surrogate pair counting as one and never split.
    qsizetype end = 0;
    for (int chars = 0; chars < 40 && end < name.size(); ++chars)
        end += name.at(end).isHighSurrogate() && end + 1 < name.size() && name.at(end + 1).isLowSurrogate() ? 2 : 1;
    name.truncate(end);
    return name.isEmpty() ? QStringLiteral("NoTitle") : name;
}
