#pragma once

#include <QList>
#include <QMainWindow>

class MervoData;
class MervoWidget;
class QAction;
class QTabWidget;
class QToolButton;

// $HOME/Applications/mervo/<page>.mervo
QString mervo_datafile(int page);

// The ink memo's window: numbered pages as tabs over one shared page model, which
// is saved under the page left and loaded for the page shown on every tab change.
class Mervo : public QMainWindow
{
    Q_OBJECT
public:
    Mervo(QWidget* parent, const char* name);
    ~Mervo() override;

    MervoWidget* currentWidget() const { return m_current; }
    MervoData* data() const { return m_data; }
    int pageCount() const { return m_pageCount; }

    MervoWidget* insertNewPage(int page);
    void setCharHeight(MervoWidget* widget, int h);
    void save(int page);
    void load(int page);
    // Writes the current page as a PNG image W pixels wide at character height H.
    bool exportPng(const QString& path, int width, int charHeight);

public slots:
    void slotNewPage();
    void slotDeletePage();
    void slotClear();
    void slotSizeSelected(QAction* action);
    void slotPng();
    void slotMemo();
    void slotPoint();
    void slotPointSelected();
    void slotTabChanged(QWidget* widget);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void buildToolButtons();
    QToolButton* addToolButton(const QString& image, bool toggle);
    void showPage(MervoWidget* widget);

    MervoData* m_data;
    MervoWidget* m_current = nullptr;
    QList<MervoWidget*> m_pages;
    int m_pageCount = 0;
    QTabWidget* m_tabs = nullptr;
    QToolBar* m_buttonBar = nullptr;
    QToolButton* m_spaceButton = nullptr;
    QToolButton* m_backspaceButton = nullptr;
    QToolButton* m_delLineButton = nullptr;
    QToolButton* m_enterButton = nullptr;
    QToolButton* m_pointButton = nullptr;
    QToolButton* m_twoButton = nullptr;
};
