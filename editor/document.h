#pragma once

#include "textloader.h"

#include "platform/doclnk.h"

#include <QString>

#include <functional>
#include <optional>

// One text file as the editor holds it: where it lives and what it is called, the
// encoding and line-end facts found when it was read, the byte sequences that did
// not read cleanly, and whether it is new; and its reading and writing through the
// encoding layer. The text itself lives in the editing widget.
class Document
{
public:
    // A new, untitled document of type "text/plain" taking the link's name.
    explicit Document(const DocLnk& link = DocLnk());

    const DocLnk& link() const { return m_link; }
    QString file() const { return m_link.file(); }
    void setFile(const QString& path) { m_link.setFile(path); }
    // The title shown in the caption.
    QString name() const { return m_link.name(); }
    void setName(const QString& name) { m_link.setName(name); }
    // The text after the last dot of the file name.
    QString fileExt() const;

    // New documents, and documents given another path by "save as", ask before
    // overwriting an existing file.
    bool isNewDoc() const { return m_isNewDoc; }
    void setNewDoc(bool on) { m_isNewDoc = on; }

    // The encoding number the document is read and written in.
    int docCodec() const { return m_docCodec; }
    void setDocCodec(int number) { m_docCodec = number; }
    // The file had carriage returns and no line feeds (found by detection only).
    bool crOnly() const { return m_crOnly; }
    qint64 fileSize() const { return m_fileSize; }
    // Byte sequences of the file that its text shows as U+FFFD; saving writes them so.
    int unreadable() const { return m_unreadable; }
    // The file could not be read: its text is empty, and the file is not what it shows.
    bool readFailed() const { return m_readFailed; }

    // Reads the file at file() into text, telling progress as TextLoader does: the
    // encoding is inputCodec when that is not 0, otherwise chosen from the name and
    // detected from the bytes. Failed: the bytes could not be read, and text is empty;
    // Stopped: the document and text are as they were.
    TextLoader::Result load(int inputCodec, TextBuffer* text, const TextLoader::Progress& progress = {});

    // Asked, before anything replaces the old file, whether count characters that
    // docCodec cannot hold (the first one given) may be written as substitutes.
    using AcceptUnencodable = std::function<bool(int count, char32_t first)>;
    // Encodes and writes text to file() piece by piece, verified. Returns a null
    // string on success (the document is then no longer new and holds nothing
    // unreadable), the text of the "Write Error!!!" box on failure, and nothing when
    // the substitutes were refused; the old file is left as it was but on success.
    std::optional<QString> save(const TextBuffer& text, int appendCRCode, bool saveFastUTF8,
                                const AcceptUnencodable& accept);

    // A file name proposed from text: its first word without leading dots, "/" made
    // "_", at most maxCharacters characters; empty when nothing is left.
    static QString nameFromText(const QString& text, int maxCharacters);

    // The name of an untitled text: its first word without leading dots, "/" made
    // "_", at most 40 characters; "NoTitle" when nothing is left.
    static QString untitledName(const QString& text);

private:
    // Symbols the file held in the forms input methods type: written back as read,
    // not mapped as typed ones are, while the encoding stays the one read.
    QString symbolsAsRead() const;

    DocLnk m_link;
    bool m_isNewDoc = true;
    int m_docCodec = 2;
    bool m_crOnly = false;
    qint64 m_fileSize = 0;
    int m_unreadable = 0;
    bool m_readFailed = false;
    int m_readCodec = 0;
    QString m_readSymbols;
};
