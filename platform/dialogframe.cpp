#include "platform/dialogframe.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

static constexpr const char* FramedProperty = "palmtopFramed";

bool DialogFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show)
        return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || qobject_cast<QMessageBox*>(dialog) || dialog->property(FramedProperty).toBool())
        return false;
    dialog->setProperty(FramedProperty, true);
    if (!dialog->findChildren<QAbstractButton*>().isEmpty() || !dialog->layout())
        return false;

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    box->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addWidget(box, grid->rowCount(), 0, 1, qMax(1, grid->columnCount()));
    else if (auto* boxLayout = qobject_cast<QBoxLayout*>(dialog->layout()))
        boxLayout->addWidget(box);
    else
        dialog->layout()->addWidget(box);
    return false;
}
