#include "smalldialogfont.h"

#include <QFontInfo>
#include <QWidget>

void useSmallDialogFont(QWidget* dialog)
{
    const int smallPixels = 10;
    if (QFontInfo(dialog->font()).pixelSize() > smallPixels) {
        QFont small = dialog->font();
        small.setPixelSize(smallPixels);
        dialog->setFont(small);
    }
}
