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
// Copies a file that did not read cleanly to <file>.damaged (or .damaged.2, ...)
// before it is overwritten; returns the copy's path, empty when it could not be made.
QString mervo_keepDamaged(const QString& path);
// A warning with OK whose text, holding paths and error texts, is never read as markup.
void mervo_warn(QWidget* parent, const QString& caption, const QString& text);

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
    // Saves the page in memory as page `page` when it was changed or has no file yet;
    // a file that loaded with damage is kept beside it first. error tells why not.
    bool save(int page, QString* error = nullptr);
    void load(int page);
    // Writes the current page as a PNG image W pixels wide at character height H.
    bool exportPng(const QString& path, int width, int charHeight, QString* error = nullptr);

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
    void warnNotSaved(int page, const QString& error);
    QStringList renumberFiles(int deleted);

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
    // Set while a deleted page's tab goes, which saves nothing of it.
    bool m_discarding = false;
    // Set while a page that could not be saved is shown again.
    bool m_stayingOnPage = false;
};
