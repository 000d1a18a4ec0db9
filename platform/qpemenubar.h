#pragma once

#include <QMenuBar>

class QPEMenuBar : public QMenuBar
{
    Q_OBJECT
public:
    explicit QPEMenuBar(QWidget* parent = nullptr) : QMenuBar(parent) { setNativeMenuBar(false); }
};
