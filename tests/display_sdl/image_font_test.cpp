// The generator's font: every character the pictures print has a glyph, and glyphs are told
// apart (a missing glyph would leave a gap in the title's instructions).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "font.h"

namespace zema {

namespace {
int pixelsOf(char c) {
    int count = 0;
    for (int row = 0; row < glyphHeight; ++row)
        for (int column = 0; column < glyphWidth; ++column)
            count += glyphPixel(c, column, row);
    return count;
}

std::string shapeOf(char c) {
    std::string shape;
    for (int row = 0; row < glyphHeight; ++row)
        for (int column = 0; column < glyphWidth; ++column)
            shape += glyphPixel(c, column, row) ? '#' : '.';
    return shape;
}
} // namespace

TEST(ImageFont, EveryPrintedCharacterHasItsOwnGlyph) {
    const std::string printed = "ZEMA GAME OVER GOAL Press Enter or controller button 2 to start "
                                "to play again Esc to quit";
    for (char c : printed) {
        if (c != ' ') {
            EXPECT_GT(pixelsOf(c), 4) << "'" << c << "'";
        }
    }
    std::set<std::string> shapes;
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (char c : alphabet)
        EXPECT_TRUE(shapes.insert(shapeOf(c)).second) << "'" << c << "'";
}

TEST(ImageFont, UnknownCharactersAndCellsOutsideTheGlyphAreBlank) {
    EXPECT_EQ(pixelsOf(' '), 0);
    EXPECT_EQ(pixelsOf('\x7f'), 0);
    EXPECT_FALSE(glyphPixel('A', -1, 0));
    EXPECT_FALSE(glyphPixel('A', glyphWidth, 0));
    EXPECT_FALSE(glyphPixel('A', 0, glyphHeight));
}

TEST(ImageFont, TextWidthCountsOneSpacingColumnBetweenGlyphs) {
    EXPECT_EQ(textWidth("", 3), 0);
    EXPECT_EQ(textWidth("A", 3), 15);
    EXPECT_EQ(textWidth("ZEMA", 20), (4 * 6 - 1) * 20);
}

} // namespace zema
