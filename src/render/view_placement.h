// Where the game's W x H view lands in a window of another size: the picture's rectangle for
// each way of filling, with black bars around it.
#pragma once

#include <cstdint>

namespace zema {

// How the view fills the window.
enum class ViewScale {
    Fit,     // the largest size that fits, aspect kept, centred
    Integer, // the largest whole multiple that fits, centred; as Fit when not even 1x fits
    Stretch, // the whole window, aspect not kept
};

// In window pixels; left, top, then the size.
struct PictureRect {
    int32_t x, y, width, height;
};

// The picture's place in a window of windowWidth x windowHeight pixels. Empty (all zero) when
// any size is not positive.
PictureRect placeView(int32_t windowWidth, int32_t windowHeight, int32_t viewWidth,
                      int32_t viewHeight, ViewScale scale);

} // namespace zema
