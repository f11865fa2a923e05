// Loading bitmaps into textures: the colour key, A1R5G5B5 precision, the guardian's doubling
// through a tent filter, and damaged bitmaps.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "bmp_builder.h"
#include "render/compositor.h"

namespace zema {

namespace {

TexturePtr load(const BitmapSpec& spec, int32_t width, int32_t height,
                TextureFormat format = TextureFormat::A8R8G8B8) {
    const std::vector<uint8_t> bytes = buildBitmap(spec);
    return TexturePtr(loadTextureFromBitmap(bytes.data(), bytes.size(), width, height, format));
}

TEST(TextureLoad, ColourKeyMakesOnlyOpaquePureBlueTransparentBlack) {
    BitmapSpec spec{5, 1, 8, {0x0000FF, 0x0000FE, 0x0100FF, 0x0001FF, 0xFFFFFF}, {0, 1, 2, 3, 4}};
    const TexturePtr texture = load(spec, 5, 1);
    ASSERT_TRUE(texture);
    EXPECT_EQ(textureTexel(*texture, 0, 0), 0x00000000u);
    EXPECT_EQ(textureTexel(*texture, 1, 0), 0xFF0000FEu);
    EXPECT_EQ(textureTexel(*texture, 2, 0), 0xFF0100FFu);
    EXPECT_EQ(textureTexel(*texture, 3, 0), 0xFF0001FFu);
    EXPECT_EQ(textureTexel(*texture, 4, 0), 0xFFFFFFFFu);
}

TEST(TextureLoad, A8R8G8B8KeepsEveryColourExactly) {
    BitmapSpec spec{16, 16, 8, {}, {}};
    for (int i = 0; i < 256; ++i) {
        spec.palette.push_back(static_cast<uint32_t>(i * 0x9E3779B1u) & 0xFFFFFF);
        spec.indices.push_back(static_cast<uint8_t>(255 - i));
    }
    spec.palette[7] = 0x123456; // keep clear of the key colour whatever the hash gave
    const TexturePtr texture = load(spec, 16, 16);
    ASSERT_TRUE(texture);
    for (int i = 0; i < 256; ++i) {
        const uint32_t colour = spec.palette[255 - i];
        const uint32_t expected = colour == 0x0000FF ? 0u : 0xFF000000u | colour;
        EXPECT_EQ(textureTexel(*texture, i % 16, i / 16), expected) << i;
    }
}

// An A1R5G5B5 texel read back by the hardware: 5-bit channels widened by repeating their top
// bits, alpha one bit.
bool isA1R5G5B5Value(uint32_t argb) {
    const uint32_t alpha = argb >> 24;
    if (alpha != 0 && alpha != 255) return false;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = (argb >> shift) & 0xFF;
        if (c != ((c >> 3) << 3 | c >> 5)) return false;
    }
    return true;
}

TEST(TextureLoad, A1R5G5B5HoldsFiveBitsAChannelNearestTheBitmap) {
    BitmapSpec spec{256, 1, 8, {}, {}};
    for (int i = 0; i < 256; ++i) {
        spec.palette.push_back(static_cast<uint32_t>(i << 16 | (255 - i) << 8 | (i * 5 % 256)));
        spec.indices.push_back(static_cast<uint8_t>(i));
    }
    spec.palette[0] = 0x0000FF; // the key stays transparent black in this format too
    const TexturePtr texture = load(spec, 256, 1, TextureFormat::A1R5G5B5);
    ASSERT_TRUE(texture);
    EXPECT_EQ(textureTexel(*texture, 0, 0), 0u);
    for (int i = 1; i < 256; ++i) {
        const uint32_t texel = textureTexel(*texture, i, 0);
        EXPECT_TRUE(isA1R5G5B5Value(texel)) << std::hex << texel;
        EXPECT_EQ(texel >> 24, 0xFFu);
        for (int shift = 0; shift < 24; shift += 8) {
            const int source = static_cast<int>((spec.palette[i] >> shift) & 0xFF);
            const int stored = static_cast<int>((texel >> shift) & 0xFF);
            // The nearest of the 32 levels 0, 8, 16, ... 255 (level k is k * 255 / 31).
            int best = 0;
            for (int k = 1; k < 32; ++k)
                if (std::abs(k * 255.0 / 31 - source) < std::abs(best * 255.0 / 31 - source))
                    best = k;
            EXPECT_EQ(stored, (best << 3) | (best >> 2)) << "colour " << i << " shift " << shift;
        }
    }
}

TEST(TextureLoad, GuardianBitmapDoublesThroughATentFilter) {
    // Columns alternate between two colours in pairs, with a keyed column; rows repeat, so the
    // vertical pass must give back each row unchanged.
    const uint32_t colours[3] = {0x204060, 0xE0C0A0, 0x0000FF};
    BitmapSpec spec{400, 400, 4, {colours[0], colours[1], colours[2]}, {}};
    auto pick = [](int32_t x) { return x == 3 ? 2 : (x / 2) % 2; };
    for (int32_t y = 0; y < 400; ++y)
        for (int32_t x = 0; x < 400; ++x)
            spec.indices.push_back(static_cast<uint8_t>(pick(x)));
    const TexturePtr texture = load(spec, 800, 800);
    ASSERT_TRUE(texture);
    EXPECT_EQ(textureWidth(*texture), 800);
    EXPECT_EQ(textureHeight(*texture), 800);

    auto argbOf = [&](int32_t x) {
        const int32_t mirrored = x < 0 ? -x - 1 : x > 399 ? 799 - x : x;
        const int k = pick(mirrored);
        return k == 2 ? 0u : 0xFF000000u | colours[k];
    };
    // Output texel X sits at bitmap position X / 2 - 0.25: three quarters of the nearer
    // bitmap pixel and one quarter of the other neighbour, mirrored at the edges.
    for (int32_t X = 0; X < 800; ++X) {
        const int32_t near = X / 2;
        const int32_t other = X % 2 == 0 ? near - 1 : near + 1;
        uint32_t expected = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const double c =
                0.75 * ((argbOf(near) >> shift) & 0xFF) + 0.25 * ((argbOf(other) >> shift) & 0xFF);
            expected |= static_cast<uint32_t>(std::lround(c)) << shift;
        }
        for (int32_t Y : {0, 1, 399, 400, 799})
            ASSERT_EQ(textureTexel(*texture, X, Y), expected) << "texel " << X << "," << Y;
    }
    // Next to the keyed column the picture fades out: a quarter-transparent texel.
    EXPECT_EQ(textureTexel(*texture, 5, 0) >> 24, 191u);
    EXPECT_EQ(textureTexel(*texture, 6, 0) >> 24, 64u);
}

TEST(TextureLoad, SameSizeKeepsThePictureExactAndCompact) {
    BitmapSpec spec{100, 60, 4, {0x102030, 0x0000FF, 0xFFEEDD}, {}};
    for (int i = 0; i < 100 * 60; ++i)
        spec.indices.push_back(static_cast<uint8_t>(i * 31 % 3));
    const TexturePtr texture = load(spec, 100, 60);
    ASSERT_TRUE(texture);
    for (int32_t y = 0; y < 60; ++y)
        for (int32_t x = 0; x < 100; ++x) {
            const uint8_t k = spec.indices[static_cast<size_t>(y) * 100 + x];
            const uint32_t expected = k == 1 ? 0u : 0xFF000000u | spec.palette[k];
            ASSERT_EQ(textureTexel(*texture, x, y), expected);
        }
    // Two texels a byte, one row of 50 bytes each, plus the fixed palette.
    EXPECT_LT(textureBytes(*texture), 100u * 60 / 2 + 2048);
}

TEST(TextureLoad, BadBitmapsAndRequestsGiveNoTexture) {
    BitmapSpec spec{4, 4, 4, {0x000000}, std::vector<uint8_t>(16, 0)};
    std::vector<uint8_t> bytes = buildBitmap(spec);
    EXPECT_EQ(loadTextureFromBitmap(bytes.data(), bytes.size() - 1, 4, 4, TextureFormat::A8R8G8B8),
              nullptr);
    EXPECT_EQ(loadTextureFromBitmap(bytes.data(), bytes.size(), 0, 4, TextureFormat::A8R8G8B8),
              nullptr);
    EXPECT_EQ(loadTextureFromBitmap(bytes.data(), bytes.size(), 4, -4, TextureFormat::A8R8G8B8),
              nullptr);
    EXPECT_EQ(
        loadTextureFromBitmap(bytes.data(), bytes.size(), 30000, 30000, TextureFormat::A8R8G8B8),
        nullptr);
    EXPECT_EQ(
        loadTextureFromBitmap(bytes.data(), bytes.size(), 4, 4, static_cast<TextureFormat>(7)),
        nullptr);
    put16(bytes, bmpBitsField, 24);
    EXPECT_EQ(loadTextureFromBitmap(bytes.data(), bytes.size(), 4, 4, TextureFormat::A8R8G8B8),
              nullptr);
}

TEST(TextureLoad, ReductionAveragesNeighbours) {
    // Four columns black, white, black, white halved: each output texel mixes its pair.
    BitmapSpec spec{4, 1, 8, {0x000000, 0xFFFFFF}, {0, 1, 0, 1}};
    const TexturePtr texture = load(spec, 2, 1);
    ASSERT_TRUE(texture);
    for (int32_t x = 0; x < 2; ++x) {
        const uint32_t grey = textureTexel(*texture, x, 0) & 0xFF;
        EXPECT_GT(grey, 60u);
        EXPECT_LT(grey, 200u);
    }
}

} // namespace

} // namespace zema
