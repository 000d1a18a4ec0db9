#include "document.h"

#include "text/encoding.h"
#include "text/textwriter.h"

#include <QFileInfo>

Document::Document(const DocLnk& link) : m_link(link)
{
    m_link.setType(QStringLiteral("text/plain"));
}

QString Document::fileExt() const
{
    return QFileInfo(file()).suffix();
}

TextLoader::Result Document::load(int inputCodec, TextBuffer* text, const TextLoader::Progress& progress)
{
    TextLoader loader;
    const TextLoader::Result result = loader.load(file(), inputCodec, m_crOnly, progress);
    if (result == TextLoader::Stopped)
        return result;
    if (result == TextLoader::Failed) {
        // As for an empty file: the encoding a file too short to detect gets.
        m_fileSize = 0;
        m_docCodec = Encoding::chooseWithoutBytes(inputCodec, file(), 0);
        m_unreadable = 0;
        m_readSymbols.clear();
        *text = TextBuffer();
    } else {
        m_fileSize = loader.fileSize();
        m_docCodec = loader.docCodec();
        m_crOnly = loader.crOnly();
        m_unreadable = loader.invalidSequences();
        m_readSymbols = loader.typedSymbols();
        *text = loader.takeText();
    }
    m_readCodec = m_docCodec;
    m_readFailed = result == TextLoader::Failed;
    return result;
}

QString Document::symbolsAsRead() const
{
    return m_docCodec == m_readCodec ? m_readSymbols : QString();
}

// The text in ranges of about a million units, each ending after a line feed where
// there is one and never inside a surrogate pair.
static void forEachRange(const TextBuffer& text, const std::function<void(qsizetype from, qsizetype to)>& take)
{
    constexpr qsizetype rangeSize = 1 << 20;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = qMin(at + rangeSize, text.size());
        if (end < text.size()) {
            const qsizetype lineStart = text.lineStart(text.lineOf(end));
            if (lineStart > at)
                end = lineStart;
            else if (text.at(end - 1).isHighSurrogate())
                --end;
        }
        take(at, end);
        at = end;
    }
}

std::optional<QString> Document::save(const TextBuffer& text, int appendCRCode, bool saveFastUTF8,
                                      const AcceptUnencodable& accept)
{
    Encoding::SaveOptions options;
    options.docCodec = m_docCodec;
    options.appendCRCode = appendCRCode;
    options.crOnly = m_crOnly;
    options.saveFastUTF8 = saveFastUTF8;
    options.keep = symbolsAsRead();
    TextWriter writer(file(), options);
    // SafeFile refuses to write over anything but a plain file.
    if (!writer.open())
        return writer.error();
    const auto writeAll = [&] {
        forEachRange(text, [&](qsizetype from, qsizetype to) {
            for (const QStringView part : text.pieces(from, to - from))
                writer.write(part);
        });
        writer.finish();
    };
    // Bytes written straight into the old file cannot be taken back: ask first.
    if (writer.inPlace()) {
        int count = 0;
        char32_t first = 0;
        forEachRange(text, [&](qsizetype from, qsizetype to) {
            char32_t firstHere = 0;
            const int here = Encoding::unencodable(m_docCodec, text.text(from, to - from), &firstHere, options.keep);
            if (here > 0 && count == 0)
                first = firstHere;
            count += here;
        });
        if (count > 0 && !accept(count, first)) {
            writer.cancel();
            return std::nullopt;
        }
        writeAll();
    } else {
        writeAll();
        if (writer.unencodable() > 0 && !accept(writer.unencodable(), writer.firstUnencodable())) {
            writer.cancel();
            return std::nullopt;
        }
    }
    const QString error = writer.commit();
    if (error.isNull()) {
        m_isNewDoc = false;
        m_unreadable = 0;
    }
    return error;
}

QString Document::nameFromText(const QString& text, int maxCharacters)
{
    QString name = text.simplified();
    const int space = name.indexOf(QLatin1Char(' '));
    if (space > 0)
        name.truncate(space);
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    // A surrogate pair counts as one character and is never split.
    qsizetype end = 0;
    for (int chars = 0; chars < maxCharacters && end < name.size(); ++chars)
        end += name.at(end).isHighSurrogate() && end + 1 < name.size() && name.at(end + 1).isLowSurrogate() ? 2 : 1;
    name.truncate(end);
    return name;
}

QString Document::untitledName(const QString& text)
{
    const QString name = nameFromText(text, 40);
    return name.isEmpty() ? QStringLiteral("NoTitle") : name;
}
