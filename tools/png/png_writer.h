// Writes PNG files: 8-bit RGB from an ARGB back buffer (screenshots) or 8-bit RGBA (the desktop
// icon), compressed by a small deflate of our own (fixed Huffman codes, greedy LZ77 matching),
// with no library underneath.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zema {

// The PNG file for width x height ARGB pixels (pitch pixels per row); alpha is dropped.
std::vector<uint8_t> encodePng(const uint32_t* pixels, int32_t width, int32_t height,
                               int32_t pitch);

// The PNG file for width x height pixels of four bytes each (R, G, B, A), row after row. Empty for
// a side of zero or one over 16384.
std::vector<uint8_t> encodeRgbaPng(const uint8_t* rgba, uint32_t width, uint32_t height);

// Deflate (RFC 1951) of data, one final block with the fixed codes.
std::vector<uint8_t> deflateFixed(const uint8_t* data, size_t size);

uint32_t pngCrc32(const uint8_t* data, size_t size);
uint32_t zlibAdler32(const uint8_t* data, size_t size);

// False, with errno telling why, when the file cannot be written.
bool writePng(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height,
              int32_t pitch);

} // namespace zema
