#pragma once

#include <QString>

#include <functional>

class QDialog;

// Answers the next modal dialog or message box: once one is open, presses the
// button whose text (without '&') is `button`. Records the box's title and text.
class ModalAnswer
{
public:
    explicit ModalAnswer(const QString& button);
    // Lets `prepare` fill in the dialog (a name, a folder) before the button is pressed.
    ModalAnswer(const QString& button, std::function<void(QDialog*)> prepare);
    ~ModalAnswer();

    bool answered() const;
    QString title() const;
    QString text() const;

private:
    struct State;
    State* m_state;
};
