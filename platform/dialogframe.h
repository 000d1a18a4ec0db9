#pragma once

#include <QObject>

// On the palmtop the window frame of a dialog carries OK and Cancel. A desktop
// frame has none, so a dialog that brings no buttons of its own gets them here
// when it is first shown (Enter accepts, Escape rejects).
class DialogFrame : public QObject
{
    Q_OBJECT
public:
    explicit DialogFrame(QObject* parent = nullptr) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
