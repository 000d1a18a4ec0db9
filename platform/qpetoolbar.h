#pragma once

#include <QToolBar>

class QPEToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit QPEToolBar(QWidget* parent = nullptr) : QToolBar(parent) { setMovable(false); }
};
