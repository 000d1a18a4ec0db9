#pragma once

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// Edits the title of one favourite; the path is shown, not edited.
class frmOptionFavorDetail : public QDialog
{
    Q_OBJECT
public:
    frmOptionFavorDetail(QWidget* parent, const QString& path, const QString& title);

    QString name() const;

public slots:
    // A title of more than 20 characters is refused.
    void accept() override;

private:
    QString favorName;
    QString favorPath;
    QVBoxLayout* layout;
    QHBoxLayout* buttonLayout;
    QLabel* labelPrompt;
    QLabel* labelTitle;
    QLineEdit* editTitle;
    QLabel* labelPath;
    QLabel* labelPathValue;
    QPushButton* btnOk;
    QPushButton* btnCancel;
};
