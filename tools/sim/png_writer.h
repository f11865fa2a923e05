// Writes a back buffer as an 8-bit RGB PNG, compressed by a small deflate of our own (fixed
// Huffman codes, greedy LZ77 matching), with no library underneath.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The PNG file for width x height ARGB pixels (pitch pixels per row); alpha is dropped.
std::vector<uint8_t> encodePng(const uint32_t* pixels, int32_t width, int32_t height,
                               int32_t pitch);

// Deflate (RFC 1951) of data, one final block with the fixed codes.
std::vector<uint8_t> deflateFixed(const uint8_t* data, size_t size);

// False, with errno telling why, when the file cannot be written.
bool writePng(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height,
              int32_t pitch);
