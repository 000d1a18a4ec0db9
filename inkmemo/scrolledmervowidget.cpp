#include "scrolledmervowidget.h"

#include "mervodata.h"
#include "mervowidget.h"

ScrolledMervoWidget::ScrolledMervoWidget(QWidget* parent, const char* name, MervoData* data, int charHeight)
    : QScrollArea(parent), m_data(data), m_inner(new MervoWidget(nullptr, nullptr, data, true)),
      m_charHeight(charHeight)
{
    setObjectName(QLatin1String(name));
    m_inner->setDimensions(charHeight, charHeight / 4, charHeight / 4);
    setWidget(m_inner);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void ScrolledMervoWidget::resizeEvent(QResizeEvent* e)
{
    QScrollArea::resizeEvent(e);
    const int w = viewport()->width();
    const int lines = m_data->numberOfLines(w, m_charHeight, m_charHeight / 4, m_charHeight / 4);
    m_inner->setFixedSize(w, lines * (m_charHeight + m_charHeight / 4));
}
