#pragma once

#include <QStyledItemDelegate>

// Paints a row's icon marks (link, lock, exec) over its icon in column 0 and gives
// every row the same height. Rows say which marks they carry in kxMarkDelegate::MarksRole.
class kxMarkDelegate : public QStyledItemDelegate
{
public:
    enum { MarksRole = Qt::UserRole + 1 };
    enum Mark { MarkLink = 1, MarkLock = 2, MarkExec = 4 };

    kxMarkDelegate(QObject* parent, int rowHeight);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_rowHeight; // 0: the style's own height
};
