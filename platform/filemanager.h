#pragma once

#include <QByteArray>
#include <QString>

class DocLnk;

// Whole-file reading and writing of documents.
class FileManager
{
public:
    bool loadFile(const DocLnk& doc, QByteArray& bytes);
    // Decodes the file as UTF-8.
    bool loadFile(const DocLnk& doc, QString& text);
    // Writes the text as UTF-8 without ever leaving a half-written file in place of the old one.
    bool saveFile(const DocLnk& doc, const QString& text);
};
