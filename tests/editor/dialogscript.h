#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

// Answers the modal dialogs that open one after another, each with a step of its
// own: the step gets the dialog and acts on it (fills it in, presses a button).
// Records each dialog's title and, for message boxes, the text.
class DialogScript
{
public:
    using Step = std::function<void(QDialog*)>;

    explicit DialogScript(QList<Step> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog == m_current || m_done == m_steps.size())
                return;
            m_current = dialog;
            titles << dialog->windowTitle();
            auto* box = qobject_cast<QMessageBox*>(dialog);
            texts << (box ? box->text() : QString());
            m_steps.at(m_done++)(dialog);
        });
        m_timer.start();
    }

    // Presses the dialog's button with this text.
    static Step press(const QString& button)
    {
        return [button](QDialog* dialog) { click(dialog, button); };
    }

    static bool click(QDialog* dialog, const QString& button)
    {
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
            if (b->text().remove(QLatin1Char('&')) == button && b->isVisible()) {
                b->click();
                return true;
            }
        }
        return false;
    }

    qsizetype answered() const { return m_done; }

    QStringList titles;
    QStringList texts;

private:
    QList<Step> m_steps;
    qsizetype m_done = 0;
    QPointer<QDialog> m_current;
    QTimer m_timer;
};
