#include "kxscreen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

static QRect available(const QWidget* parent)
{
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

int kxScreenRoom(const QWidget* parent)
{
    const int frame = 2 * 8;
    return available(parent).width() - frame;
}

bool kxSmallScreen(const QWidget* parent)
{
    return available(parent).width() < 320 || available(parent).height() < 400;
}

int kxFitWidth(int wanted, int room)
{
    return qMax(40, qMin(wanted, room));
}

void kxFixButtonSize(QPushButton* button, int width, int height, int room)
{
    // The text's own width: the style's size hint has a minimum far above the small display's sizes.
    const QString text = QString(button->text()).remove(QLatin1Char('&'));
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    const int needed = button->fontMetrics().horizontalAdvance(text) + 2 * margin + 4;
    button->setFixedSize(kxFitWidth(qMax(width, needed), room), height);
}

void kxFitMessageBox(QMessageBox* box)
{
    if (!kxSmallScreen(box))
        return;
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    auto* icon = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
    if (!label)
        return;
    // The icon, the spaces around it and the box's margins keep their room.
    const int room = kxScreenRoom(box) - (icon ? icon->sizeHint().width() : 0) - 4 * 10;
    const int natural = label->fontMetrics().size(0, label->text()).width();
    label->setMinimumWidth(qMax(0, qMin(natural, room)));
}
