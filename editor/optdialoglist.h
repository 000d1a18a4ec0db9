#pragma once

#include <QComboBox>

#include <initializer_list>

// A drop-down list of an option dialog. It is shown on the entry that stands for
// a setting value, and gives that value back until the user chooses an entry
// (even the same one): a value the list cannot name, such as a comment colour
// of -1 or a wrap width of 5, is not changed by opening the dialog and pressing OK.
class OptionList : public QComboBox
{
    Q_OBJECT
public:
    OptionList(std::initializer_list<const char*> entries, QWidget* parent);

    // Shows entry (the first one when there is no such entry) for value.
    void showValue(int value, int entry);
    // True once the user chose an entry or typed since the last showValue.
    bool chosen() const { return m_chosen; }
    // The value given to showValue while not chosen, otherwise fromEntry.
    int valueOr(int fromEntry) const { return m_chosen ? fromEntry : m_value; }
    // The value when the entry's number is the value.
    int value() const { return valueOr(currentIndex()); }

private:
    void markChosen() { m_chosen = true; }

    int m_value = 0;
    bool m_chosen = false;
};
