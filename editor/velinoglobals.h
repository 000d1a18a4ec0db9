#pragma once

class TextEdit;

// Program-wide state shared by the main window and the editing widget.
extern TextEdit* G_edit;
extern int FrameWidth;      // width for fixed-width wrapping, -99 when not wrapping to a width
extern int UpdateCellWidth; // pending line width, 0 when none
extern int FileType;        // current keyword-colouring file type, 0 to 6

// The editing widget reaches the window through these instead of signals.
void InsteadOfSignal();
void InsteadOfWrapSignal();
