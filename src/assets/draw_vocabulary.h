// What a draw names: the image slots, a source rectangle in texels and a 2D vector. Below both
// the display seam and the renderer, so that neither has to include the other.
#pragma once

#include <cstdint>

#include "assets/picture_list.h"

namespace zema {

#define ZEMA_PICTURE_SLOT(slot, ...) slot,
enum ImageSlot { ZEMA_PICTURES(ZEMA_PICTURE_SLOT) imageSlotCount };
#undef ZEMA_PICTURE_SLOT

// Left, top, right, bottom in texels of the slot's texture; right and bottom exclusive.
struct SourceRect {
    int32_t left, top, right, bottom;
};

struct Vector2 {
    float x, y;
};

} // namespace zema
