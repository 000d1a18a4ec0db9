#include "optdialog4.h"

#include "editorsettings.h"

#include <QLineEdit>

#include <algorithm>

OptionDialog4::OptionDialog4(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : OptionDialogBase("[idiom] option", parent, name, modal, flags)
{
    const char* const labels[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int i = 0; i < int(m_idioms.size()); ++i) {
        m_idioms[i] = newField();
        // Phrases are longer than keyword lists.
        m_idioms[i]->setMinimumWidth(form().fieldWidth() * 2);
        form().addRow(labels[i], {m_idioms[i]}, m_idioms[i]);
    }
    finishForm();
}

QLineEdit* OptionDialog4::field(int i) const
{
    return m_idioms[std::clamp(i, 0, int(m_idioms.size()) - 1)];
}

void OptionDialog4::setThisIdiom(int i, const QString& idiom) { field(i)->setText(idiom); }
QString OptionDialog4::getThisIdiom(int i) const { return field(i)->text(); }

void OptionDialog4::fillFrom(const EditorSettings& s)
{
    for (int i = 0; i < int(s.idiom.size()); ++i)
        setThisIdiom(i, s.idiom[i]);
}

void OptionDialog4::readInto(EditorSettings& s) const
{
    for (int i = 0; i < int(s.idiom.size()); ++i)
        s.idiom[i] = getThisIdiom(i);
}
