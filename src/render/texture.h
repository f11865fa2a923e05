// How a texture is stored: palette indices at the bitmap's own depth where the picture keeps
// its size, ARGB texels where it was resampled or made in code.
#pragma once

#include <cstdint>
#include <vector>

#include "render/compositor.h"

namespace zema {

struct Texture {
    int32_t width, height;
    TextureFormat format;
    // 4 or 8: rows of palette indices, 4-bit ones packed two a byte, the left texel in the high
    // nibble. 32: rows of ARGB texels.
    int32_t bitsPerTexel;
    int32_t rowBytes;
    std::vector<uint8_t> indices;
    uint32_t palette[256]; // ARGB, colour key and format precision already applied
    // For indexed textures: every palette entry is fully opaque or fully transparent, which
    // lets an untinted draw copy or skip texels instead of blending them.
    bool binaryAlpha;
    // For indexed textures, a bit a row, 64 rows a word: its indices are those of the row above
    // (the map's walls and corridors run on for many rows). Empty when not worked out.
    std::vector<uint64_t> sameAsRowAbove;
    std::vector<uint32_t> texels;
};

// Writes the ARGB values of columns x0 .. x0 + count - 1 of row y into out; columns and the row
// are clamped to the texture, so the last column repeats past the right edge.
void fetchTextureRow(const Texture& texture, int32_t y, int64_t x0, int32_t count, uint32_t* out);

} // namespace zema
