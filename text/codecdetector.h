#pragma once

#include <QByteArrayView>

// The detection of a file's encoding (Encoding::checkCodec) over its bytes given in
// pieces, so that a long file is examined while it is read. It also counts the line
// feeds and carriage returns, which tell how many lines the text will have.
class CodecDetector
{
public:
    void feed(QByteArrayView bytes);
    // 1, 2, 3, 4 or 7, as Encoding::checkCodec; sets or leaves crOnly as it does.
    int result(bool& crOnly) const;

    qint64 lineFeeds() const { return m_lineFeeds; }
    qint64 carriageReturns() const { return m_carriageReturns; }

private:
    qint64 m_lineFeeds = 0;
    qint64 m_carriageReturns = 0;
    bool m_allPlain = true;
    bool m_escape = false;
    bool m_jis = false;
    bool m_shiftJisLead = false; // a byte in 0x81..0x9F
    int m_state = 0;             // of the JIS escape search, carried between pieces
};
