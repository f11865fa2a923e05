// Bitmap encoding for the generated pictures.
#include "bmp_writer.h"

#include <cstdio>

namespace zema {

namespace {
void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

size_t rowBytes(int width, int bitsPerPixel) {
    return ((static_cast<size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

std::vector<uint8_t> headers(int width, int height, int bitsPerPixel, uint32_t paletteEntries) {
    const uint32_t offset = 14 + 40 + paletteEntries * 4;
    const uint32_t imageSize = static_cast<uint32_t>(rowBytes(width, bitsPerPixel) * height);
    std::vector<uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height)); // positive: bottom-up rows
    put16(out, 1);
    put16(out, static_cast<uint32_t>(bitsPerPixel));
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, paletteEntries);
    put32(out, 0);
    return out;
}
} // namespace

std::vector<uint8_t> encodeIndexedBitmap(const Canvas& canvas, const std::vector<Rgb>& palette,
                                         int bitsPerPixel) {
    const uint32_t entries = bitsPerPixel == 4 ? 16 : 256;
    std::vector<uint8_t> out = headers(canvas.width, canvas.height, bitsPerPixel, entries);
    for (uint32_t i = 0; i < entries; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    const size_t stride = rowBytes(canvas.width, bitsPerPixel);
    for (int y = canvas.height - 1; y >= 0; --y) {
        const uint8_t* row = &canvas.pixels[static_cast<size_t>(y) * canvas.width];
        const size_t start = out.size();
        if (bitsPerPixel == 4) {
            for (int x = 0; x < canvas.width; x += 2) {
                const uint8_t high = row[x] & 15;
                const uint8_t low = x + 1 < canvas.width ? row[x + 1] & 15 : 0;
                out.push_back(static_cast<uint8_t>(high << 4 | low));
            }
        } else {
            out.insert(out.end(), row, row + canvas.width);
        }
        out.resize(start + stride, 0);
    }
    return out;
}

std::vector<uint8_t> encodeArgbBitmap(int width, int height, const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> out = headers(width, height, 32, 0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x)
            put32(out, pixels[static_cast<size_t>(y) * width + x]);
    return out;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace zema
