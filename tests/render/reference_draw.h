// A slow drawing of one source rectangle, pixel by pixel in double precision, written from the
// rules of drawImage alone, for comparing the compositor against.
#pragma once

#include <cstdint>
#include <vector>

#include "display/display.h"

namespace zema {

struct Picture {
    int32_t width, height;
    std::vector<uint32_t> argb; // the texels as a draw samples them
};

struct ReferenceCanvas {
    int32_t width, height;
    std::vector<uint32_t> pixels;
    // Set by referenceDraw for pixels whose centre lies within a hair of the drawn area's
    // edge, where rounding may honestly decide either way.
    std::vector<bool> undecided;
};

void referenceDraw(ReferenceCanvas& canvas, const Picture& picture, SourceRect source,
                   Vector2 scaling, Vector2 translation, uint32_t colour);

} // namespace zema
