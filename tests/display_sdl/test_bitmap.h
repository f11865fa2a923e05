// A small, independent reader for the tests: looks at a 4- or 8-bit bitmap's header fields and
// the colour of any pixel, without trusting the game's own reader.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zema {

struct TestBitmap {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    bool valid = false; // the header and the pixel array fit in the bytes
    uint32_t fileSize = 0, pixelOffset = 0, headerSize = 0, compression = 0, paletteCount = 0;
    int32_t width = 0, height = 0;
    uint16_t planes = 0, bitsPerPixel = 0;
    size_t rowBytes = 0;
};

TestBitmap readTestBitmap(const uint8_t* bytes, size_t size);
// Palette index of pixel (x, y), y counted from the top.
uint8_t paletteIndex(const TestBitmap& view, int32_t x, int32_t y);
// 0xRRGGBB of palette entry i.
uint32_t paletteColour(const TestBitmap& view, uint32_t i);
inline uint32_t pixelColour(const TestBitmap& view, int32_t x, int32_t y) {
    return paletteColour(view, paletteIndex(view, x, y));
}
constexpr uint32_t pureBlue = 0x0000FF;

} // namespace zema
