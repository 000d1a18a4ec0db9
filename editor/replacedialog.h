#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// Asks for the old and the new word of a replacement, and whether to start at the
// cursor and to confirm each one. OK needs an old word.
class ReplaceDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget* parent = nullptr, const char* name = nullptr, bool modal = true,
                           Qt::WindowFlags flags = {});

    // Empty words leave the fields as they are.
    void setOldWord(const QString& word);
    void setNewWord(const QString& word);
    QString getOldWord() const;
    QString getNewWord() const;
    bool isFromCursor() const;
    bool isConfirm() const;

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* oldEdit;
    QLineEdit* newEdit;
    QCheckBox* fromCursorBox;
    QCheckBox* confirmBox;
    QPushButton* okButton;
};
