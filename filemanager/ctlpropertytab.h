#pragma once

#include <QTabWidget>

// The tabs of the properties dialog.
class ctlPropertyTab : public QTabWidget
{
    Q_OBJECT
public:
    explicit ctlPropertyTab(QWidget* parent) : QTabWidget(parent) {}
};
