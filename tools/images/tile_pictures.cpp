// The three 30 x 30 tiles the game stretches: the gate, the beam and the energy bar. Each is
// shaded so that it still reads well when drawn many times its size along one axis.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace zema {

namespace {
constexpr int tileSize = 30;

Rgb mix(Rgb a, Rgb b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    auto channel = [t](uint8_t p, uint8_t q) {
        return static_cast<uint8_t>(std::lround(p + (q - p) * t));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// Steps a level to one of 24, so that a tile stays within its 256 palette entries.
float quantise(float level) {
    return std::round(std::clamp(level, 0.0f, 1.0f) * 24.0f) / 24.0f;
}

RgbTile blankTile() {
    return {tileSize, tileSize, std::vector<Rgb>(tileSize * tileSize, keyBlue)};
}

// 1 in the middle of the tile, falling towards 0 at its edges.
float hump(int i) {
    const float t = (i + 0.5f) / tileSize * 2.0f - 1.0f;
    return 1.0f - t * t;
}
} // namespace

RgbTile gateTile() {
    // A framed force field, glowing amber towards its middle.
    RgbTile tile = blankTile();
    const Rgb frame = sharedPalette[cSteelDark], deep = {150, 52, 30};
    const Rgb hot = sharedPalette[cOrange], core = {255, 240, 170};
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            const int edge = std::min({x, y, tileSize - 1 - x, tileSize - 1 - y});
            Rgb colour;
            if (edge == 0)
                colour = sharedPalette[cInk];
            else if (edge < 3)
                colour = frame;
            else {
                const float glow = quantise(hump(x) * hump(y));
                colour = glow < 0.5f ? mix(deep, hot, glow * 2) : mix(hot, core, glow * 2 - 1);
            }
            tile.pixels[y * tileSize + x] = colour;
        }
    return tile;
}

RgbTile shotTile() {
    // A horizontal beam: a white core in a cyan glow, transparent above and below.
    RgbTile tile = blankTile();
    const Rgb edge = sharedPalette[cTeal], glow = sharedPalette[cCyan], core = {255, 255, 255};
    for (int y = 0; y < tileSize; ++y) {
        const float distance = std::abs(y + 0.5f - tileSize / 2.0f) / 8.0f; // 1 at the rim
        if (distance > 1.0f) continue;
        const float level = quantise(1.0f - distance);
        const Rgb colour =
            level < 0.5f ? mix(edge, glow, level * 2) : mix(glow, core, level * 2 - 1);
        for (int x = 0; x < tileSize; ++x)
            tile.pixels[y * tileSize + x] = colour;
    }
    return tile;
}

RgbTile energyTile() {
    // A rounded green bar: light along its top, dark along its bottom, an ink rim.
    RgbTile tile = blankTile();
    const Rgb light = {196, 250, 150}, mid = sharedPalette[cGreen],
              dark = sharedPalette[cGreenDark];
    for (int y = 0; y < tileSize; ++y) {
        Rgb colour;
        if (y < 2 || y >= tileSize - 2)
            colour = sharedPalette[cInk];
        else {
            const float t = quantise((y - 2) / static_cast<float>(tileSize - 5));
            colour = t < 0.3f ? mix(light, mid, t / 0.3f) : mix(mid, dark, (t - 0.3f) / 0.7f);
        }
        for (int x = 0; x < tileSize; ++x)
            tile.pixels[y * tileSize + x] = colour;
    }
    return tile;
}

} // namespace zema
