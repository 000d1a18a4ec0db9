#include "optdialoglist.h"

#include "eucjplabel.h"

#include <QLineEdit>

OptionList::OptionList(std::initializer_list<const char*> entries, QWidget* parent) : QComboBox(parent)
{
    for (const char* entry : entries)
        addItem(eucLabel(entry));
    connect(this, &QComboBox::activated, this, &OptionList::markChosen);
}

void OptionList::showValue(int value, int entry)
{
    setCurrentIndex(entry >= 0 && entry < count() ? entry : 0);
    m_value = value;
    m_chosen = false;
    // A list made editable after construction: typing counts as choosing.
    if (isEditable())
        connect(lineEdit(), &QLineEdit::textEdited, this, &OptionList::markChosen, Qt::UniqueConnection);
}
