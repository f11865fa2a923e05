// The bitmap reader: both depths, padded rows, both row orders, and every kind of damage.
#include <gtest/gtest.h>

#include <climits>

#include "bmp_builder.h"
#include "render/bmp_reader.h"

namespace zema {

namespace {

BitmapSpec patterned(int32_t width, int32_t height, int32_t bits) {
    BitmapSpec spec{width, height, bits, {}, {}};
    const int colours = 1 << bits;
    for (int i = 0; i < colours; ++i)
        spec.palette.push_back(static_cast<uint32_t>(i * 0x010203 + 0x102030) & 0xFFFFFF);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            spec.indices.push_back(static_cast<uint8_t>((x * 7 + y * 13 + x * y) % colours));
    return spec;
}

void expectSamePicture(const BitmapSpec& spec, const BitmapView& view) {
    ASSERT_EQ(view.width, spec.width);
    ASSERT_EQ(view.height, spec.height);
    ASSERT_EQ(view.bitsPerPixel, spec.bitsPerPixel);
    for (size_t i = 0; i < spec.palette.size(); ++i)
        EXPECT_EQ(view.palette[i], 0xFF000000u | spec.palette[i]) << "entry " << i;
    for (int32_t y = 0; y < spec.height; ++y)
        for (int32_t x = 0; x < spec.width; ++x)
            ASSERT_EQ(bitmapIndex(view, x, y),
                      spec.indices[static_cast<size_t>(y) * spec.width + x])
                << "pixel " << x << "," << y;
}

TEST(BitmapReader, ReadsBothDepthsWithPaddedRowsInBothOrders) {
    // Widths 1 to 9 give every amount of row padding at both depths.
    for (int32_t bits : {4, 8})
        for (int32_t width = 1; width <= 9; ++width)
            for (bool topDown : {false, true}) {
                SCOPED_TRACE(testing::Message() << bits << " bits, width " << width
                                                << (topDown ? " top-down" : " bottom-up"));
                BitmapSpec spec = patterned(width, 5, bits);
                spec.topDown = topDown;
                const std::vector<uint8_t> bytes = buildBitmap(spec);
                BitmapView view;
                ASSERT_TRUE(readBitmap(bytes.data(), bytes.size(), view));
                expectSamePicture(spec, view);
            }
}

TEST(BitmapReader, BottomUpFileKeepsItsLastRowOnTop) {
    BitmapSpec spec{2, 2, 8, {0x000000, 0xFFFFFF}, {1, 1, 0, 0}};
    std::vector<uint8_t> bytes = buildBitmap(spec);
    // The first stored row is the bottom one: index 0 in both pixels.
    const size_t offset = bytes[bmpPixelOffsetField];
    EXPECT_EQ(bytes[offset], 0);
    EXPECT_EQ(bytes[offset + 4], 1);
    BitmapView view;
    ASSERT_TRUE(readBitmap(bytes.data(), bytes.size(), view));
    EXPECT_EQ(bitmapIndex(view, 0, 0), 1);
    EXPECT_EQ(bitmapIndex(view, 1, 1), 0);
}

TEST(BitmapReader, ShortPaletteFillsTheRestWithOpaqueBlack) {
    BitmapSpec spec{3, 1, 4, {0xFF0000, 0x00FF00}, {0, 1, 9}};
    const std::vector<uint8_t> bytes = buildBitmap(spec);
    BitmapView view;
    ASSERT_TRUE(readBitmap(bytes.data(), bytes.size(), view));
    EXPECT_EQ(view.palette[1], 0xFF00FF00u);
    EXPECT_EQ(view.palette[bitmapIndex(view, 2, 0)], 0xFF000000u);
    EXPECT_EQ(view.palette[255], 0xFF000000u);
}

TEST(BitmapReader, EveryTruncationFails) {
    const std::vector<uint8_t> bytes = buildBitmap(patterned(5, 3, 4));
    BitmapView view;
    for (size_t size = 0; size < bytes.size(); ++size) {
        // A copy of exactly that length, so that the sanitizer sees any read past it.
        const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + size);
        EXPECT_FALSE(readBitmap(prefix.data(), prefix.size(), view)) << "size " << size;
    }
    EXPECT_TRUE(readBitmap(bytes.data(), bytes.size(), view));
    EXPECT_FALSE(readBitmap(nullptr, 0, view));
}

struct Damage {
    const char* what;
    size_t at;
    uint32_t value;
    bool wide; // 32-bit field, else 16-bit
};

TEST(BitmapReader, DamagedHeadersFail) {
    const Damage damages[] = {
        {"magic", 0, 'M' | 'B' << 8, false},
        {"core header size", bmpInfoSizeField, 12, true},
        {"v5 header size", bmpInfoSizeField, 124, true},
        {"planes", bmpPlanesField, 2, false},
        {"1 bit", bmpBitsField, 1, false},
        {"24 bits", bmpBitsField, 24, false},
        {"0 bits", bmpBitsField, 0, false},
        {"RLE8", bmpCompressionField, 1, true},
        {"RLE4", bmpCompressionField, 2, true},
        {"bit fields", bmpCompressionField, 3, true},
        {"zero width", bmpWidthField, 0, true},
        {"negative width", bmpWidthField, static_cast<uint32_t>(-4), true},
        {"zero height", bmpHeightField, 0, true},
        {"most negative height", bmpHeightField, static_cast<uint32_t>(INT_MIN), true},
        {"absurd width", bmpWidthField, 1u << 20, true},
        {"absurd height", bmpHeightField, 40000, true},
        {"huge width", bmpWidthField, 0x7FFFFFFF, true},
        {"more colours than the depth holds", bmpColoursUsedField, 17, true},
        {"huge colour count", bmpColoursUsedField, 0xFFFFFFFF, true},
        {"pixels inside the palette", bmpPixelOffsetField, 60, true},
        {"pixels past the end", bmpPixelOffsetField, 0xFFFFFFF0, true},
        {"pixels inside the header", bmpPixelOffsetField, 0, true},
    };
    const std::vector<uint8_t> good = buildBitmap(patterned(5, 3, 4));
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = good;
        if (damage.wide)
            put32(bytes, damage.at, damage.value);
        else
            put16(bytes, damage.at, static_cast<uint16_t>(damage.value));
        BitmapView view;
        EXPECT_FALSE(readBitmap(bytes.data(), bytes.size(), view)) << damage.what;
    }
}

TEST(BitmapReader, PaletteRunningPastTheDataFails) {
    // A full 256-colour palette claimed by a file that holds only a few entries.
    BitmapSpec spec{4, 1, 8, {0x112233, 0x445566}, {0, 1, 0, 1}};
    std::vector<uint8_t> bytes = buildBitmap(spec);
    put32(bytes, bmpColoursUsedField, 0); // 0 means all 256
    BitmapView view;
    EXPECT_FALSE(readBitmap(bytes.data(), bytes.size(), view));
}

TEST(BitmapReader, LargeButHonestSizeIsRead) {
    // The largest side accepted, one row high: 16 KiB of 4-bit pixels.
    BitmapSpec spec{maxBitmapSide, 1, 4, {0x000000, 0xFFFFFF}, {}};
    spec.indices.assign(maxBitmapSide, 1);
    spec.indices.back() = 0;
    std::vector<uint8_t> bytes = buildBitmap(spec);
    BitmapView view;
    ASSERT_TRUE(readBitmap(bytes.data(), bytes.size(), view));
    EXPECT_EQ(bitmapIndex(view, maxBitmapSide - 2, 0), 1);
    EXPECT_EQ(bitmapIndex(view, maxBitmapSide - 1, 0), 0);
    put32(bytes, bmpWidthField, maxBitmapSide + 1);
    EXPECT_FALSE(readBitmap(bytes.data(), bytes.size(), view));
}

} // namespace

} // namespace zema
