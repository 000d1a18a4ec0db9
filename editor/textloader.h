#pragma once

#include "textbuffer.h"

#include <QString>

#include <functional>

// Reads a file into a new text a piece at a time, telling its progress between
// pieces so that the caller can keep the window painted and stop a long read; the
// document shown meanwhile is left alone. The encoding is chosen as on opening
// (setting, name, then detection, which reads the file once more before decoding
// it) and the text is exactly what decoding the whole file gives.
class TextLoader
{
public:
    // The bytes read and decoded in each piece.
    static constexpr qint64 PieceSize = 4 * 1024 * 1024;
    enum Result { Loaded, Failed, Stopped };
    // Told the percentage done after each piece; false stops the read.
    using Progress = std::function<bool(int percent)>;

    // Reads path; crOnly is what detection leaves when it does not run. Failed: the
    // file could not be read, or the memory for its text was not there.
    Result load(const QString& path, int inputCodec, bool crOnly, const Progress& progress = {});

    // After a load: the text and what reading it found.
    TextBuffer takeText() { return std::move(m_text); }
    int docCodec() const { return m_docCodec; }
    bool crOnly() const { return m_crOnly; }
    qint64 fileSize() const { return m_size; }
    int invalidSequences() const { return m_invalid; }
    // The typed forms of symbols the text holds (Encoding::typedSymbols).
    QString typedSymbols() const { return m_typedSymbols; }

private:
    TextBuffer m_text;
    qint64 m_size = 0;
    int m_docCodec = 0;
    bool m_crOnly = false;
    int m_invalid = 0;
    QString m_typedSymbols;
};
