#pragma once

#include "platform/safefile.h"
#include "text/encoding.h"

#include <QString>
#include <QStringView>

// Writes a text given in pieces by one of Encoding's write paths: each piece is
// encoded up to its last line feed and written at once, so that a long text is
// never held twice, and the write is verified as Encoding::write verifies it.
// Nothing replaces the old file before commit(); JIS, whose escapes may span lines,
// is encoded whole at the end.
class TextWriter
{
public:
    TextWriter(const QString& path, const Encoding::SaveOptions& options);

    // False when the file cannot be written; error() then says so.
    bool open();
    void write(QStringView text);
    // The text has been given: what is held back is written too.
    void finish();
    // Finishes, verifies and replaces the old file; a null string on success,
    // otherwise the text of the "Write Error!!!" box.
    QString commit();
    void cancel() { m_file.cancel(); }
    QString error() const;

    // Whether the bytes go straight into the old file (see SafeFile).
    bool inPlace() const { return m_file.inPlace(); }
    // Characters written as substitutes (Encoding::unencodable), and the first; all of
    // them once finished.
    int unencodable() const { return m_unencodable; }
    char32_t firstUnencodable() const { return m_firstUnencodable; }

private:
    void encodeAndWrite(QStringView text);

    SafeFile m_file;
    Encoding::SaveOptions m_options;
    bool m_utf8;
    QString m_held;
    bool m_written = true;
    qint64 m_expected = 0; // bytes written, or for UTF-8 the least size they take
    int m_unencodable = 0;
    char32_t m_firstUnencodable = 0;
};
