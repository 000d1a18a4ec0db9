#include "frmoptionfavordetail.h"

#include "kxicons.h"
#include "kxscreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

frmOptionFavorDetail::frmOptionFavorDetail(QWidget* parent, const QString& path, const QString& title)
    : QDialog(parent), favorName(title), favorPath(path)
{
    setModal(true);
    setWindowTitle(tr("Edit Favorite Item"));
    const int room = kxScreenRoom(parent) - 2 * 10;
    layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(0);
    labelPrompt = new QLabel(tr("Please input a favorite item title."), this);
    labelPrompt->setWordWrap(true);
    layout->addWidget(labelPrompt);
    layout->addSpacing(10);
    labelTitle = new QLabel(tr("Title :"), this);
    layout->addWidget(labelTitle);
    editTitle = new QLineEdit(title, this);
    editTitle->setFixedWidth(kxFitWidth(350, room));
    editTitle->selectAll();
    layout->addWidget(editTitle);
    layout->addSpacing(10);
    labelPath = new QLabel(tr("Path :"), this);
    layout->addWidget(labelPath);
    labelPathValue = new QLabel(kxVisibleName(path), this);
    labelPathValue->setTextFormat(Qt::PlainText);
    labelPathValue->setFixedWidth(kxFitWidth(350, room));
    labelPathValue->setFrameShape(QFrame::WinPanel);
    labelPathValue->setFrameShadow(QFrame::Sunken);
    labelPathValue->setLineWidth(1);
    layout->addWidget(labelPathValue);
    layout->addSpacing(10);
    buttonLayout = new QHBoxLayout;
    buttonLayout->setSpacing(10);
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(tr("Cancel"), this);
    for (QPushButton* button : {btnOk, btnCancel}) {
        kxFixButtonSize(button, 120, 28, (room - 10) / 2);
        buttonLayout->addWidget(button);
    }
    btnOk->setDefault(true);
    layout->addLayout(buttonLayout);
    connect(btnOk, &QPushButton::clicked, this, &frmOptionFavorDetail::accept);
    connect(btnCancel, &QPushButton::clicked, this, &frmOptionFavorDetail::reject);
}

QString frmOptionFavorDetail::name() const
{
    return editTitle->text();
}

void frmOptionFavorDetail::accept()
{
    // Characters, not UTF-16 units: a character outside the BMP counts once.
    if (name().toUcs4().size() > 20) {
        QMessageBox::critical(this, QStringLiteral("入力エラー"), QStringLiteral("タイトルは20文字以内で入力してください。"));
        return;
    }
    QDialog::accept();
}
