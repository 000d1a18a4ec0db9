#pragma once

#include "optdialogbase.h"
#include "specialkey.h"

#include <array>

class OptionList;
struct EditorSettings;

// "[Special Key] option": the function bound to each of the ten special keys.
class OptionDialog5 : public OptionDialogBase
{
    Q_OBJECT
public:
    explicit OptionDialog5(QWidget* parent = nullptr, const char* name = nullptr, bool modal = false,
                           Qt::WindowFlags flags = {});

    void setSpecialKey(const SpecialKey& keys);
    SpecialKey getSpecialKey() const;

    void fillFrom(const EditorSettings& settings);
    void readInto(EditorSettings& settings) const;

private:
    std::array<OptionList*, 10> m_functions;
};
