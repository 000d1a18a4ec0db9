#pragma once

class QMessageBox;
class QPushButton;
class QWidget;

// The dialogs' fixed sizes are those of the large display. On a narrower screen a fixed
// width shrinks to the room there is: the screen's width less the window frame.
int kxScreenRoom(const QWidget* parent);

// A screen too small for the dialogs' margins and spaces (the palmtop's 240 x 320).
bool kxSmallScreen(const QWidget* parent);

// wanted, or less when the room (less what else shares it) is smaller; never below 40.
int kxFitWidth(int wanted, int room);

// A button of the given size, wider where its text needs it (translations, larger fonts)
// and narrower where the room is less.
void kxFixButtonSize(QPushButton* button, int width, int height, int room);

// On a small screen the toolkit keeps a message box to half the screen's width, so that a
// long text grows below the screen's edge and takes the buttons with it: there the text
// may use the whole width.
void kxFitMessageBox(QMessageBox* box);
