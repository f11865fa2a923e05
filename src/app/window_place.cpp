// The centring arithmetic of the game window.
#include "app/window_place.h"

namespace zema {

WindowPlace centeredWindowPlace(int32_t desktopRight, int32_t desktopBottom, int32_t width,
                                int32_t height) {
    // Widened so that no desktop or window size can overflow the subtraction.
    const int64_t x = (static_cast<int64_t>(desktopRight) - width) / 2;
    const int64_t y = (static_cast<int64_t>(desktopBottom) - height) / 2;
    return {static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

} // namespace zema
