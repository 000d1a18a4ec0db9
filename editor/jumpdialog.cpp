#include "jumpdialog.h"

#include "eucjplabel.h"
#include "smalldialogfont.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

JumpDialog::JumpDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setWindowTitle(eucLabel("Jump to"));
    const bool large = parent && parent->width() > 400;
    if (!large)
        useSmallDialogFont(this);
    auto* label = new QLabel(eucLabel("Number"), this);
    numberEdit = new QLineEdit(this);
    numberEdit->setMaxLength(5);
    okButton = new QPushButton(eucLabel("OK"), this);
    auto* cancelButton = new QPushButton(eucLabel("CANCEL"), this);
    if (large) {
        label->setGeometry(5, 10, 60, 30);
        numberEdit->setGeometry(70, 10, 90, 30);
        okButton->setGeometry(2, 50, 36, 26);
        cancelButton->setGeometry(76, 50, 84, 26);
    } else {
        label->setGeometry(5, 10, 40, 20);
        numberEdit->setGeometry(50, 10, 60, 20);
        okButton->setGeometry(2, 40, 24, 18);
        cancelButton->setGeometry(56, 40, 56, 26);
    }
    numberEdit->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &JumpDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &JumpDialog::reject);
    const QRect covered = childrenRect();
    setFixedSize(covered.right() + 5, covered.bottom() + 5);
    numberEdit->setFocus();
}

void JumpDialog::setInput(const QString& input)
{
    numberEdit->setText(input);
    numberEdit->selectAll();
}

QString JumpDialog::getInput() const
{
    return numberEdit->text();
}

void JumpDialog::accept()
{
    static const QString letters = QStringLiteral("ABCDEFGHIJ");
    QString digits = numberEdit->text();
    for (QChar& c : digits) {
        const qsizetype i = letters.indexOf(c);
        if (i >= 0)
            c = QChar(char16_t(u'0' + i));
    }
    bool number = !digits.isEmpty();
    for (const QChar c : digits)
        number = number && c >= u'0' && c <= u'9';
    if (!number) {
        numberEdit->setFocus();
        return;
    }
    m_number = digits.toUInt();
    QDialog::accept();
}

bool JumpDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == numberEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            okButton->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
