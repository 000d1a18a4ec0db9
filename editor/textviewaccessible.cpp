#include "textviewaccessible.h"

#include "textview.h"

#include <QTextBoundaryFinder>

TextViewAccessible::TextViewAccessible(TextView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

void TextViewAccessible::install()
{
    QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
        if (auto* view = qobject_cast<TextView*>(object))
            return new TextViewAccessible(view);
        return nullptr;
    });
}

TextView* TextViewAccessible::view() const
{
    return static_cast<TextView*>(widget());
}

void* TextViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TextViewAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !view()->isReadOnly();
    s.readOnly = view()->isReadOnly();
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

void TextViewAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && view()->hasSelection()) {
        *startOffset = int(view()->selectionStart());
        *endOffset = int(view()->selectionEnd());
    }
}

int TextViewAccessible::selectionCount() const
{
    return view()->hasSelection() ? 1 : 0;
}

void TextViewAccessible::addSelection(int startOffset, int endOffset)
{
    view()->setSelection(startOffset, endOffset);
}

void TextViewAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        view()->deselect();
}

void TextViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        view()->setSelection(startOffset, endOffset);
}

int TextViewAccessible::cursorPosition() const
{
    return int(view()->cursorPosition());
}

void TextViewAccessible::setCursorPosition(int position)
{
    view()->setCursorPosition(position);
}

QString TextViewAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Value)
        return QAccessibleWidget::text(t);
    // The line of the cursor: a long text read whole would say nothing useful.
    const TextBuffer& b = view()->buffer();
    return b.lineText(b.lineOf(view()->cursorPosition()));
}

QString TextViewAccessible::text(int startOffset, int endOffset) const
{
    const qsizetype size = view()->buffer().size();
    const qsizetype from = qBound(qsizetype(0), qsizetype(startOffset), size);
    const qsizetype to = qBound(from, qsizetype(endOffset), size);
    return view()->buffer().text(from, to - from);
}

int TextViewAccessible::characterCount() const
{
    return int(view()->buffer().size());
}

QRect TextViewAccessible::characterRect(int offset) const
{
    const QRect local = view()->positionRect(offset);
    return QRect(view()->mapToGlobal(local.topLeft()), local.size());
}

int TextViewAccessible::offsetAtPoint(const QPoint& point) const
{
    return int(view()->positionAtPoint(view()->mapFromGlobal(point)));
}

void TextViewAccessible::scrollToSubstring(int startIndex, int)
{
    view()->setCursorPosition(startIndex);
}

QString TextViewAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = offset;
    return QString();
}

QString TextViewAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const
{
    const TextBuffer& b = view()->buffer();
    const qsizetype pos = qBound(qsizetype(0), qsizetype(offset), b.size());
    const int line = b.lineOf(pos);
    const qsizetype lineStart = b.lineStart(line);
    const qsizetype lineEnd = lineStart + b.lineLength(line);
    qsizetype from = pos;
    qsizetype to = qMin(pos + 1, b.size());
    switch (type) {
    case QAccessible::CharBoundary:
        if (to < b.size() && b.at(pos).isHighSurrogate() && b.at(to).isLowSurrogate())
            ++to;
        break;
    case QAccessible::WordBoundary:
    case QAccessible::SentenceBoundary: {
        const QString text = b.text(lineStart, lineEnd - lineStart);
        QTextBoundaryFinder finder(type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                     : QTextBoundaryFinder::Sentence,
                                   text);
        finder.setPosition(pos - lineStart);
        if (!finder.isAtBoundary())
            finder.toPreviousBoundary();
        from = lineStart + qMax<qsizetype>(0, finder.position());
        to = lineStart + (finder.toNextBoundary() < 0 ? text.size() : finder.position());
        break;
    }
    case QAccessible::NoBoundary:
        from = 0;
        to = b.size();
        break;
    default: // lines and paragraphs: a line of the file with its line feed
        from = lineStart;
        to = line + 1 < b.lineCount() ? lineEnd + 1 : lineEnd;
        break;
    }
    *start = int(from);
    *end = int(to);
    return b.text(from, to - from);
}

QString TextViewAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const
{
    int s = 0;
    int e = 0;
    textAtOffset(offset, type, &s, &e);
    if (s == 0) {
        *start = *end = 0;
        return QString();
    }
    return textAtOffset(s - 1, type, start, end);
}

QString TextViewAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const
{
    int s = 0;
    int e = 0;
    textAtOffset(offset, type, &s, &e);
    if (e >= characterCount()) {
        *start = *end = characterCount();
        return QString();
    }
    return textAtOffset(e, type, start, end);
}

void TextViewAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void TextViewAccessible::insertText(int offset, const QString& text)
{
    replaceText(offset, offset, text);
}

void TextViewAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    if (view()->isReadOnly())
        return;
    view()->setSelection(startOffset, endOffset);
    view()->insertText(text);
}
