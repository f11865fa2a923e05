// The display-mode list as the game wants it: every 32-bit mode, smallest first, so that the
// last entry is the largest. Knows nothing of SDL; the SDL display feeds it SDL's list.
#pragma once

#include <cstdint>
#include <vector>

#include "display/display.h"

namespace zema {

// One mode as the platform lists it.
struct ListedMode {
    int32_t width, height, refreshRate;
    int32_t bytesPerPixel; // 0 for palette or packed-YUV formats
};

// SDL lists modes largest first; the game's list holds the 4-byte modes with a real size, in the
// reverse of that order: ascending, as the original platform lists them.
std::vector<DisplayMode> adapterModeOrder(const std::vector<ListedMode>& largestFirst);

} // namespace zema
