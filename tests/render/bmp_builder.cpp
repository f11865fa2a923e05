// Writes bitmaps the way common tools do, so that the reader is tested against real layouts.
#include "bmp_builder.h"

namespace zema {

void put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
    bytes[at] = value & 0xFF;
    bytes[at + 1] = value >> 8;
}

void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (value >> (8 * i)) & 0xFF;
}

std::vector<uint8_t> buildBitmap(const BitmapSpec& spec) {
    const size_t rowBytes = ((static_cast<size_t>(spec.width) * spec.bitsPerPixel + 31) / 32) * 4;
    const size_t paletteBytes = 4 * spec.palette.size();
    const size_t offset = 14 + 40 + paletteBytes;
    std::vector<uint8_t> bytes(offset + rowBytes * spec.height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    put32(bytes, bmpPixelOffsetField, static_cast<uint32_t>(offset));
    put32(bytes, bmpInfoSizeField, 40);
    put32(bytes, bmpWidthField, static_cast<uint32_t>(spec.width));
    put32(bytes, bmpHeightField, static_cast<uint32_t>(spec.topDown ? -spec.height : spec.height));
    put16(bytes, bmpPlanesField, 1);
    put16(bytes, bmpBitsField, static_cast<uint16_t>(spec.bitsPerPixel));
    put32(bytes, 34, static_cast<uint32_t>(rowBytes * spec.height));
    put32(bytes, bmpColoursUsedField, static_cast<uint32_t>(spec.palette.size()));
    for (size_t i = 0; i < spec.palette.size(); ++i) {
        const uint32_t c = spec.palette[i];
        bytes[54 + 4 * i] = c & 0xFF;
        bytes[54 + 4 * i + 1] = (c >> 8) & 0xFF;
        bytes[54 + 4 * i + 2] = (c >> 16) & 0xFF;
    }
    for (int32_t y = 0; y < spec.height; ++y) {
        const int32_t fileRow = spec.topDown ? y : spec.height - 1 - y;
        uint8_t* row = bytes.data() + offset + rowBytes * fileRow;
        for (int32_t x = 0; x < spec.width; ++x) {
            const uint8_t index = spec.indices[static_cast<size_t>(y) * spec.width + x];
            if (spec.bitsPerPixel == 8)
                row[x] = index;
            else
                row[x / 2] |= (x % 2 == 0) ? index << 4 : index & 0x0F;
        }
    }
    return bytes;
}

} // namespace zema
