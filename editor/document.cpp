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
    return read;
}

int Document::unencodable(const QString& text, char32_t* first) const
{
    QChar firstChar;
    const int count = Encoding::unencodable(m_docCodec, Encoding::mapForCodec(m_docCodec, text), &firstChar);
    *first = firstChar.unicode();
    return count;
}

QString Document::save(const QString& text, int appendCRCode, bool saveFastUTF8)
{
    Encoding::SaveOptions options;
    options.docCodec = m_docCodec;
    options.appendCRCode = appendCRCode;
    options.crOnly = m_crOnly;
    options.saveFastUTF8 = saveFastUTF8;
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
    name.truncate(40);
    return name.isEmpty() ? QStringLiteral("NoTitle") : name;
}
