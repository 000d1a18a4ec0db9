#include "kxmarkdelegate.h"

#include "kxconfig.h"
#include "kxicons.h"

#include <QApplication>
#include <QPainter>

kxMarkDelegate::kxMarkDelegate(QObject* parent, int rowHeight)
    : QStyledItemDelegate(parent), m_rowHeight(rowHeight)
{
}

void kxMarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (index.column() != 0)
        return;
    const int marks = index.data(MarksRole).toInt();
    if (!marks)
        return;
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect icon = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &opt, widget);
    // The marks sit in the icon's corners: link bottom left, lock top right, exec bottom right.
    if ((marks & MarkLink) && kxcfgIcoLink == 1 && kxpixMarkLink)
        painter->drawPixmap(icon.left(), icon.bottom() - kxpixMarkLink->height() + 1, *kxpixMarkLink);
    if ((marks & MarkLock) && kxcfgIcoLock == 1 && kxpixMarkLock)
        painter->drawPixmap(icon.right() - kxpixMarkLock->width() + 1, icon.top(), *kxpixMarkLock);
    if ((marks & MarkExec) && kxcfgIcoExec == 1 && kxpixMarkExec)
        painter->drawPixmap(icon.right() - kxpixMarkExec->width() + 1, icon.bottom() - kxpixMarkExec->height() + 1,
                            *kxpixMarkExec);
}

QSize kxMarkDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (m_rowHeight > 0)
        size.setHeight(m_rowHeight);
    return size;
}
