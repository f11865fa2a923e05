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

// TitleOnly draws the title's picture alone: the first frame shows nothing else, and the rest
// (the maze most of all) is most of the drawing.
enum class PictureChoice { All, TitleOnly };

// The fifteen pictures in slot order, then the icon (or only the title's). False, with a reason,
// when a picture cannot be encoded.
bool drawPictures(std::vector<DrawnPicture>& pictures, std::string& error,
                  PictureChoice choice = PictureChoice::All);

} // namespace zema
