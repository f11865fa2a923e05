// Where the game window goes on the desktop, worked out without any window system.
#pragma once

#include <cstdint>

namespace zema {

struct WindowPlace {
    int32_t x, y;
};

// Centred on the desktop's right and bottom edges alone (its left and top are not used), the
// halves rounded toward zero: an 800-wide window on a 799-wide desktop sits at x = 0, not -1.
WindowPlace centeredWindowPlace(int32_t desktopRight, int32_t desktopBottom, int32_t width,
                                int32_t height);

} // namespace zema
