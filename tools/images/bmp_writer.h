// Writes pictures as Windows bitmaps: uncompressed, 40-byte header, bottom-up rows padded to
// four bytes, with a palette at 4 or 8 bits per pixel, or 32-bit with alpha for the icon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "palette.h"

namespace zema {

// A 4-bit bitmap uses the first 16 palette entries; an 8-bit one up to 256.
std::vector<uint8_t> encodeIndexedBitmap(const Canvas& canvas, const std::vector<Rgb>& palette,
                                         int bitsPerPixel);
// Pixels are 0xAARRGGBB, top row first.
std::vector<uint8_t> encodeArgbBitmap(int width, int height, const std::vector<uint32_t>& pixels);

// Writes the bytes to the file; false (with errno set) when it cannot.
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace zema
