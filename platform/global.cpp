#include "platform/global.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

void Global::statusMessage(const QString& text)
{
    auto* label = new QLabel(text, nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    label->setAttribute(Qt::WA_DeleteOnClose);
    label->setAttribute(Qt::WA_ShowWithoutActivating);
    label->setObjectName(QStringLiteral("statusMessage"));
    label->setTextFormat(Qt::PlainText);
    label->setMargin(4);
    label->adjustSize();
    if (QWidget* w = QApplication::activeWindow()) {
        const QRect r = w->geometry();
        label->move(r.left() + (r.width() - label->width()) / 2, r.bottom() - label->height() - 8);
    }
    label->show();
    QTimer::singleShot(2000, label, &QWidget::close);
}
