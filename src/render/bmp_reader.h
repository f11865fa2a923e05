// Reads an uncompressed 4- or 8-bit Windows bitmap in place: checks every size and offset
// against the data and gives a view of its palette and rows without copying them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zema {

// Largest width or height accepted; a larger header is taken as damaged.
constexpr int32_t maxBitmapSide = 32768;

struct BitmapView {
    int32_t width, height; // height is positive whatever the row order in the file
    int32_t bitsPerPixel;  // 4 or 8
    // Opaque ARGB colours; every index a pixel can hold has an entry, those past the file's
    // palette are opaque black.
    uint32_t palette[256];
    const uint8_t* topRow; // first byte of the picture's top row
    ptrdiff_t rowStride;   // bytes from one row to the one below (negative when bottom-up)
};

// Fills view and returns true for a well-formed bitmap (BITMAPFILEHEADER, 40-byte
// BITMAPINFOHEADER, BI_RGB, 4 or 8 bits per pixel, rows padded to 4 bytes, bottom-up or
// top-down). Returns false, touching nothing outside data, for anything else.
bool readBitmap(const uint8_t* data, size_t size, BitmapView& view);

// A bitmap resource of a Windows executable is a bitmap file without its 14-byte
// BITMAPFILEHEADER: the file, with that header made up in front, pointing at the pixels after the
// info header and the palette its depth and colour count give. Empty when the resource is too
// short to hold an info header's size, depth and colour count.
std::vector<uint8_t> bitmapFileFromResource(const uint8_t* resource, size_t size);

// Palette index of pixel (x, y), top row 0; x and y must lie inside the picture.
inline uint8_t bitmapIndex(const BitmapView& view, int32_t x, int32_t y) {
    const uint8_t* row = view.topRow + view.rowStride * y;
    if (view.bitsPerPixel == 8) return row[x];
    const uint8_t pair = row[x >> 1];
    return (x & 1) ? pair & 0x0F : pair >> 4;
}

} // namespace zema
