#include "qpeeditor.h"

#include "text/encoding.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCodec>

namespace {
// The full-width bounds of the character classes, as the EUC-JP codec reads them.
struct FullWidthBounds
{
    char16_t halfKana[2], space, digits[2], capitals[2], small[2], hiragana[2], katakana[2], punctuation[2], symbols[2];

    FullWidthBounds()
    {
        QTextCodec* codec = Encoding::codec(Encoding::EucJp);
        auto at = [codec](const char* bytes) {
            const QString c = codec ? codec->toUnicode(bytes) : QString();
            return c.size() == 1 ? c.at(0).unicode() : char16_t(0);
        };
        halfKana[0] = at("\x8e\xa1");
        halfKana[1] = at("\x8e\xdf");
        space = at("\xa1\xa1");
        digits[0] = at("\xa3\xb0");
        digits[1] = at("\xa3\xb9");
        capitals[0] = at("\xa3\xc1");
        capitals[1] = at("\xa3\xda");
        small[0] = at("\xa3\xe1");
        small[1] = at("\xa3\xfa");
        hiragana[0] = at("\xa4\xa1");
        hiragana[1] = at("\xa1\xb6");
        katakana[0] = at("\xa5\xa1");
        katakana[1] = at("\xa1\xb4");
        punctuation[0] = at("\xa1\xa2");
        punctuation[1] = at("\xa1\xcd");
        symbols[0] = at("\xa1\xaa");
        symbols[1] = at("\xa1\xc1");
    }
};

bool in(char16_t c, const char16_t (&range)[2])
{
    return c >= range[0] && c <= range[1];
}

bool isSpaceClass(int c)
{
    return c == 1 || c == 2 || c == 301;
}
} // namespace

int QpeEditor::getCharType(QChar ch)
{
    static const FullWidthBounds bounds;
    const char16_t c = ch.unicode();
    if (c == u'\t')
        return 1;
    if (c == u' ')
        return 2;
    if (c < 0x20)
        return 41;
    if (c >= u'0' && c <= u'9')
        return 11;
    if (c >= u'A' && c <= u'Z')
        return 12;
    if (c >= u'a' && c <= u'z')
        return 13;
    if (c <= u'~')
        return 21;
    if (in(c, bounds.halfKana))
        return 31;
    if (c == bounds.space)
        return 301;
    if (in(c, bounds.digits))
        return 101;
    if (in(c, bounds.capitals))
        return 102;
    if (in(c, bounds.small))
        return 103;
    if (in(c, bounds.hiragana))
        return 601;
    if (in(c, bounds.katakana))
        return 401;
    if (in(c, bounds.punctuation))
        return 501;
    if (in(c, bounds.symbols))
        return 201;
    return 602;
}

// Whether two neighbouring classes belong to one word.
bool QpeEditor::sameWord(int left, int right) const
{
    if (left >= 11 && left <= 13 && right >= 11 && right <= 13)
        return true;
    if (left >= 101 && left <= 103 && right >= 101 && right <= 103)
        return true;
    if (!m_settings.SeparateKanaKanji && (left == 601 || left == 602) && (right == 601 || right == 602))
        return true;
    return left == right;
}

int QpeEditor::characterClass(QChar c) const
{
    const int type = getCharType(c);
    if (isSpaceClass(type))
        return 0;
    if (type >= 11 && type <= 13)
        return 11;
    if (type >= 101 && type <= 103)
        return 101;
    if (!m_settings.SeparateKanaKanji && type == 602)
        return 601;
    return type;
}

void QpeEditor::autoSelectWords()
{
    const TextBuffer& b = buffer();
    const int row = cursorRow();
    const qsizetype rowBegin = rowStart(row);
    const qsizetype end = rowEnd(row);
    auto typeAt = [&](qsizetype pos) { return pos < b.size() ? getCharType(b.at(pos)) : getCharType(QChar()); };

    qsizetype start;
    qsizetype scan;
    if (hasSelection()) {
        start = selectionStart();
        scan = selectionEnd();
    } else {
        const qsizetype cursor = cursorPosition();
        const int c = typeAt(cursor);
        start = scan = cursor;
        if (isSpaceClass(c)) {
            qsizetype pos = cursor;
            while (pos < end && typeAt(pos) == c)
                ++pos;
            if (pos < end)
                start = scan = pos;
        } else {
            while (start > rowBegin && sameWord(typeAt(start - 1), c))
                --start;
            scan = start;
        }
    }

    // Across the rows of a paragraph, to the first character that does not continue the word.
    const qsizetype lineEnd = lineEndPosition(b.lineOf(scan));
    const int c = typeAt(scan);
    auto continues = [&](int next) {
        if (c >= 11 && c <= 13)
            return next >= 11 && next <= 13;
        if (c >= 101 && c <= 103)
            return next >= 101 && next <= 103;
        if ((c == 601 || c == 602) && !m_settings.SeparateKanaKanji)
            return next == 601 || next == 602;
        if (isSpaceClass(c))
            return isSpaceClass(next);
        return next == c;
    };
    qsizetype wordEnd = scan;
    while (wordEnd < lineEnd && continues(typeAt(wordEnd)))
        ++wordEnd;
    setSelection(start, wordEnd);
}

void QpeEditor::keyPressEvent(QKeyEvent* event)
{
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool indent = m_settings.AutoIndent && lineBreak && !isReadOnly();
    if (indent)
        model()->beginGroup();
    TextView::keyPressEvent(event);
    // The line numbers stay in view at the start of a row.
    if (m_settings.LineNumber >= 2 && cursorColumn() == 0)
        horizontalScrollBar()->setValue(0);
    if (indent) {
        // The white space that begins the row just split begins the new one too.
        const int row = cursorRow();
        if (row > 0) {
            const QString previous = rowText(row - 1);
            const QChar fullWidth = m_fullWidthSpace.isEmpty() ? QChar(0x3000) : m_fullWidthSpace.at(0);
            qsizetype n = 0;
            while (n < previous.size() && (previous.at(n) == u' ' || previous.at(n) == u'\t' || previous.at(n) == fullWidth))
                ++n;
            if (n > 0)
                insert(previous.left(n));
        }
        model()->endGroup();
    }
}
