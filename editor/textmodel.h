#pragma once

#include "edithistory.h"
#include "textbuffer.h"

#include <QObject>

// A text with its undo history and modified state. Every change is announced with
// the lines it touched, so that views re-lay out only those.
class TextModel : public QObject
{
    Q_OBJECT
public:
    // The text from pos: `removed` units replaced by `inserted`; lines from
    // firstLine: `linesRemoved` lines replaced by `linesAdded` (the line holding
    // pos counts as replaced when its text changed). The removed text is valid while
    // the signal is delivered.
    struct Change
    {
        qsizetype pos;
        qsizetype removed;
        qsizetype inserted;
        int firstLine;
        int linesRemoved;
        int linesAdded;
        QStringView removedText;
    };
    enum EditKind { Command, Typing };

    explicit TextModel(QObject* parent = nullptr);

    const TextBuffer& buffer() const { return m_buffer; }
    qsizetype size() const { return m_buffer.size(); }
    QString text() const { return m_buffer.text(); }
    // The whole text as one view, valid until the next change.
    QStringView contiguous() { return m_buffer.contiguous(); }

    // A new text: no history, not modified.
    void setText(QStringView text);
    void setBuffer(TextBuffer&& buffer);

    void replace(qsizetype pos, qsizetype length, QStringView text, EditKind kind = Command);
    void insert(qsizetype pos, QStringView text, EditKind kind = Command) { replace(pos, 0, text, kind); }
    void remove(qsizetype pos, qsizetype length, EditKind kind = Command) { replace(pos, length, {}, kind); }
    // Many replacements as one step; ranges as for TextBuffer::replaceRanges.
    void replaceAll(std::vector<TextBuffer::Range> ranges);

    // Edits between these two calls are undone as one step; calls may nest.
    void beginGroup();
    void endGroup();

    bool isUndoAvailable() const { return m_history.canUndo(); }
    bool isRedoAvailable() const { return m_history.canRedo(); }
    // The position of the text undone or redone (its end for redo), or -1.
    qsizetype undo();
    qsizetype redo();

    bool isModified() const { return !m_history.isClean(); }
    void setModified(bool on);

signals:
    void changed(const TextModel::Change& change);
    // The whole text was replaced.
    void reset();
    void modificationChanged(bool modified);

private:
    void apply(qsizetype pos, QStringView removed, QStringView text);
    void applyRanges(const std::vector<TextBuffer::Range>& ranges);
    void announceModified(bool wasModified);

    TextBuffer m_buffer;
    EditHistory m_history;
    int m_groupDepth = 0;
    bool m_groupStarted = false;
};
