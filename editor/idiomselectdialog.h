#pragma once

#include <QDialog>

class QListWidget;

// Lists the nine idioms; tapping one, choosing it with the keyboard or OK takes the
// current one.
class IdiomSelectDialog : public QDialog
{
    Q_OBJECT
public:
    explicit IdiomSelectDialog(QWidget* parent = nullptr, const char* name = nullptr, bool modal = true,
                               Qt::WindowFlags flags = {});

    // Item i (0 to 8) shows idiom; item 0 is current.
    void setThisIdiom(int i, const QString& idiom);
    int getSelectIdiomNum() const;

private:
    QListWidget* idiomList;
};
