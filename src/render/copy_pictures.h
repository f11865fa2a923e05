// The pictures of the player's own copy, when one is played with: they stand in for the embedded
// ones, slot by slot, and the copy's icon for the window's.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/draw_vocabulary.h"

namespace zema {

struct IconPixels {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> argb; // 0xAARRGGBB, top row first; empty for none
};

struct CopyPictures {
    // Whole bitmap files by slot, of the table's size at 4 or 8 bits; an empty one loads the
    // embedded picture.
    std::vector<uint8_t> bitmaps[imageSlotCount];
    IconPixels icon;
};
extern CopyPictures copyPictures;

} // namespace zema
