#pragma once

#include <QImage>

// The small images the editor draws for line ends, the end of the text, tabs,
// full-width spaces and the jump mark, in the sizes chosen by the mark mode.
class MarkImages
{
public:
    MarkImages();

    // Mode 1 to 4 picks the line-end, tab and full-width-space images; any other
    // mode keeps those the previous mode picked (none at first).
    void setMode(int mode);

    const QImage& lineEnd() const { return m_lineEnd; }
    const QImage& endOfText() const { return m_endOfText; }
    const QImage& tab() const { return m_tab; }
    const QImage& fullWidthSpace() const { return m_fullWidthSpace; }
    const QImage& jumpMark() const { return m_jumpMark; }

    // An image from rows of "." (transparent), "#" (magenta) and "@" (yellow).
    static QImage fromRows(std::initializer_list<const char*> rows);

private:
    QImage m_lineEnd;
    QImage m_endOfText;
    QImage m_tab;
    QImage m_fullWidthSpace;
    QImage m_jumpMark;
};
