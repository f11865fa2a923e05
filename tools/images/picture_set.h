// Draws every picture of the game as the bitmap bytes the game embeds, by resource identifier.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zema {

struct DrawnPicture {
    int id; // 111 ... 144; the window icon is 123
    std::vector<uint8_t> bytes;
};

// Blank leaves the maze's picture empty, of its size and depth, for drawMapInto to draw later:
// it is most of the drawing, and the title does not show it.
enum class MapDrawing { Drawn, Blank };

// The fifteen pictures in slot order, then the icon. False, with a reason, when a picture
// cannot be encoded.
bool drawPictures(std::vector<DrawnPicture>& pictures, std::string& error,
                  MapDrawing map = MapDrawing::Drawn);

// Draws the maze's picture into its place among drawPictures' pictures.
bool drawMapInto(std::vector<DrawnPicture>& pictures, std::string& error);

} // namespace zema
