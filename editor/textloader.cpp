#include "textloader.h"

#include "text/encoding.h"

TextLoader::TextLoader(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &TextLoader::step);
}

TextLoader::~TextLoader() = default;

void TextLoader::start(const QString& path, int inputCodec, bool crOnly)
{
    cancel();
    m_path = path;
    m_crOnly = crOnly;
    m_text = TextBuffer();
    m_decoder.reset();
    m_detector = CodecDetector();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        finish(false);
        return;
    }
    m_size = m_file.size();
    m_docCodec = Encoding::chooseWithoutBytes(inputCodec, path, m_size);
    m_done = 0;
    m_phase = m_docCodec == Encoding::Auto ? Detecting : Decoding;
    if (m_phase == Decoding && !startDecoding())
        return;
    if (m_size <= PieceSize) {
        while (m_phase != Idle)
            step();
    } else {
        m_timer.start();
    }
}

bool TextLoader::startDecoding()
{
    m_decoder = std::make_unique<TextDecoder>(m_docCodec, m_crOnly);
    // Decoding never gives more units than bytes; room that stays unused is never touched.
    if (!m_text.reserve(m_size)) {
        finish(false);
        return false;
    }
    if (m_phase == Detecting)
        m_text.reserveLines(m_detector.lineFeeds() + (m_crOnly ? m_detector.carriageReturns() : 0) + 1);
    m_phase = Decoding;
    return true;
}

void TextLoader::step()
{
    m_piece.resize(qMin(PieceSize, qMax<qint64>(1, m_size)));
    const qint64 n = m_file.read(m_piece.data(), m_piece.size());
    if (n < 0) {
        finish(false);
        return;
    }
    const QByteArrayView bytes(m_piece.constData(), n);
    m_done += n;
    // The file is read as far as its size when opened, even if it grows meanwhile.
    const bool last = n == 0 || m_done >= m_size;
    if (m_phase == Detecting) {
        m_detector.feed(bytes);
        emit progress(int(m_done * 12 / qMax<qint64>(1, m_size)));
        if (!last)
            return;
        m_docCodec = Encoding::chooseDetected(m_path, m_detector.result(m_crOnly));
        m_done = 0;
        if (!m_file.seek(0)) {
            finish(false);
            return;
        }
        startDecoding();
        return;
    }
    m_text.appended(m_decoder->decode(bytes, m_text.appendRoom(m_decoder->room(bytes.size()))));
    emit progress(12 + int(m_done * 88 / qMax<qint64>(1, m_size)));
    if (last) {
        m_text.appended(m_decoder->finish(m_text.appendRoom(m_decoder->room(0))));
        m_text.squeeze();
        finish(true);
    }
}

void TextLoader::finish(bool ok)
{
    m_timer.stop();
    m_phase = Idle;
    m_file.close();
    m_piece = QByteArray();
    if (!ok)
        m_text = TextBuffer();
    emit finished(ok);
}

void TextLoader::cancel()
{
    if (m_phase == Idle)
        return;
    m_timer.stop();
    m_phase = Idle;
    m_file.close();
    m_piece = QByteArray();
    m_text = TextBuffer();
    m_decoder.reset();
}
