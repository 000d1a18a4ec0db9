#pragma once

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// Asks for the name of a new folder or text document, or a new name for an entry, checks it
// and creates or renames the entry itself; it closes as accepted only when that succeeded.
class frmFilename : public QDialog
{
    Q_OBJECT
public:
    // mode: 0 a new folder, 1 a new text document, 2 rename a folder, 3 rename a file.
    frmFilename(QWidget* parent, int mode, const QString& dir, const QString& name);

    int result() const { return resultCode; }
    QString text() const;

    // name, or the first of name(2), name(3) ... (before the first dot) not taken in dir.
    static QString calcNameSameDir(const QString& dir, const QString& name);

public slots:
    void accept() override;

private:
    bool perform(const QString& name);
    void error(const QString& title, const QString& text);

    int mode;
    QString dirPath;
    QString oldName;
    int resultCode = 0;
    QVBoxLayout* layout;
    QHBoxLayout* buttonLayout;
    QLabel* labelPrompt;
    QLineEdit* editName;
    QPushButton* btnExecute;
    QPushButton* btnCancel;
};
