#include "nameinputdialog.h"

#include "eucjplabel.h"
#include "filedialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

NameInputDialog::NameInputDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f, bool makeDirectory)
    : QDialog(parent, f)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    const auto* filer = qobject_cast<FileDialog*>(parent);
    const bool large = filer && filer->getOwnerWidth() > 400;
    setWindowTitle(eucLabel(makeDirectory ? "make directory" : "rename"));

    auto* label = new QLabel(eucLabel("name"), this);
    lineEdit = new QLineEdit(this);
    lineEdit->setMaxLength(80);
    okButton = new QPushButton(eucLabel("OK"), this);
    cancelButton = new QPushButton(eucLabel("CANCEL"), this);
    if (large) {
        label->setGeometry(5, 10, 50, 30);
        lineEdit->setGeometry(60, 10, 190, 30);
        okButton->setGeometry(5, 50, 54, 34);
        cancelButton->setGeometry(180, 50, 60, 34);
    } else {
        label->setGeometry(5, 10, 35, 20);
        lineEdit->setGeometry(45, 10, 126, 20);
        okButton->setGeometry(5, 40, 36, 22);
        cancelButton->setGeometry(110, 40, 60, 22);
    }
    // Return in the field only moves to OK; a second Return there confirms.
    lineEdit->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &NameInputDialog::okSelected);
    connect(cancelButton, &QPushButton::clicked, this, &NameInputDialog::reject);

    const QRect covered = childrenRect();
    resize(covered.right() + 1, covered.bottom() + 1);
    lineEdit->setFocus();
}

void NameInputDialog::setOldStr(const QString& str)
{
    if (!str.isEmpty())
        lineEdit->setText(str);
}

void NameInputDialog::okSelected()
{
    accept();
}

void NameInputDialog::accept()
{
    m_name = lineEdit->text();
    if (m_name.isEmpty()) {
        lineEdit->setFocus();
        return;
    }
    QDialog::accept();
}

void NameInputDialog::inputName()
{
    okButton->setFocus();
}

bool NameInputDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Taken here rather than from returnPressed(): the dialog would otherwise
    // press its default button with the same key.
    if (watched == lineEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            inputName();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
