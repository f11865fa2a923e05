// Builds Windows bitmaps in memory for the tests and benchmarks: 4 or 8 bits per pixel, a
// palette, rows padded to 4 bytes, bottom-up unless asked otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zema {

struct BitmapSpec {
    int32_t width, height, bitsPerPixel;
    std::vector<uint32_t> palette; // RGB as 0x00RRGGBB; its size is the colours-used count
    std::vector<uint8_t> indices;  // width x height, top row first
    bool topDown = false;
};

std::vector<uint8_t> buildBitmap(const BitmapSpec& spec);

// Byte offsets of fields in a built bitmap, for tests that damage them.
constexpr size_t bmpPixelOffsetField = 10;
constexpr size_t bmpInfoSizeField = 14;
constexpr size_t bmpWidthField = 18;
constexpr size_t bmpHeightField = 22;
constexpr size_t bmpPlanesField = 26;
constexpr size_t bmpBitsField = 28;
constexpr size_t bmpCompressionField = 30;
constexpr size_t bmpColoursUsedField = 46;

void put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value);
void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);

} // namespace zema
