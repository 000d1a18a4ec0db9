#pragma once

#include <QByteArray>
#include <QString>

class QTextCodec;

// The editor's encodings, numbered as in its settings and documents, and the
// conversions at the two edges of a document: bytes read from a file and bytes
// written back.
class Encoding
{
public:
    enum Number { Auto = 0, Utf8 = 1, ShiftJis = 2, EucJp = 3, Jis = 4, EucKr = 5, Gbk = 6, Ascii = 7 };

    // The codec for an encoding number: "Shift_JIS" for 2 and 7, "EUC-JP", "ISO-2022-JP",
    // "EUC-KR", "GBK", and "UTF-8" for 1; null for 0 and unknown numbers.
    static QTextCodec* codec(int number);

    // Detection from the bytes: 1, 2, 3, 4 or 7. Sets or leaves crOnly.
    static int checkCodec(const char* bytes, qint64 size, bool& crOnly);

    // The encoding of a file being opened, from the input setting, the file's name and
    // its bytes. crOnly changes only when the bytes are examined.
    static int chooseOnOpen(int inputCodec, const QString& path, const QByteArray& bytes, bool& crOnly);
    // The same choice in two steps, for a file read in pieces: what the setting and the
    // name fix (Auto when the bytes must decide), and what detection's result gives.
    static int chooseWithoutBytes(int inputCodec, const QString& path, qint64 size);
    static int chooseDetected(const QString& path, int detected);

    // The text of a file's bytes in the given encoding (0 and 1: UTF-8, no line-end
    // change; otherwise by codec, with lone carriage returns turned into line feeds
    // when crOnly is set).
    static QString decode(int docCodec, const QByteArray& bytes, bool crOnly);
    // The UTF-8 decoding of decode, into out, which has room for one unit per byte;
    // returns the units written.
    static qsizetype decodeUtf8(QByteArrayView bytes, QChar* out);

    // Byte sequences of a file that its decoded text shows as U+FFFD because they are
    // not valid in the encoding; saving such a text would write U+FFFD in their place.
    static int invalidSequences(int docCodec, QByteArrayView bytes, QStringView text);

    // Input methods type some symbols in forms the Japanese codecs cannot encode;
    // these become the forms the codec reads back from the JIS character, except the
    // forms listed in keep (see typedSymbols).
    static QString mapForCodec(int docCodec, const QString& text, const QString& keep = QString());
    // The typed forms that mapForCodec would change, as text holds them. A text read
    // from a file passes them as keep when written back in the same encoding, so the
    // file's own characters are written as they were read.
    static QString typedSymbols(int docCodec, const QString& text);
    // Characters of text that the encoding cannot hold once mapped by mapForCodec,
    // lone surrogates included; the first one (a code point) through first.
    static int unencodable(int docCodec, const QString& text, char32_t* first = nullptr,
                           const QString& keep = QString());

    // Bytes of text in the encoding, mapped by mapForCodec first; line ends as they
    // stand. A character the codec reads from some bytes but cannot write goes back
    // as those bytes; lone surrogates become substitutes (U+FFFD in UTF-8).
    static QByteArray encode(int docCodec, const QString& text, const QString& keep = QString());
    // The same for a part of a text that ends where the codec has nothing pending (after a
    // line feed, or the text's end); invalidChars receives what unencodable would count.
    static QByteArray encode(int docCodec, QStringView text, int* invalidChars, const QString& keep = QString());
    // Shift JIS line ends: each line feed becomes CR LF, or a lone CR when
    // appendCRCode is 2 or crOnly is set. Only when docCodec is 2 or 7 and
    // (appendCRCode != 0 or crOnly); otherwise the bytes are returned unchanged.
    static QByteArray rewriteLineEnds(const QByteArray& bytes, int docCodec, int appendCRCode, bool crOnly);

    struct SaveOptions
    {
        int docCodec = ShiftJis;
        int appendCRCode = 0;
        bool crOnly = false;
        bool saveFastUTF8 = false;
        // Typed forms left as they are (see typedSymbols).
        QString keep;
    };
    // Encodes and writes text to path by the write path the options select, and
    // verifies the write. Returns a null string on success, otherwise the text of the
    // "Write Error!!!" box. A failed write leaves the previous file intact.
    static QString write(const QString& path, const QString& text, const SaveOptions& options);

    // The encoding's name as captions show it: "UTF-8", "ShiftJIS", "EUC-JP", "JIS", ...
    static QString name(int number);
    // The caption suffix, such as "(ShiftJIS file)" or "(EUC-JP ->UTF-8)".
    static QString captionSuffix(int inputCodec, int outputCodec, int docCodec);
};
