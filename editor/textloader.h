#pragma once

#include "textbuffer.h"

#include "text/codecdetector.h"
#include "text/textdecoder.h"

#include <QFile>
#include <QObject>
#include <QTimer>

#include <memory>

// Reads a file into a new text a piece at a time on the event loop, so that the
// window stays painted and can stop a long read; the document shown meanwhile is
// left alone. The encoding is chosen as on opening (setting, name, then detection,
// which reads the file once more before decoding it) and the text is exactly what
// decoding the whole file gives.
class TextLoader : public QObject
{
    Q_OBJECT
public:
    // The bytes read and decoded in each step.
    static constexpr qint64 PieceSize = 4 * 1024 * 1024;

    explicit TextLoader(QObject* parent = nullptr);
    ~TextLoader() override;

    // Starts reading path; crOnly is what detection leaves when it does not run.
    // A file of one piece is read at once and finished() comes before start returns.
    void start(const QString& path, int inputCodec, bool crOnly);
    void cancel();
    bool isRunning() const { return m_phase != Idle; }

    // After finished(true): the text and what reading it found.
    TextBuffer takeText() { return std::move(m_text); }
    int docCodec() const { return m_docCodec; }
    bool crOnly() const { return m_crOnly; }
    qint64 fileSize() const { return m_size; }
    int invalidSequences() const { return m_decoder ? m_decoder->invalidSequences() : 0; }

signals:
    void progress(int percent);
    // ok is false when the file could not be read or the memory for its text was not there.
    void finished(bool ok);

private:
    enum Phase { Idle, Detecting, Decoding };

    void step();
    bool startDecoding();
    void finish(bool ok);

    Phase m_phase = Idle;
    QFile m_file;
    QByteArray m_piece;
    QTimer m_timer;
    QString m_path;
    qint64 m_size = 0;
    qint64 m_done = 0;
    int m_docCodec = 0;
    bool m_crOnly = false;
    CodecDetector m_detector;
    std::unique_ptr<TextDecoder> m_decoder;
    TextBuffer m_text;
};
