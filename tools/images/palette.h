// The game's shared sixteen colours, and the ramps the pictures are shaded with.
#pragma once

#include <cstdint>

#include "canvas.h"

namespace zema {

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb keyBlue = {0, 0, 255}; // the transparent colour; nothing else is this blue

enum PaletteIndex : uint8_t {
    cTransparent = 0,
    cInk,
    cSteelDark,
    cSteel,
    cSteelLight,
    cWhite,
    cTealDark,
    cTeal,
    cCyan,
    cRedDark,
    cRed,
    cOrange,
    cYellow,
    cGreenDark,
    cGreen,
    cPurple,
};

extern const Rgb sharedPalette[16];

extern const Ramp steelRamp, tealRamp, fireRamp, greenRamp, purpleRamp, goldRamp;

} // namespace zema
