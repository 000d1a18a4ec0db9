#include "modalanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

struct ModalAnswer::State
{
    QString button;
    bool answered = false;
    QString title;
    QString text;
    std::function<void(QDialog*)> prepare;
    QTimer timer;
};

ModalAnswer::ModalAnswer(const QString& button) : ModalAnswer(button, nullptr) {}

ModalAnswer::ModalAnswer(const QString& button, std::function<void(QDialog*)> prepare) : m_state(new State)
{
    m_state->button = button;
    m_state->prepare = std::move(prepare);
    m_state->timer.setInterval(10);
    QObject::connect(&m_state->timer, &QTimer::timeout, [s = m_state] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || s->answered)
            return;
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
            if (b->text().remove(QLatin1Char('&')) != s->button || !b->isVisible())
                continue;
            s->answered = true;
            s->title = dialog->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                s->text = box->text();
            s->timer.stop();
            if (s->prepare)
                s->prepare(dialog);
            b->click();
            return;
        }
    });
    m_state->timer.start();
}

ModalAnswer::~ModalAnswer()
{
    delete m_state;
}

bool ModalAnswer::answered() const { return m_state->answered; }
QString ModalAnswer::title() const { return m_state->title; }
QString ModalAnswer::text() const { return m_state->text; }
