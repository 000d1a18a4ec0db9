#pragma once

class QWidget;

// The small layouts of the editor's dialogs have rows 18 to 20 pixels high; their
// text is at most 10 pixels, so that it fits them.
void useSmallDialogFont(QWidget* dialog);
