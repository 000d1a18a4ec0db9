#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

// The modal window shown while a batch of file operations runs: the entry being
// worked on, a percentage bar and Cancel. It only records the wish to cancel;
// the batch polls it between steps.
class frmProgress : public QWidget
{
    Q_OBJECT
public:
    frmProgress(QWidget* parent, const QString& caption);

    void setLabelText(const QString& text);
    void setProgress(int percent);
    bool wasCancelled() const { return cancelFlag; }

public slots:
    void slotCancel();

signals:
    void cancelled();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QLabel* labelText;
    QPushButton* btnCancel;
    QProgressBar* progressBar;
    QVBoxLayout* layout;
    bool cancelFlag = false;
};
