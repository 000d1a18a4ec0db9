#include "textmodel.h"

TextModel::TextModel(QObject* parent) : QObject(parent) {}

void TextModel::setText(QStringView text)
{
    TextBuffer buffer;
    buffer.insert(0, text);
    setBuffer(std::move(buffer));
}

void TextModel::setBuffer(TextBuffer&& buffer)
{
    const bool wasModified = isModified();
    m_buffer = std::move(buffer);
    m_history.clear();
    m_groupDepth = 0;
    m_groupStarted = false;
    emit reset();
    announceModified(wasModified);
}

void TextModel::apply(qsizetype pos, QStringView removed, QStringView text)
{
    const qsizetype length = removed.size();
    // Line starts follow line feeds, so the line of a position counts the line feeds before it.
    const int firstLine = m_buffer.lineOf(pos);
    const int feedsRemoved = m_buffer.lineOf(pos + length) - firstLine;
    const int feedsAdded = int(text.count(QLatin1Char('\n')));
    m_buffer.remove(pos, length);
    m_buffer.insert(pos, text);
    emit changed(Change{pos, length, text.size(), firstLine, feedsRemoved + 1, feedsAdded + 1, removed});
}

void TextModel::applyRanges(const std::vector<TextBuffer::Range>& ranges)
{
    m_buffer.replaceRanges(ranges);
    emit reset();
}

void TextModel::announceModified(bool wasModified)
{
    if (wasModified != isModified())
        emit modificationChanged(isModified());
}

void TextModel::replace(qsizetype pos, qsizetype length, QStringView text, EditKind kind)
{
    if (length == 0 && text.isEmpty())
        return;
    const bool wasModified = isModified();
    const QString removed = m_buffer.text(pos, length);
    EditHistory::Edit edit{pos, removed, text.toString()};
    if (m_groupDepth > 0 && m_groupStarted) {
        m_history.append(std::move(edit));
    } else if (m_groupDepth > 0) {
        m_history.push(EditHistory::Step{{std::move(edit)}, false, false});
        m_groupStarted = true;
    } else if (kind != Typing || !m_history.mergeTyping(edit)) {
        m_history.push(EditHistory::Step{{std::move(edit)}, false, kind == Typing});
    }
    apply(pos, removed, text);
    announceModified(wasModified);
}

void TextModel::replaceAll(std::vector<TextBuffer::Range> ranges)
{
    if (ranges.empty())
        return;
    const bool wasModified = isModified();
    EditHistory::Step step{{}, true, false};
    step.edits.reserve(ranges.size());
    for (const TextBuffer::Range& r : ranges)
        step.edits.push_back({r.pos, m_buffer.text(r.pos, r.length), r.text});
    // Inside a group the replacements are a step of their own, undone before the group's earlier edits.
    m_history.push(std::move(step));
    m_groupStarted = false;
    applyRanges(ranges);
    announceModified(wasModified);
}

void TextModel::beginGroup()
{
    if (m_groupDepth++ == 0)
        m_groupStarted = false;
}

void TextModel::endGroup()
{
    if (m_groupDepth > 0 && --m_groupDepth == 0)
        m_groupStarted = false;
}

qsizetype TextModel::undo()
{
    if (!m_history.canUndo())
        return -1;
    const bool wasModified = isModified();
    const EditHistory::Step& step = m_history.undoStep();
    qsizetype cursor = -1;
    if (step.bulk) {
        std::vector<TextBuffer::Range> ranges;
        ranges.reserve(step.edits.size());
        qsizetype shift = 0;
        for (const EditHistory::Edit& e : step.edits) {
            ranges.push_back({e.pos + shift, e.inserted.size(), e.removed});
            shift += e.inserted.size() - e.removed.size();
        }
        cursor = step.edits.front().pos;
        m_history.undone();
        applyRanges(ranges);
    } else {
        const std::vector<EditHistory::Edit> edits = step.edits;
        m_history.undone();
        for (auto e = edits.rbegin(); e != edits.rend(); ++e) {
            apply(e->pos, e->inserted, e->removed);
            cursor = e->pos + e->removed.size();
        }
    }
    announceModified(wasModified);
    return cursor;
}

qsizetype TextModel::redo()
{
    if (!m_history.canRedo())
        return -1;
    const bool wasModified = isModified();
    const EditHistory::Step& step = m_history.redoStep();
    qsizetype cursor = -1;
    if (step.bulk) {
        std::vector<TextBuffer::Range> ranges;
        ranges.reserve(step.edits.size());
        for (const EditHistory::Edit& e : step.edits)
            ranges.push_back({e.pos, e.removed.size(), e.inserted});
        const EditHistory::Edit& last = step.edits.back();
        qsizetype shift = 0;
        for (const EditHistory::Edit& e : step.edits)
            shift += e.inserted.size() - e.removed.size();
        cursor = last.pos + shift + last.removed.size();
        m_history.redone();
        applyRanges(ranges);
    } else {
        const std::vector<EditHistory::Edit> edits = step.edits;
        m_history.redone();
        for (const EditHistory::Edit& e : edits) {
            apply(e.pos, e.removed, e.inserted);
            cursor = e.pos + e.inserted.size();
        }
    }
    announceModified(wasModified);
    return cursor;
}

void TextModel::setModified(bool on)
{
    const bool wasModified = isModified();
    if (on)
        m_history.markDirty();
    else
        m_history.markClean();
    announceModified(wasModified);
}
