#include "edithistory.h"

void EditHistory::push(Step step)
{
    m_steps.resize(m_done);
    if (m_clean != npos && m_clean > m_done)
        m_clean = npos;
    m_steps.push_back(std::move(step));
    ++m_done;
}

bool EditHistory::mergeTyping(const Edit& edit)
{
    if (m_done == 0 || m_done != m_steps.size() || m_clean == m_done)
        return false;
    Step& step = m_steps.back();
    if (!step.typing || step.edits.size() != 1)
        return false;
    Edit& last = step.edits.back();
    // A new line ends the run, so that undo takes back one line at a time.
    if (last.inserted.endsWith(QLatin1Char('\n')))
        return false;
    // Typing, or typing over (what it removed followed what the run removed).
    if (!last.inserted.isEmpty() && !edit.inserted.isEmpty() && edit.pos == last.pos + last.inserted.size()) {
        last.inserted += edit.inserted;
        last.removed += edit.removed;
        return true;
    }
    if (last.inserted.isEmpty() && edit.inserted.isEmpty()) {
        if (edit.pos + edit.removed.size() == last.pos) { // Backspace
            last.pos = edit.pos;
            last.removed.prepend(edit.removed);
            return true;
        }
        if (edit.pos == last.pos) { // Delete
            last.removed += edit.removed;
            return true;
        }
    }
    return false;
}

void EditHistory::clear()
{
    m_steps.clear();
    m_done = 0;
    m_clean = 0;
}
