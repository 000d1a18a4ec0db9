#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks for a row number of up to five digits. The capitals A to J stand for the
// digits 0 to 9, so that a number can be typed on the letter keys; OK takes only a
// number.
class JumpDialog : public QDialog
{
    Q_OBJECT
public:
    explicit JumpDialog(QWidget* parent = nullptr, const char* name = nullptr, bool modal = true,
                        Qt::WindowFlags flags = {});

    void setInput(const QString& input);
    // As typed.
    QString getInput() const;
    // The number read on OK.
    uint getNumber() const { return m_number; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* numberEdit;
    QPushButton* okButton;
    uint m_number = 0;
};
