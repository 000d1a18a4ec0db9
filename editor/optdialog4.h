#pragma once

#include "optdialogbase.h"

#include <array>

class QLineEdit;
struct EditorSettings;

// "[idiom] option": the nine stock phrases.
class OptionDialog4 : public OptionDialogBase
{
    Q_OBJECT
public:
    explicit OptionDialog4(QWidget* parent = nullptr, const char* name = nullptr, bool modal = false,
                           Qt::WindowFlags flags = {});

    // Phrase i, 0 to 8, shown in the row labelled i + 1; i above 8 is the ninth.
    void setThisIdiom(int i, const QString& idiom);
    QString getThisIdiom(int i) const;

    void fillFrom(const EditorSettings& settings);
    void readInto(EditorSettings& settings) const;

private:
    QLineEdit* field(int i) const;

    std::array<QLineEdit*, 9> m_idioms;
};
