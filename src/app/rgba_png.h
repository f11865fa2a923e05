// A minimal PNG encoder for the desktop icon: 8-bit RGBA, stored (uncompressed) deflate blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

uint32_t pngCrc32(const uint8_t* data, size_t size);
uint32_t zlibAdler32(const uint8_t* data, size_t size);

// rgba holds width * height pixels, four bytes each (R, G, B, A), row after row. Returns an
// empty vector for a size of zero or one too large for PNG.
std::vector<uint8_t> encodeRgbaPng(const uint8_t* rgba, uint32_t width, uint32_t height);
