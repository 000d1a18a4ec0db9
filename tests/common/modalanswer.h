#pragma once

#include <QString>

// Answers the next modal dialog or message box: once one is open, presses the
// button whose text (without '&') is `button`. Records the box's title and text.
class ModalAnswer
{
public:
    explicit ModalAnswer(const QString& button);
    ~ModalAnswer();

    bool answered() const;
    QString title() const;
    QString text() const;

private:
    struct State;
    State* m_state;
};
