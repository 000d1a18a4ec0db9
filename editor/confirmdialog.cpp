#include "confirmdialog.h"

#include "eucjplabel.h"

#include <QLabel>
#include <QPushButton>

ConfirmDialog::ConfirmDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setWindowTitle(eucLabel("confirm"));
    auto* label = new QLabel(eucLabel("replace?"), this);
    label->setGeometry(5, 5, 160, 30);
    const struct
    {
        const char* text;
        QRect geometry;
        int answer;
    } buttons[] = {
        {"OK", QRect(2, 40, 36, 26), 1},
        {"No", QRect(40, 40, 36, 26), 0},
        {"CANCEL", QRect(78, 40, 84, 26), -1},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(eucLabel(b.text), this);
        button->setGeometry(b.geometry);
        const int value = b.answer;
        connect(button, &QPushButton::clicked, this, [this, value] { answer(value); });
    }
    const QRect covered = childrenRect();
    setFixedSize(covered.right() + 3, covered.bottom() + 3);
}

void ConfirmDialog::answer(int value)
{
    m_answer = value;
    accept();
}
