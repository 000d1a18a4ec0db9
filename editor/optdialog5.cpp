#include "optdialog5.h"

#include "editorsettings.h"
#include "optdialogentries.h"
#include "optdialoglist.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>

namespace {
// The rows in the order of the record.
const struct
{
    const char* label;
    int SpecialKey::*function;
} rows[] = {{"Ctrl  + Enter", &SpecialKey::ctrlEnter}, {"Ctrl  + Space", &SpecialKey::ctrlSpace},
            {"Shift + Enter", &SpecialKey::shiftEnter}, {"Shift + Space", &SpecialKey::shiftSpace},
            {"Fn    + M", &SpecialKey::fnM},           {"Fn    + N", &SpecialKey::fnN},
            {"Fn    + O", &SpecialKey::fnO},           {"Fn    + P", &SpecialKey::fnP},
            {"Fn    + A", &SpecialKey::fnA},           {"Fn    + S", &SpecialKey::fnS}};
} // namespace

OptionDialog5::OptionDialog5(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : OptionDialogBase("[Special Key] option", parent, name, modal, flags)
{
    // The labels line up their "+" with spaces.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(QFontInfo(font()).pixelSize());
    for (int i = 0; i < int(m_functions.size()); ++i) {
        m_functions[i] = new OptionList(OptionEntries::specialKeyFunctions, this);
        form().addRow(rows[i].label, {m_functions[i]})->setFont(fixed);
    }
    finishForm();
}

void OptionDialog5::setSpecialKey(const SpecialKey& keys)
{
    for (int i = 0; i < int(m_functions.size()); ++i)
        m_functions[i]->showValue(keys.*rows[i].function, keys.*rows[i].function);
}

SpecialKey OptionDialog5::getSpecialKey() const
{
    SpecialKey keys;
    for (int i = 0; i < int(m_functions.size()); ++i)
        keys.*rows[i].function = m_functions[i]->value();
    return keys;
}

void OptionDialog5::fillFrom(const EditorSettings& s) { setSpecialKey(s.specialKey); }
void OptionDialog5::readInto(EditorSettings& s) const { s.specialKey = getSpecialKey(); }
