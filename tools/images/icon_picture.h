// The window icon: the craft shrunk to 64 x 64, with real alpha at its soft edges.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace zema {

constexpr int iconSize = 64;

// 0xAARRGGBB pixels, top row first, iconSize x iconSize.
std::vector<uint32_t> iconPixels(const Canvas& craft);

} // namespace zema
