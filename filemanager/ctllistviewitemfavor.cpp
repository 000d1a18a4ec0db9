#include "ctllistviewitemfavor.h"

#include "kxconfig.h"
#include "kxicons.h"
#include "platform/resource.h"

ctlListViewItemFavor::ctlListViewItemFavor(QTreeWidget* view, const QString& item, const QString& title)
{
    view->insertTopLevelItem(0, this);
    init(item, title);
}

ctlListViewItemFavor::ctlListViewItemFavor(QTreeWidget* view, QTreeWidgetItem* after, const QString& item,
                                           const QString& title)
    : QTreeWidgetItem(view, after)
{
    init(item, title);
}

void ctlListViewItemFavor::init(const QString& item, const QString& title)
{
    favorItem = item;
    favorName = title;
    if (isSeparator()) {
        setText(0, tr("<Separater>"));
        return;
    }
    setText(0, kxVisibleName(title.isEmpty() ? item : title));
    setIcon(0, QIcon(Resource::loadPixmap(kxFavorIconName(item))));
}

void ctlListViewItemFavor::setName(const QString& title)
{
    favorName = title;
    setText(0, kxVisibleName(title.isEmpty() ? favorItem : title));
}

bool ctlListViewItemFavor::isSeparator() const
{
    return favorItem == kxFavorSeparator;
}
