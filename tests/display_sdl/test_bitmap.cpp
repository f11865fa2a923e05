// The tests' bitmap reader.
#include "test_bitmap.h"

namespace zema {

namespace {
uint32_t read16(const uint8_t* p) {
    return p[0] | p[1] << 8;
}
uint32_t read32(const uint8_t* p) {
    return read16(p) | read16(p + 2) << 16;
}
} // namespace

TestBitmap readTestBitmap(const uint8_t* bytes, size_t size) {
    TestBitmap v;
    v.bytes = bytes;
    v.size = size;
    if (size < 54 || bytes[0] != 'B' || bytes[1] != 'M') return v;
    v.fileSize = read32(bytes + 2);
    v.pixelOffset = read32(bytes + 10);
    v.headerSize = read32(bytes + 14);
    v.width = static_cast<int32_t>(read32(bytes + 18));
    v.height = static_cast<int32_t>(read32(bytes + 22));
    v.planes = static_cast<uint16_t>(read16(bytes + 26));
    v.bitsPerPixel = static_cast<uint16_t>(read16(bytes + 28));
    v.compression = read32(bytes + 30);
    v.paletteCount = read32(bytes + 46);
    if (v.width <= 0 || v.height <= 0 || (v.bitsPerPixel != 4 && v.bitsPerPixel != 8)) return v;
    v.rowBytes = ((static_cast<size_t>(v.width) * v.bitsPerPixel + 31) / 32) * 4;
    const size_t paletteEnd = 14 + v.headerSize + static_cast<size_t>(v.paletteCount) * 4;
    v.valid = paletteEnd <= v.pixelOffset && v.pixelOffset + v.rowBytes * v.height <= size;
    return v;
}

uint8_t paletteIndex(const TestBitmap& v, int32_t x, int32_t y) {
    const uint8_t* row =
        v.bytes + v.pixelOffset + v.rowBytes * static_cast<size_t>(v.height - 1 - y);
    if (v.bitsPerPixel == 8) return row[x];
    const uint8_t pair = row[x / 2];
    return x % 2 ? pair & 15 : pair >> 4;
}

uint32_t paletteColour(const TestBitmap& v, uint32_t i) {
    const uint8_t* entry = v.bytes + 14 + v.headerSize + static_cast<size_t>(i) * 4;
    return static_cast<uint32_t>(entry[2]) << 16 | entry[1] << 8 | entry[0];
}

} // namespace zema
