// The RGBA encoding used for the desktop icon: checksums against published values, and the
// stream read back.
#include "inflate_fixed.h"
#include "png/png_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zema {

namespace {

uint32_t bigEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
    return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
           (uint32_t{bytes[at + 2]} << 8) | uint32_t{bytes[at + 3]};
}

struct Chunk {
    std::string type;
    std::vector<uint8_t> body;
};

// Splits the file into chunks, checking every chunk's CRC on the way.
std::vector<Chunk> readChunks(const std::vector<uint8_t>& png) {
    std::vector<Chunk> chunks;
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint32_t length = bigEndianAt(png, at);
        EXPECT_LE(at + 12 + length, png.size());
        if (at + 12 + length > png.size()) break;
        EXPECT_EQ(bigEndianAt(png, at + 8 + length), pngCrc32(png.data() + at + 4, length + 4));
        chunks.push_back(
            {std::string(png.begin() + at + 4, png.begin() + at + 8),
             std::vector<uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + length)});
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

// Reads back a zlib stream, checking its header and Adler-32.
std::vector<uint8_t> readZlib(const std::vector<uint8_t>& z) {
    EXPECT_GE(z.size(), 6u);
    if (z.size() < 6) return {};
    EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0); // the zlib header check
    const std::vector<uint8_t> raw = inflateFixed(std::vector<uint8_t>(z.begin() + 2, z.end() - 4));
    EXPECT_EQ(bigEndianAt(z, z.size() - 4), zlibAdler32(raw.data(), raw.size()));
    return raw;
}

} // namespace

TEST(RgbaPng, ChecksumsMatchPublishedValues) {
    const uint8_t iend[] = {'I', 'E', 'N', 'D'};
    EXPECT_EQ(pngCrc32(iend, 4), 0xAE426082u); // the CRC that closes every PNG file
    const char* wiki = "Wikipedia";
    EXPECT_EQ(zlibAdler32(reinterpret_cast<const uint8_t*>(wiki), std::strlen(wiki)), 0x11E60398u);
    EXPECT_EQ(zlibAdler32(nullptr, 0), 1u);
}

TEST(RgbaPng, SmallImageReadsBackPixelForPixel) {
    const uint8_t pixels[] = {255, 0, 0, 255, 0, 0,  0,  0,  1,  2,  3,  4,
                              5,   6, 7, 8,   9, 10, 11, 12, 13, 14, 15, 16};
    const std::vector<uint8_t> png = encodeRgbaPng(pixels, 3, 2);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    const std::vector<Chunk> chunks = readChunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    ASSERT_EQ(chunks[0].body.size(), 13u);
    EXPECT_EQ(bigEndianAt(chunks[0].body, 0), 3u);
    EXPECT_EQ(bigEndianAt(chunks[0].body, 4), 2u);
    EXPECT_EQ(chunks[0].body[8], 8); // bit depth
    EXPECT_EQ(chunks[0].body[9], 6); // RGBA
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    const std::vector<uint8_t> raw = readZlib(chunks[1].body);
    ASSERT_EQ(raw.size(), 2u * (1 + 12));
    EXPECT_EQ(raw[0], 0);
    EXPECT_EQ(raw[13], 0);
    EXPECT_EQ(std::memcmp(raw.data() + 1, pixels, 12), 0);
    EXPECT_EQ(std::memcmp(raw.data() + 14, pixels + 12, 12), 0);
}

TEST(RgbaPng, LargeImageReadsBackRowForRow) {
    const uint32_t width = 16384, height = 3;
    std::vector<uint8_t> pixels(size_t{width} * height * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 7);
    const std::vector<Chunk> chunks = readChunks(encodeRgbaPng(pixels.data(), width, height));
    ASSERT_EQ(chunks.size(), 3u);
    const std::vector<uint8_t> raw = readZlib(chunks[1].body);
    ASSERT_EQ(raw.size(), size_t{height} * (1 + width * 4));
    for (uint32_t y = 0; y < height; ++y) {
        const size_t rowAt = y * (1 + size_t{width} * 4);
        EXPECT_EQ(raw[rowAt], 0);
        EXPECT_EQ(
            std::memcmp(raw.data() + rowAt + 1, pixels.data() + y * size_t{width} * 4, width * 4),
            0);
    }
}

TEST(RgbaPng, EmptyOrHugeSizesGiveNothing) {
    const uint8_t pixel[4] = {};
    EXPECT_TRUE(encodeRgbaPng(pixel, 0, 1).empty());
    EXPECT_TRUE(encodeRgbaPng(pixel, 1, 0).empty());
    EXPECT_TRUE(encodeRgbaPng(pixel, 16385, 1).empty());
    EXPECT_TRUE(encodeRgbaPng(pixel, 1, 0xFFFFFFFFu).empty());
}

} // namespace zema
