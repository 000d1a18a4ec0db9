#include "optdialogform.h"

#include "eucjplabel.h"

#include <QDialog>
#include <QFontInfo>
#include <QHash>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
const int Margin = 2;

// The width a control takes unless it fills its row: its minimum width when it
// has one, or the width it asks for.
int naturalWidth(const QWidget* control)
{
    return control->minimumWidth() > 0 ? control->minimumWidth() : control->sizeHint().width();
}
} // namespace

OptionForm::OptionForm(QDialog* dialog)
    : m_dialog(dialog), m_large(dialog->parentWidget() && dialog->parentWidget()->width() > 400)
{
    // The small layout's rows are 20 pixels high: its text is at most 10 pixels,
    // so that the widest rows fit a 240-pixel screen.
    const int smallPixels = 10;
    if (!m_large && QFontInfo(dialog->font()).pixelSize() > smallPixels) {
        QFont small = dialog->font();
        small.setPixelSize(smallPixels);
        dialog->setFont(small);
    }
}

QLabel* OptionForm::addRow(const char* label, std::initializer_list<QWidget*> controls, QWidget* fill, int group,
                        int indent)
{
    Row row;
    row.label = label ? new QLabel(eucLabel(label), m_dialog) : nullptr;
    row.controls = controls;
    row.fill = fill;
    row.group = group;
    row.indent = indent;
    m_rows.append(row);
    return row.label;
}

void OptionForm::addRowBelow(const char* label, QWidget* control)
{
    Row row;
    row.label = new QLabel(eucLabel(label), m_dialog);
    row.controls = {control};
    row.fill = control;
    row.below = true;
    row.indent = m_large ? 10 : 6;
    m_rows.append(row);
}

void OptionForm::finish(QPushButton* ok, QPushButton* cancel)
{
    const QFontMetrics metrics(m_dialog->font());
    // Rows stay readable with a font larger than the layout was made for.
    const int height = std::max(m_large ? 28 : 20, metrics.height() + 6);
    const int pitch = height + (m_large ? 6 : 2);
    const int gap = m_large ? 6 : 3;
    const int okWidth = m_large ? 72 : 48;
    const int cancelWidth = m_large ? 110 : 74;
    const int buttonHeight = std::max(m_large ? 26 : 18, metrics.height() + 4);

    QHash<int, int> column;
    for (const Row& row : std::as_const(m_rows)) {
        if (row.below)
            continue;
        const int labelWidth = row.label ? row.label->sizeHint().width() + gap : 0;
        column[row.group] = std::max(column.value(row.group), Margin + row.indent + labelWidth);
    }

    int width = 10 + okWidth + gap + cancelWidth;
    for (const Row& row : std::as_const(m_rows)) {
        int right = row.below ? Margin + row.indent : column.value(row.group);
        for (const QWidget* control : row.controls)
            right += naturalWidth(control) + gap;
        if (row.below)
            width = std::max(width, Margin + row.label->sizeHint().width());
        width = std::max(width, right - gap + Margin);
    }

    int y = Margin;
    for (const Row& row : std::as_const(m_rows)) {
        if (row.label) {
            const int x = row.below ? Margin : Margin + row.indent;
            row.label->setGeometry(x, y, row.label->sizeHint().width(), height);
        }
        if (row.below)
            y += pitch;
        int x = row.below ? Margin + row.indent : column.value(row.group);
        int spare = width - Margin - x + gap;
        for (const QWidget* control : row.controls)
            spare -= naturalWidth(control) + gap;
        for (QWidget* control : row.controls) {
            const int w = naturalWidth(control) + (control == row.fill ? spare : 0);
            control->setGeometry(x, y, w, height);
            x += w + gap;
        }
        y += pitch;
    }
    y += m_large ? 6 : 2;
    ok->setGeometry(10, y, okWidth, buttonHeight);
    cancel->setGeometry(width - Margin - cancelWidth, y, cancelWidth, buttonHeight);
    m_dialog->setFixedSize(width, y + buttonHeight + Margin);
}
