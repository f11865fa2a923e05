// The PNG writer, read back by a small inflate written here for the fixed-code blocks it makes.
#include <gtest/gtest.h>

#include <random>

#include "inflate_fixed.h"
#include "png/png_writer.h"

namespace zema {

namespace {

uint32_t bigEndian(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

uint32_t slowCrc(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

TEST(PngWriter, DeflateRoundTripsRunsAndNoise) {
    std::mt19937 random(5);
    std::vector<uint8_t> data;
    for (int i = 0; i < 100000; ++i) // runs, repeats far back, and plain noise
        data.push_back(i % 7000 < 3000   ? static_cast<uint8_t>(i / 100)
                       : i % 7000 < 5000 ? static_cast<uint8_t>(random())
                                         : data[i - 4321]);
    const std::vector<uint8_t> deflated = deflateFixed(data.data(), data.size());
    EXPECT_EQ(inflateFixed(deflated), data);
    EXPECT_LT(deflated.size(), data.size());
    EXPECT_EQ(inflateFixed(deflateFixed(data.data(), 0)), std::vector<uint8_t>{});
}

TEST(PngWriter, FileHoldsTheImageRowByRowInRgb) {
    const int32_t width = 7, height = 5, pitch = 9;
    std::vector<uint32_t> pixels(pitch * height);
    for (int32_t i = 0; i < pitch * height; ++i)
        pixels[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x030507);
    const std::vector<uint8_t> png = encodePng(pixels.data(), width, height, pitch);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    // Walk the chunks, checking each CRC; gather IHDR and IDAT.
    std::vector<uint8_t> header, zlib;
    std::vector<std::string> order;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t length = bigEndian(&png[at]);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        EXPECT_EQ(bigEndian(&png[at + 8 + length]), slowCrc(&png[at + 4], length + 4)) << type;
        const std::vector<uint8_t> data(png.begin() + at + 8, png.begin() + at + 8 + length);
        if (type == "IHDR") header = data;
        if (type == "IDAT") zlib.insert(zlib.end(), data.begin(), data.end());
        order.push_back(type);
        at += 12 + length;
    }
    EXPECT_EQ(order, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(bigEndian(&header[0]), 7u);
    EXPECT_EQ(bigEndian(&header[4]), 5u);
    EXPECT_EQ(header[8], 8);
    EXPECT_EQ(header[9], 2);
    ASSERT_GT(zlib.size(), 6u);
    EXPECT_EQ((zlib[0] << 8 | zlib[1]) % 31, 0); // the zlib header check
    const std::vector<uint8_t> raw =
        inflateFixed(std::vector<uint8_t>(zlib.begin() + 2, zlib.end() - 4));
    ASSERT_EQ(raw.size(), static_cast<size_t>(height * (1 + 3 * width)));
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(bigEndian(&zlib[zlib.size() - 4]), b << 16 | a);
    for (int32_t y = 0; y < height; ++y) {
        EXPECT_EQ(raw[y * (1 + 3 * width)], 0); // no filter
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* rgb = &raw[y * (1 + 3 * width) + 1 + 3 * x];
            EXPECT_EQ(static_cast<uint32_t>(rgb[0] << 16 | rgb[1] << 8 | rgb[2]),
                      pixels[y * pitch + x] & 0xFFFFFF);
        }
    }
}

} // namespace

} // namespace zema
