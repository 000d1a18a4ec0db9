#include "frmprogress.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const int Margin = 7;
const int Left = 30;
const int Top = 60;
}

frmProgress::frmProgress(QWidget* parent, const QString& caption) : QWidget(parent, Qt::Dialog)
{
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(caption);

    // 300 pixels wide, but never wider than a small screen.
    const QRect screen = (parent ? parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const int width = qMax(100, qMin(300, screen.width() - 2 * Margin - 2 * 8));

    labelText = new QLabel(QStringLiteral("フォルダ名を入力してください"), this);
    labelText->setFixedWidth(width);
    // A file name is shown as it is, never read as markup.
    labelText->setTextFormat(Qt::PlainText);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCancel->setFixedSize(120, 28);
    progressBar = new QProgressBar(this);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setFixedWidth(width);
    progressBar->setAlignment(Qt::AlignCenter);

    layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(2);
    layout->addWidget(labelText);
    layout->addWidget(progressBar);
    layout->addSpacing(6);
    layout->addWidget(btnCancel, 0, Qt::AlignHCenter);

    connect(btnCancel, &QPushButton::clicked, this, &frmProgress::slotCancel);

    adjustSize();
    move(qMax(0, qMin(Left, screen.width() - frameGeometry().width())), Top);
}

void frmProgress::setLabelText(const QString& text)
{
    labelText->setText(text);
}

void frmProgress::setProgress(int percent)
{
    progressBar->setValue(percent);
}

void frmProgress::slotCancel()
{
    cancelFlag = true;
    emit cancelled();
}

void frmProgress::hideEvent(QHideEvent*)
{
    slotCancel();
}
