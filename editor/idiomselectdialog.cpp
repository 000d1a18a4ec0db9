#include "idiomselectdialog.h"

#include "eucjplabel.h"
#include "smalldialogfont.h"

#include <QListWidget>
#include <QPushButton>

IdiomSelectDialog::IdiomSelectDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setWindowTitle(eucLabel("choose an idiom"));
    const bool large = parent && parent->width() > 400;
    if (!large)
        useSmallDialogFont(this);
    idiomList = new QListWidget(this);
    for (int i = 0; i < 9; ++i)
        idiomList->addItem(QString());
    idiomList->setCurrentRow(0);
    auto* okButton = new QPushButton(eucLabel("OK"), this);
    auto* cancelButton = new QPushButton(eucLabel("CANCEL"), this);
    if (large) {
        idiomList->setGeometry(1, 1, 339, 225);
        okButton->setGeometry(5, 228, 54, 26);
        cancelButton->setGeometry(220, 228, 110, 26);
    } else {
        idiomList->setGeometry(1, 1, 226, 153);
        okButton->setGeometry(5, 156, 36, 18);
        cancelButton->setGeometry(142, 156, 74, 18);
    }
    connect(idiomList, &QListWidget::itemClicked, this, &IdiomSelectDialog::accept);
    connect(idiomList, &QListWidget::itemActivated, this, &IdiomSelectDialog::accept);
    connect(okButton, &QPushButton::clicked, this, &IdiomSelectDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &IdiomSelectDialog::reject);
    const QRect covered = childrenRect();
    setFixedSize(covered.right() + 2, covered.bottom() + 2);
    idiomList->setFocus();
}

void IdiomSelectDialog::setThisIdiom(int i, const QString& idiom)
{
    if (QListWidgetItem* item = idiomList->item(i))
        item->setText(idiom);
}

int IdiomSelectDialog::getSelectIdiomNum() const
{
    return idiomList->currentRow();
}
