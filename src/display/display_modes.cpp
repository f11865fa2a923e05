// Turns the platform's mode list into the game's ascending 32-bit list.
#include "display/display_modes.h"

namespace zema {

std::vector<DisplayMode> adapterModeOrder(const std::vector<ListedMode>& largestFirst) {
    std::vector<DisplayMode> modes;
    for (auto mode = largestFirst.rbegin(); mode != largestFirst.rend(); ++mode) {
        // The offscreen driver lists a 0 x 0 mode of no known format: no display at all.
        if (mode->bytesPerPixel != 4 || mode->width <= 0 || mode->height <= 0) continue;
        modes.push_back({static_cast<uint32_t>(mode->width), static_cast<uint32_t>(mode->height),
                         static_cast<uint32_t>(mode->refreshRate > 0 ? mode->refreshRate : 0),
                         formatX8R8G8B8});
    }
    return modes;
}

} // namespace zema
