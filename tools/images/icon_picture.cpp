// Box-filters the craft down to icon size; transparent pixels become alpha, not colour.
#include "icon_picture.h"

#include <algorithm>

#include "palette.h"

namespace zema {

std::vector<uint32_t> iconPixels(const Canvas& craft) {
    std::vector<uint32_t> out(iconSize * iconSize, 0);
    const float step = static_cast<float>(craft.width) / iconSize;
    const int drawnHeight = static_cast<int>(craft.height / step);
    const int top = (iconSize - drawnHeight) / 2;
    for (int y = 0; y < drawnHeight; ++y)
        for (int x = 0; x < iconSize; ++x) {
            const int u0 = static_cast<int>(x * step), u1 = static_cast<int>((x + 1) * step);
            const int v0 = static_cast<int>(y * step), v1 = static_cast<int>((y + 1) * step);
            uint32_t r = 0, g = 0, b = 0, covered = 0, total = 0;
            for (int v = v0; v < std::min(v1, craft.height); ++v)
                for (int u = u0; u < std::min(u1, craft.width); ++u) {
                    ++total;
                    const uint8_t index = at(craft, u, v);
                    if (index == clear) continue;
                    r += sharedPalette[index].r, g += sharedPalette[index].g;
                    b += sharedPalette[index].b, ++covered;
                }
            if (covered == 0) continue;
            const uint32_t alpha = covered * 255 / total;
            out[(top + y) * iconSize + x] =
                alpha << 24 | (r / covered) << 16 | (g / covered) << 8 | (b / covered);
        }
    return out;
}

} // namespace zema
