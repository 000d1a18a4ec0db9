#pragma once

#include <QScrollArea>

class MervoData;
class MervoWidget;

// A whole page, read-only, in a vertically scrolling view as wide as the view.
class ScrolledMervoWidget : public QScrollArea
{
    Q_OBJECT
public:
    ScrolledMervoWidget(QWidget* parent, const char* name, MervoData* data, int charHeight);

    MervoWidget* inner() const { return m_inner; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    MervoData* m_data;
    MervoWidget* m_inner;
    int m_charHeight;
};
