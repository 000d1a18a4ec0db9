#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

// Asks the simple filer for a new name or the name of a new folder.
class NameInputDialog : public QDialog
{
    Q_OBJECT
public:
    NameInputDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f, bool makeDirectory);

    // Presets the name field unless str is empty.
    void setOldStr(const QString& str);
    // The name given, once accepted.
    QString name() const { return m_name; }
    QLineEdit* nameField() const { return lineEdit; }

public slots:
    void accept() override;
    void okSelected();
    void inputName();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_name;
    QLineEdit* lineEdit = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};
