#pragma once

#include <QDialog>

// Asks before one replacement: "OK" replaces (answer 1), "No" skips (0), "CANCEL"
// ends the replacing (-1). Each button accepts the dialog; closing it otherwise
// rejects it.
class ConfirmDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ConfirmDialog(QWidget* parent = nullptr, const char* name = nullptr, bool modal = true,
                           Qt::WindowFlags flags = {});

    int getAnswer() const { return m_answer; }

private:
    void answer(int value);

    int m_answer = 1;
};
