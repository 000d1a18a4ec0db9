#include "replacedialog.h"

#include "eucjplabel.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ReplaceDialog::ReplaceDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setWindowTitle(eucLabel("** Replace **"));
    const int w = parent && parent->width() > 407 ? 300 : 204;

    (new QLabel(eucLabel("old wd"), this))->setGeometry(5, 10, 90, 25);
    oldEdit = new QLineEdit(this);
    oldEdit->setGeometry(5, 40, w - 11, 25);
    (new QLabel(eucLabel("new wd"), this))->setGeometry(5, 70, 90, 25);
    newEdit = new QLineEdit(this);
    newEdit->setGeometry(5, 100, w - 11, 25);
    fromCursorBox = new QCheckBox(eucLabel("from cursor position"), this);
    fromCursorBox->setGeometry(8, 135, w - 11, 25);
    confirmBox = new QCheckBox(eucLabel("confirmation"), this);
    confirmBox->setGeometry(8, 165, w - 11, 25);
    okButton = new QPushButton(eucLabel("OK"), this);
    okButton->setGeometry(8, 195, 72, 26);
    auto* cancelButton = new QPushButton(eucLabel("CANCEL"), this);
    cancelButton->setGeometry(w - 115, 195, 110, 26);

    // Return in a field moves on rather than pressing the default button.
    oldEdit->installEventFilter(this);
    newEdit->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &ReplaceDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &ReplaceDialog::reject);
    setFixedSize(w, 226);
    oldEdit->setFocus();
}

void ReplaceDialog::setOldWord(const QString& word)
{
    if (word.isEmpty())
        return;
    oldEdit->setText(word);
    // Typing replaces the word proposed.
    oldEdit->selectAll();
}

void ReplaceDialog::setNewWord(const QString& word)
{
    if (!word.isEmpty())
        newEdit->setText(word);
}

QString ReplaceDialog::getOldWord() const { return oldEdit->text(); }
QString ReplaceDialog::getNewWord() const { return newEdit->text(); }
bool ReplaceDialog::isFromCursor() const { return fromCursorBox->isChecked(); }
bool ReplaceDialog::isConfirm() const { return confirmBox->isChecked(); }

void ReplaceDialog::accept()
{
    if (oldEdit->text().isEmpty()) {
        oldEdit->setFocus();
        return;
    }
    QDialog::accept();
}

bool ReplaceDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == oldEdit)
                newEdit->setFocus();
            else if (watched == newEdit)
                okButton->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
