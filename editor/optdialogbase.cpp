#include "optdialogbase.h"

#include "eucjplabel.h"

#include <QLineEdit>
#include <QPushButton>

#include <climits>

OptionDialogBase::OptionDialogBase(const char* caption, QWidget* parent, const char* name, bool modal,
                                   Qt::WindowFlags flags)
    : QDialog(parent, flags), m_form(this)
{
    setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setWindowTitle(eucLabel(caption));
}

void OptionDialogBase::optionSelected()
{
    accept();
}

QLineEdit* OptionDialogBase::newField()
{
    auto* field = new QLineEdit(this);
    // Hand-made settings may be longer than a line edit's usual limit; they come back whole.
    field->setMaxLength(INT_MAX);
    field->setMinimumWidth(m_form.fieldWidth());
    return field;
}

void OptionDialogBase::finishForm()
{
    auto* ok = new QPushButton(eucLabel("OK"), this);
    auto* cancel = new QPushButton(eucLabel("CANCEL"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &OptionDialogBase::optionSelected);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_form.finish(ok, cancel);
}
