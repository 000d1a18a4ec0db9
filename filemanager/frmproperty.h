#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <sys/types.h>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QVBoxLayout;
class ctlPropertyTab;

// Shows the details of an entry (the first of the names given; links are followed) and
// changes its permissions, owner and group.
class frmProperty : public QDialog
{
    Q_OBJECT
public:
    frmProperty(QWidget* parent, const QString& dir, QStringList* names);

    // Where the owner and group lists come from.
    static QString userFile;
    static QString groupFile;

public slots:
    // chmod, then chown of what the user changed; closes only when both succeeded.
    void accept() override;

private:
    void buildGeneral(const struct stat* st);
    void buildSecurity(const struct stat* st);
    static QList<unsigned int> fillIds(QComboBox* combo, const QString& file, bool users, bool known,
                                       unsigned int current);
    QString path() const;

    QString dirPath;
    QStringList* names;
    ctlPropertyTab* tabProperty;
    QWidget* pageGeneral;
    QWidget* pageSecurity;
    QVBoxLayout* layout;
    QHBoxLayout* buttonLayout;
    QVBoxLayout* generalLayout;
    QVBoxLayout* securityLayout;
    QGridLayout* generalGrid;
    QGridLayout* permissionGrid;
    QGridLayout* ownerGrid;
    QCheckBox* chkPermission[9];
    QComboBox* cmbOwner;
    QComboBox* cmbGroup;
    QList<unsigned int> ownerIds; // the id of each item, as the files said when the dialog opened
    QList<unsigned int> groupIds;
    int margin;
    int ownerShown = -1; // the items current when the dialog opened
    int groupShown = -1;
};
