// zema-setup's picture, drawn with the pictures' own canvas, palette and 5 x 7 font: the title,
// the rows with their values in force, the chosen row's help, the status line and the buttons,
// laid out for the window's size (a handheld's 640 x 480 up to a desktop's), and what a point of
// it is, for the mouse. It is drawn into the window surface on SDL's software path, as the game
// is: a GUI library would be one more to build for Windows and the handhelds, and would bring no
// pad-only navigation.
#pragma once

#include "canvas.h"
#include "setup_editor.h"

namespace zema {

struct SetupLayout {
    int scale;         // screen pixels per font pixel
    int rowHeight;     // of a row, and of a line of text
    int listTop;       // the first row shown
    int rowsShown;     // as many as fit
    int firstShown;    // the row at the list's top, scrolled so that the chosen one shows
    int nameX, valueX; // where the rows' names and values start
    int valueWidth;    // room for a value, between its step marks
    int resetX;        // the chosen row's "Default" mark
    int helpTop;       // the help and the status below the rows
    int buttonsTop;    // the buttons, one row
    int buttonX[setupButtonCount];
    int buttonWidth;
};

// The layout for a width x height window, keeping the list where it was scrolled (firstShown)
// unless the chosen row would not show.
SetupLayout layOutSetup(const SetupEditor& editor, int width, int height, int firstShown);

void drawSetup(Canvas& canvas, const SetupEditor& editor, const SetupLayout& layout);

// What a point of the window is on.
enum class SpotKind { Nothing, Row, StepDown, StepUp, Default, Button };
struct SetupSpot {
    SpotKind kind;
    int index; // the row's or the button's
};
SetupSpot spotAt(const SetupEditor& editor, const SetupLayout& layout, int x, int y);

} // namespace zema
