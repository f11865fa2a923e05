// Reads the headers of a 4- or 8-bit bitmap and checks them against the data it was given.
#include "render/bmp_reader.h"

#include <algorithm>

#include "little_endian.h"

namespace zema {

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr uint32_t infoHeaderSize = 40;
constexpr uint32_t compressionNone = 0; // BI_RGB

void write32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

std::vector<uint8_t> bitmapFileFromResource(const uint8_t* resource, size_t size) {
    if (resource == nullptr || size < infoHeaderSize) return {};
    // Whatever the header's size says, readBitmap takes only the 40-byte one.
    const uint32_t headerSize = read32(resource);
    const uint16_t bits = read16(resource + 14);
    const uint32_t coloursUsed = read32(resource + 32);
    const uint64_t colours = coloursUsed != 0 ? coloursUsed : bits <= 8 ? 1u << bits : 0;
    const uint64_t pixelOffset = fileHeaderSize + uint64_t{headerSize} + 4 * colours;
    std::vector<uint8_t> file(fileHeaderSize + size);
    file[0] = 'B';
    file[1] = 'M';
    write32(&file[2], static_cast<uint32_t>(std::min<uint64_t>(file.size(), UINT32_MAX)));
    write32(&file[10], static_cast<uint32_t>(std::min<uint64_t>(pixelOffset, UINT32_MAX)));
    std::copy(resource, resource + size, file.begin() + fileHeaderSize);
    return file;
}

bool readBitmap(const uint8_t* data, size_t size, BitmapView& view) {
    if (data == nullptr || size < fileHeaderSize + infoHeaderSize) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t pixelOffset = read32(data + 10);
    const uint8_t* info = data + fileHeaderSize;
    if (read32(info) != infoHeaderSize) return false;
    const int64_t width = static_cast<int32_t>(read32(info + 4));
    const int64_t signedHeight = static_cast<int32_t>(read32(info + 8));
    const uint16_t planes = read16(info + 12);
    const uint16_t bits = read16(info + 14);
    const uint32_t compression = read32(info + 16);
    const uint32_t coloursUsed = read32(info + 32);

    if (planes != 1 || compression != compressionNone) return false;
    if (bits != 4 && bits != 8) return false;
    const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (width <= 0 || height <= 0 || width > maxBitmapSide || height > maxBitmapSide) return false;

    // A colour count of 0 means the full palette for the depth.
    const uint32_t fullPalette = 1u << bits;
    const uint32_t paletteCount = coloursUsed == 0 ? fullPalette : coloursUsed;
    if (paletteCount > fullPalette) return false;
    const uint64_t paletteEnd = fileHeaderSize + infoHeaderSize + 4ull * paletteCount;
    if (paletteEnd > size) return false;

    // Rows are padded to whole 32-bit words. Sizes are bounded above, so 64 bits cannot overflow.
    const uint64_t rowBytes = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    const uint64_t pixelBytes = rowBytes * static_cast<uint64_t>(height);
    if (pixelOffset < paletteEnd || pixelOffset > size || pixelBytes > size - pixelOffset)
        return false;

    view.width = static_cast<int32_t>(width);
    view.height = static_cast<int32_t>(height);
    view.bitsPerPixel = bits;
    const uint8_t* quads = data + fileHeaderSize + infoHeaderSize;
    for (uint32_t i = 0; i < 256; ++i) {
        view.palette[i] = 0xFF000000u;
        if (i >= paletteCount) continue;
        const uint8_t* q = quads + 4 * i; // blue, green, red, unused
        view.palette[i] |=
            static_cast<uint32_t>(q[2]) << 16 | static_cast<uint32_t>(q[1]) << 8 | q[0];
    }
    const uint8_t* pixels = data + pixelOffset;
    const ptrdiff_t stride = static_cast<ptrdiff_t>(rowBytes);
    if (signedHeight > 0) { // bottom-up: the file's first row is the picture's bottom row
        view.topRow = pixels + stride * (height - 1);
        view.rowStride = -stride;
    } else {
        view.topRow = pixels;
        view.rowStride = stride;
    }
    return true;
}

} // namespace zema
