#pragma once

#include <QString>

#include <vector>

// The undo and redo steps of a text. A step is one or more edits that are undone
// together; each edit replaced `removed` at `pos` by `inserted`.
class EditHistory
{
public:
    struct Edit
    {
        qsizetype pos;
        QString removed;
        QString inserted;
    };
    struct Step
    {
        std::vector<Edit> edits;
        // Applied in one pass: positions are those of the text before the step, sorted.
        bool bulk = false;
        // Typing: a following typed edit right after it joins this step.
        bool typing = false;
    };

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }

    // Records a step, dropping what could be redone.
    void push(Step step);
    // Joins edit to the last step when both are typing and edit continues it.
    bool mergeTyping(const Edit& edit);
    // Adds an edit to the last step (a group in progress).
    void append(Edit edit) { m_steps.back().edits.push_back(std::move(edit)); }

    // The step to undo or redo, and the move past it.
    const Step& undoStep() const { return m_steps[m_done - 1]; }
    const Step& redoStep() const { return m_steps[m_done]; }
    void undone() { --m_done; }
    void redone() { ++m_done; }

    // Whether the text is as it was when marked clean.
    bool isClean() const { return m_clean == m_done; }
    void markClean() { m_clean = m_done; }
    void markDirty() { m_clean = npos; }
    void clear();

private:
    static constexpr size_t npos = size_t(-1);
    std::vector<Step> m_steps;
    size_t m_done = 0;
    size_t m_clean = 0;
};
