#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QVBoxLayout;
class ctlListViewItemFavor;

// The view settings and the favourites editor. Accepting writes the settings at once.
class frmOption : public QDialog
{
    Q_OBJECT
public:
    // page 0 shows "View", 1 "Favorites".
    frmOption(QWidget* parent, int page);

public slots:
    void lvFavoirUpper();
    void lvFavoirDown();
    void lvFavoirEdit();
    void lvFavoirDelete();
    void lvFavoirAddCurrent();
    void lvFavoirAddSep();
    void accept() override;

private:
    void buildView();
    void buildFavorites();
    ctlListViewItemFavor* selectedRow() const;
    void addAboveSelected(const QString& item);

    QTabWidget* tabOptions;
    QWidget* pageView;
    QWidget* pageFavor;
    QVBoxLayout* layout;
    QGroupBox* grpIcon;
    QVBoxLayout* viewLayout;
    QHBoxLayout* buttonLayout;
    QCheckBox* chkIcoLink;
    QCheckBox* chkIcoLock;
    QCheckBox* chkIcoExec;
    QCheckBox* chkShowHidden;
    QCheckBox* chkKeepOpen;
    QLabel* labelHint;
    QTreeWidget* lvFavor;
    QPushButton* btnUpper;
    QPushButton* btnDown;
    QPushButton* btnEdit;
    QPushButton* btnDelete;
    QPushButton* btnAddCurrent;
    QPushButton* btnSeparater;
    QVBoxLayout* favorLayout;
    QHBoxLayout* favorListLayout;
    QVBoxLayout* favorButtonLayout;
    QHBoxLayout* favorAddLayout;
    QPushButton* btnOk;
    QPushButton* btnCancel;
    int vga;
    int gap; // margins and spaces: 10, less on a small screen
};
