#pragma once

#include <QList>

#include <initializer_list>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

// Places the rows of an option dialog at fixed positions: a large layout when the
// dialog's parent is wider than 400 pixels, a small one otherwise. A row is a
// label at the left and its controls to its right, starting in a column shared
// by the rows of the row's group; OK sits at the bottom left, CANCEL at the
// bottom right, and the dialog takes the size its children cover.
class OptionForm
{
public:
    explicit OptionForm(QDialog* dialog);

    bool isLarge() const { return m_large; }
    // The width a text field wants in this layout.
    int fieldWidth() const { return m_large ? 200 : 100; }

    // The indent of sub-rows.
    int indent() const { return m_large ? 12 : 8; }

    // label may be null: the controls then start in the group's column. The
    // control fill, one of controls, widens so that the row ends at the
    // dialog's right edge. Returns the label.
    QLabel* addRow(const char* label, std::initializer_list<QWidget*> controls, QWidget* fill = nullptr,
                int group = 0, int indent = 0);
    // A label alone, and below it one control across the dialog.
    void addRowBelow(const char* label, QWidget* control);
    // Places every row and the buttons and sizes the dialog.
    void finish(QPushButton* ok, QPushButton* cancel);

private:
    struct Row
    {
        QLabel* label = nullptr;
        QList<QWidget*> controls;
        QWidget* fill = nullptr;
        bool below = false;
        int group = 0;
        int indent = 0;
    };

    QDialog* m_dialog;
    bool m_large;
    QList<Row> m_rows;
};
