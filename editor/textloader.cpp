#include "textloader.h"

#include "text/codecdetector.h"
#include "text/encoding.h"
#include "text/textdecoder.h"

#include "platform/plainfile.h"

#include <QFile>

TextLoader::Result TextLoader::load(const QString& path, int inputCodec, bool crOnly, const Progress& progress)
{
    m_text = TextBuffer();
    m_crOnly = crOnly;
    m_invalid = 0;
    m_typedSymbols.clear();
    // Only a plain file is a document; a pipe, a device or a folder is not read.
    QFile file;
    if (!openPlainFile(file, path))
        return Failed;
    // The file is read as far as its size when opened, even if it grows meanwhile.
    m_size = file.size();
    QByteArray piece(qMin(PieceSize, qMax<qint64>(1, m_size)), Qt::Uninitialized);
    // Detection takes the first eighth of the progress, decoding the rest.
    auto readAll = [&](int from, int span, const std::function<void(QByteArrayView)>& take) {
        for (qint64 done = 0; done < m_size;) {
            const qint64 n = file.read(piece.data(), qMin<qint64>(piece.size(), m_size - done));
            if (n < 0)
                return Failed;
            if (n == 0)
                break;
            take(QByteArrayView(piece.constData(), n));
            done += n;
            if (progress && !progress(from + int(done * span / qMax<qint64>(1, m_size))))
                return Stopped;
        }
        return Loaded;
    };

    m_docCodec = Encoding::chooseWithoutBytes(inputCodec, path, m_size);
    const bool detect = m_docCodec == Encoding::Auto;
    qint64 lines = 0;
    if (detect) {
        CodecDetector detector;
        const Result detected = readAll(0, 12, [&](QByteArrayView bytes) { detector.feed(bytes); });
        if (detected != Loaded)
            return detected;
        m_docCodec = Encoding::chooseDetected(path, detector.result(m_crOnly));
        lines = detector.lineFeeds() + (m_crOnly ? detector.carriageReturns() : 0) + 1;
        if (!file.seek(0))
            return Failed;
    }

    // Decoding never gives more units than bytes; room that stays unused is never touched.
    if (!m_text.reserve(m_size))
        return Failed;
    m_text.reserveLines(lines);
    TextDecoder decoder(m_docCodec, m_crOnly);
    auto append = [&](qsizetype written) {
        const qsizetype from = m_text.size();
        m_text.appended(written);
        for (const QStringView part : m_text.pieces(from, written))
            for (const QChar c : Encoding::typedSymbols(m_docCodec, QString::fromRawData(part.data(), part.size())))
                if (!m_typedSymbols.contains(c))
                    m_typedSymbols += c;
    };
    const Result decoded = readAll(detect ? 12 : 0, detect ? 88 : 100, [&](QByteArrayView bytes) {
        append(decoder.decode(bytes, m_text.appendRoom(decoder.room(bytes.size()))));
    });
    if (decoded != Loaded) {
        m_text = TextBuffer();
        return decoded;
    }
    append(decoder.finish(m_text.appendRoom(decoder.room(0))));
    m_invalid = decoder.invalidSequences();
    m_text.squeeze();
    return Loaded;
}
