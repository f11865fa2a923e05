// The generator's own 5 x 7 pixel font, drawn large as bevelled blocks for titles or plain for
// instructions.
#pragma once

#include <string>

#include "canvas.h"

namespace zema {

constexpr int glyphWidth = 5, glyphHeight = 7;

// True when the glyph for `c` has its pixel (column, row) set; unknown characters are blank.
bool glyphPixel(char c, int column, int row);

struct TextStyle {
    int scale;      // screen pixels per font pixel
    uint8_t face;   // the body of each font pixel
    uint8_t light;  // top and left bevel (face again for flat text)
    uint8_t dark;   // bottom and right bevel
    uint8_t shadow; // drop shadow to the lower right, or clear for none
    int bevel;      // bevel width in screen pixels
};

// Width in screen pixels of the text: a glyph plus one font pixel of spacing per character.
int textWidth(const std::string& text, int scale);
void drawText(Canvas& canvas, const std::string& text, int x, int y, const TextStyle& style);
void drawTextCentred(Canvas& canvas, const std::string& text, int y, const TextStyle& style);

} // namespace zema
