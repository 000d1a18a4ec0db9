#pragma once

#include "textbuffer.h"
#include "wordfinder.h"

#include <QRegularExpression>
#include <QString>

#include <functional>

// A search word as find and replace use it, in one of the four find modes: bit 0
// set is a regular expression (always case-sensitive), 2 and 3 a case-sensitive
// plain word. A match lies within one paragraph (a line of the text without its
// line end): a regular expression is matched against each paragraph, so "^" and
// "$" anchor at its start and end. The text is searched where it lies, never copied
// whole; a long search costs about what grep costs on the same text.
class TextSearch
{
public:
    struct Match
    {
        qsizetype pos = -1;
        qsizetype length = 0;
        explicit operator bool() const { return pos >= 0; }
    };

    TextSearch(const QString& needle, int mode);

    bool isEmpty() const { return m_needle.isEmpty(); }
    bool isRegExp() const { return m_regExp; }
    // False for a regular expression that does not compile; errorString() says why.
    bool isValid() const { return !m_regExp || m_expression.isValid(); }
    QString errorString() const { return m_expression.errorString(); }
    // A regular expression that begins with "^": it matches only at paragraph starts.
    bool anchoredAtStart() const { return m_regExp && m_needle.startsWith(QLatin1Char('^')); }

    // Called with each match in turn until it returns false.
    using Visit = std::function<bool(const Match&)>;

    // The first match that starts at or after from.
    Match findForward(const TextBuffer& text, qsizetype from) const;
    // The matches from `from` on, in order, as a replacement of every match takes
    // them: each search goes on after the match before (see after()).
    void forEachMatch(const TextBuffer& text, qsizetype from, const Visit& visit) const;
    // The last match that starts at or before from.
    Match findBackward(const TextBuffer& text, qsizetype from) const;
    // Where a search for the next match goes on after m: after its end, or one
    // character further after an empty match.
    static qsizetype after(const TextBuffer& text, const Match& m);

private:
    // The matches at or after from in lines, a view of whole lines: each after the
    // one before, or with overlapping, each starting one character after the one before.
    void forEachIn(QStringView lines, qsizetype from, bool overlapping, const Visit& visit) const;
    void forEachExpressionIn(QStringView lines, qsizetype from, bool overlapping, const Visit& visit) const;
    // The last match starting at or before limit in lines.
    Match lastIn(QStringView lines, qsizetype limit) const;
    // Whether the expression matches the empty last paragraph of a text ending in a line feed.
    bool emptyLastLineMatches(const TextBuffer& text) const;

    QString m_needle;
    bool m_regExp = false;
    // A plain word that can never lie within a paragraph (it holds a line feed).
    bool m_never = false;
    QRegularExpression m_expression;
    WordFinder m_word;
};
