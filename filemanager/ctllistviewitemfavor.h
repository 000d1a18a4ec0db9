#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTreeWidgetItem>

// One row of the favourites editor: a folder with its title, or a separator.
class ctlListViewItemFavor : public QTreeWidgetItem
{
    Q_DECLARE_TR_FUNCTIONS(ctlListViewItemFavor)
public:
    // The first row of the view.
    ctlListViewItemFavor(QTreeWidget* view, const QString& item, const QString& title);
    // A row placed after `after`.
    ctlListViewItemFavor(QTreeWidget* view, QTreeWidgetItem* after, const QString& item, const QString& title);

    QString favorItem; // the path, or "$sep$"
    QString favorName; // empty: the path is shown

    void setName(const QString& title);
    bool isSeparator() const;

private:
    void init(const QString& item, const QString& title);
};
