#pragma once

#include "optdialogform.h"

#include <QDialog>

class QLineEdit;

// What the five option dialogs share: the toolkit dialog's constructor, the
// caption, and OK (accept, result 1) and CANCEL (result 0) below their rows.
class OptionDialogBase : public QDialog
{
    Q_OBJECT
public:
    OptionDialogBase(const char* caption, QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags);

public slots:
    void optionSelected();

protected:
    OptionForm& form() { return m_form; }
    // A text field of the layout's width that holds a text of any length.
    QLineEdit* newField();
    // Adds OK and CANCEL once the rows are in, and places everything.
    void finishForm();

private:
    OptionForm m_form;
};
