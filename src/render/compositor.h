// The software compositor: a W x H ARGB back buffer, the device's clear, and drawImage's
// sampling and blending, with no platform underneath.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "assets/draw_vocabulary.h"
#include "render/bmp_reader.h"

namespace zema {

struct BackBuffer {
    uint32_t* pixels; // ARGB, row after row
    int32_t width, height;
    int32_t pitch; // pixels from one row to the next
};

// A rectangle of the target's pixels, [left, right) x [top, bottom). A draw or clear given one
// writes only the pixels inside it, exactly the values it writes there without it.
struct PixelRect {
    int32_t left, top, right, bottom;
};
inline constexpr PixelRect everywhere = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

enum class TextureFormat { A8R8G8B8, A1R5G5B5 };

// A loaded picture. Its storage is the compositor's business (compact where exactness allows).
struct Texture;

// Loads an uncompressed 4- or 8-bit BMP into a texture of the requested size: pure opaque blue
// becomes transparent black; A1R5G5B5 keeps 5 bits a channel and 1 of alpha (each channel
// rounded to the nearest of 32 levels and read back widened by repeating its top bits, alpha
// opaque from 128 up); a bitmap of another size than the requested one is resampled with a
// triangle (tent) filter with mirrored edges, after the colour key. At its own size the picture
// is kept exactly, as palette indices. Returns null for a malformed bitmap, a requested side
// outside 1..maxBitmapSide, or a resampled texture above 16M texels.
Texture* loadTextureFromBitmap(const uint8_t* bitmap, size_t size, int32_t width, int32_t height,
                               TextureFormat format);
void releaseTexture(Texture* texture);
// Owns a texture and releases it.
struct TextureDeleter {
    void operator()(Texture* texture) const { releaseTexture(texture); }
};
using TexturePtr = std::unique_ptr<Texture, TextureDeleter>;
int32_t textureWidth(const Texture& texture);
int32_t textureHeight(const Texture& texture);

// A texture holding exactly these ARGB texels (width x height, row after row); null for a size
// outside 1..maxBitmapSide. For pictures made in code: tests, benchmarks.
Texture* createTexture(int32_t width, int32_t height, const uint32_t* argb);
// The ARGB value a draw samples at texel (x, y); coordinates are clamped to the texture.
uint32_t textureTexel(const Texture& texture, int32_t x, int32_t y);
// Bytes the texture holds, its storage and palette included.
size_t textureBytes(const Texture& texture);

// The back buffer has no alpha of its own (X8R8G8B8): every pixel the compositor writes has its
// top byte set to 0xFF.
void compositeClear(BackBuffer& target, uint32_t colour);

// Draws source of texture scaled about the source's top-left corner, that corner placed at
// translation, blended over the target by the texel's alpha times the colour's.
//
// Pixel centres: screen pixel (px, py) is the square [px, px + 1) x [py, py + 1) with its
// centre at (px + 0.5, py + 0.5); texel (i, j) likewise has its centre at (i + 0.5, j + 0.5).
// A pixel is drawn when its centre, mapped back into the source, lies inside it:
//     u = (px + 0.5 - translation.x) / scaling.x,   0 <= u < right - left
// (and v likewise with y, top, bottom). The texture is then sampled bilinearly at texel
// position s = left + u - 0.5 (t = top + v - 0.5): texels floor(s) and floor(s) + 1 weighed by
// the fraction of s, every texel index clamped to 0..width - 1 (rows likewise), so a source
// running past the right or bottom edge repeats the last column or row. At scale +-1 and a
// whole-pixel translation s is a whole number and every texel lands exactly.
//
// Weights are rounded to 1/256. The sampled texel is multiplied by the colour channel by
// channel, c * k / 255 rounded, then blended: out = (s * a + d * (255 - a)) / 255, rounded.
//
// Draws nothing when a scale is 0 or not finite, a translation is not finite, the source's
// left is outside 0..width or its top outside 0..height, or right <= left or bottom <= top.
// Only pixels inside the target are written; at most maxBitmapSide columns and rows of it. A
// target without pixels or with a pitch below its width is left alone.
void compositeDraw(BackBuffer& target, const Texture& texture, SourceRect source, Vector2 scaling,
                   Vector2 translation, uint32_t colour, PixelRect clip = everywhere);
// The pixels such a draw would write, as the smallest rectangle holding them; false when it
// would write none.
bool compositeDrawBounds(const BackBuffer& target, const Texture& texture, SourceRect source,
                         Vector2 scaling, Vector2 translation, PixelRect& bounds);

// compositeClear(clearColour) followed by compositeDraw, in one pass over the pixels, for the
// draw that covers the whole target right after a clear (the map). Only when the draw is exact
// (scale 1 across, +-1 down, whole-pixel translation), untinted and of a texture whose texels
// are all opaque or transparent, and covers every pixel (of the clip, given one); otherwise
// returns false and changes nothing. The pixels come out exactly as the two calls would leave
// them.
bool compositeClearAndDraw(BackBuffer& target, uint32_t clearColour, const Texture& texture,
                           SourceRect source, Vector2 scaling, Vector2 translation, uint32_t colour,
                           PixelRect clip = everywhere);

} // namespace zema
