// PNG encoding: filtered rows, a zlib stream around our deflate, and the chunk framing.
#include "png/png_writer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace zema {

namespace {

class BitWriter {
  public:
    explicit BitWriter(std::vector<uint8_t>& out) : out(out) {}
    // Extra bits and block headers go least significant bit first.
    void bits(uint32_t value, int count) {
        buffer |= static_cast<uint64_t>(value) << filled;
        filled += count;
        while (filled >= 8) {
            out.push_back(static_cast<uint8_t>(buffer));
            buffer >>= 8;
            filled -= 8;
        }
    }
    // Huffman codes go most significant bit first.
    void code(uint32_t value, int count) {
        uint32_t reversed = 0;
        for (int i = 0; i < count; ++i)
            reversed |= ((value >> i) & 1) << (count - 1 - i);
        bits(reversed, count);
    }
    void finish() {
        if (filled > 0) bits(0, 8 - filled);
    }

  private:
    std::vector<uint8_t>& out;
    uint64_t buffer = 0;
    int filled = 0;
};

const uint16_t lengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t distanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                   33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void literalOrLength(BitWriter& out, uint32_t symbol) {
    if (symbol < 144)
        out.code(0x30 + symbol, 8);
    else if (symbol < 256)
        out.code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        out.code(symbol - 256, 7);
    else
        out.code(0xC0 + symbol - 280, 8);
}

void match(BitWriter& out, uint32_t length, uint32_t distance) {
    int l = 28;
    while (lengthBase[l] > length)
        --l;
    literalOrLength(out, 257 + l);
    out.bits(length - lengthBase[l], lengthExtra[l]);
    int d = 29;
    while (distanceBase[d] > distance)
        --d;
    out.code(d, 5);
    out.bits(distance - distanceBase[d], distanceExtra[d]);
}

constexpr size_t window = 32768;
constexpr size_t maxMatch = 258;
constexpr int hashBits = 15;

uint32_t hash3(const uint8_t* p) {
    return ((p[0] << 16 | p[1] << 8 | p[2]) * 2654435761u) >> (32 - hashBits);
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    put32(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(png, pngCrc32(png.data() + start, png.size() - start));
}

} // namespace

uint32_t pngCrc32(const uint8_t* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t zlibAdler32(const uint8_t* data, size_t size) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

std::vector<uint8_t> deflateFixed(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    BitWriter bits(out);
    bits.bits(1, 1); // final block
    bits.bits(1, 2); // fixed Huffman codes
    std::vector<int64_t> head(size_t{1} << hashBits, -1);
    size_t i = 0;
    while (i < size) {
        size_t bestLength = 0, bestDistance = 0;
        if (i + 3 <= size) {
            const uint32_t h = hash3(data + i);
            const int64_t candidate = head[h];
            head[h] = static_cast<int64_t>(i);
            // The last place with the same three bytes, and the byte just before: flat colour.
            const int64_t tries[2] = {candidate, static_cast<int64_t>(i) - 3};
            for (const int64_t at : tries) {
                if (at < 0 || static_cast<size_t>(at) >= i || i - at > window) continue;
                const size_t limit = std::min(maxMatch, size - i);
                size_t length = 0;
                while (length < limit && data[at + length] == data[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - at;
                }
            }
        }
        if (bestLength >= 3) {
            match(bits, static_cast<uint32_t>(bestLength), static_cast<uint32_t>(bestDistance));
            // Keep the hash current inside the match, so later matches can find it.
            for (size_t k = i + 1; k < i + bestLength && k + 3 <= size; ++k)
                head[hash3(data + k)] = static_cast<int64_t>(k);
            i += bestLength;
        } else {
            literalOrLength(bits, data[i]);
            ++i;
        }
    }
    literalOrLength(bits, 256); // end of block
    bits.finish();
    return out;
}

namespace {

// Signature, header, one IDAT with the zlib stream of the filtered rows, and the end.
std::vector<uint8_t> framePng(uint32_t width, uint32_t height, uint8_t colourType,
                              const std::vector<uint8_t>& rows) {
    std::vector<uint8_t> zlib = {0x78, 0x01};
    const std::vector<uint8_t> deflated = deflateFixed(rows.data(), rows.size());
    zlib.insert(zlib.end(), deflated.begin(), deflated.end());
    put32(zlib, zlibAdler32(rows.data(), rows.size()));

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put32(header, width);
    put32(header, height);
    header.insert(header.end(), {8, colourType, 0, 0, 0}); // 8 bits, deflate, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib);
    chunk(png, "IEND", {});
    return png;
}

constexpr uint8_t colourRgb = 2;
constexpr uint8_t colourRgba = 6;

} // namespace

std::vector<uint8_t> encodePng(const uint32_t* pixels, int32_t width, int32_t height,
                               int32_t pitch) {
    // Each row: filter byte 0 (none), then red, green, blue per pixel.
    std::vector<uint8_t> rows;
    rows.reserve(static_cast<size_t>(height) * (1 + 3 * static_cast<size_t>(width)));
    for (int32_t y = 0; y < height; ++y) {
        rows.push_back(0);
        const uint32_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        for (int32_t x = 0; x < width; ++x) {
            rows.push_back(static_cast<uint8_t>(row[x] >> 16));
            rows.push_back(static_cast<uint8_t>(row[x] >> 8));
            rows.push_back(static_cast<uint8_t>(row[x]));
        }
    }
    return framePng(static_cast<uint32_t>(width), static_cast<uint32_t>(height), colourRgb, rows);
}

std::vector<uint8_t> encodeRgbaPng(const uint8_t* rgba, uint32_t width, uint32_t height) {
    // Kept far below PNG's own limit of 2^31 - 1 so that no size computation can overflow.
    constexpr uint32_t maxSide = 16384;
    if (width == 0 || height == 0 || width > maxSide || height > maxSide) return {};
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> rows;
    rows.reserve((rowBytes + 1) * height);
    for (uint32_t y = 0; y < height; ++y) {
        rows.push_back(0); // filter type None
        const uint8_t* row = rgba + rowBytes * y;
        rows.insert(rows.end(), row, row + rowBytes);
    }
    return framePng(width, height, colourRgba, rows);
}

bool writePng(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height,
              int32_t pitch) {
    const std::vector<uint8_t> png = encodePng(pixels, width, height, pitch);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

} // namespace zema
