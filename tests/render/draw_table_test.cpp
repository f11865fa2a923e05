// The draws of the frame's table, each checked for where it lands: the mirrored beam, the
// energy bar at its extreme scales, and the map's source rectangle running past the world.
#include <gtest/gtest.h>

#include <memory>

#include "bmp_builder.h"
#include "render/compositor.h"

namespace zema {

namespace {

constexpr uint32_t blue = 0xFF0000FFu;

TexturePtr opaqueTile(uint32_t argb) {
    const std::vector<uint32_t> texels(30 * 30, argb);
    return TexturePtr(createTexture(30, 30, texels.data()));
}

// Columns of row y that differ from blue, as [first, last]; {0, -1} when none do.
std::pair<int, int> drawnColumns(const std::vector<uint32_t>& pixels, int width, int y) {
    int first = width, last = -1;
    for (int x = 0; x < width; ++x)
        if (pixels[y * width + x] != blue) {
            first = std::min(first, x);
            last = std::max(last, x);
        }
    return last < 0 ? std::pair{0, -1} : std::pair{first, last};
}

TEST(DrawTable, MirroredBeamCoversThreeHundredPixelsLeftOfItsAnchor) {
    const TexturePtr beam = opaqueTile(0xFFFFE060u);
    std::vector<uint32_t> pixels(800 * 100, blue);
    BackBuffer buffer{pixels.data(), 800, 100, 800};
    compositeDraw(buffer, *beam, {0, 0, 30, 30}, {-10, 1}, {490, 60}, 0xFFFFFFFFu);
    EXPECT_EQ(drawnColumns(pixels, 800, 60), (std::pair{190, 489}));
    EXPECT_EQ(drawnColumns(pixels, 800, 89), (std::pair{190, 489}));
    EXPECT_EQ(drawnColumns(pixels, 800, 59), (std::pair{0, -1}));
    EXPECT_EQ(drawnColumns(pixels, 800, 90), (std::pair{0, -1}));
}

TEST(DrawTable, EnergyBarAtEachScale) {
    const TexturePtr energy = opaqueTile(0xFF40E040u);
    struct Case {
        float scale;
        std::pair<int, int> columns;
    } cases[] = {{25, {0, 749}}, {24, {0, 719}}, {1, {0, 29}}, {0, {0, -1}}, {-1, {0, -1}}};
    for (const Case& c : cases) {
        std::vector<uint32_t> pixels(1024 * 768, blue);
        BackBuffer buffer{pixels.data(), 1024, 768, 1024};
        compositeDraw(buffer, *energy, {0, 0, 30, 30}, {c.scale, 1}, {0, 768 - 30}, 0xFFFFFFFFu);
        EXPECT_EQ(drawnColumns(pixels, 1024, 767), c.columns) << "scale " << c.scale;
        EXPECT_EQ(drawnColumns(pixels, 1024, 768 - 30), c.columns) << "scale " << c.scale;
        EXPECT_EQ(drawnColumns(pixels, 1024, 768 - 31), (std::pair{0, -1}));
    }
}

TEST(DrawTable, StretchedTilesAreSmoothedNotBlocky) {
    // A tile with one bright column: stretched ten times, the light fades over several pixels
    // instead of jumping from one block to the next.
    std::vector<uint32_t> texels(30 * 30, 0xFF000000u);
    for (int y = 0; y < 30; ++y)
        texels[y * 30 + 15] = 0xFFFFFFFFu;
    const TexturePtr tile(createTexture(30, 30, texels.data()));
    std::vector<uint32_t> pixels(400 * 40, blue);
    BackBuffer buffer{pixels.data(), 400, 40, 400};
    compositeDraw(buffer, *tile, {0, 0, 30, 30}, {10, 1}, {0, 0}, 0xFFFFFFFFu);
    int levels = 0;
    for (int x = 140; x < 170; ++x) {
        const uint32_t grey = pixels[5 * 400 + x] & 0xFF;
        if (grey != 0 && grey != 255) ++levels;
    }
    EXPECT_GE(levels, 8);
}

TEST(DrawTable, MapSourcePastTheWorldRepeatsItsLastColumn) {
    // A 5000 x 5000 map of 16 colours in a pattern that differs from column to column.
    BitmapSpec map{5000, 5000, 4, {}, {}};
    for (int i = 0; i < 16; ++i)
        map.palette.push_back(static_cast<uint32_t>(0x101010 * i + 0x000004 * (i % 3)));
    map.indices.resize(5000u * 5000u);
    for (int y = 0; y < 5000; ++y)
        for (int x = 0; x < 5000; ++x)
            map.indices[static_cast<size_t>(y) * 5000 + x] = static_cast<uint8_t>((x * 7 + y) % 16);
    const std::vector<uint8_t> bytes = buildBitmap(map);
    const TexturePtr texture(
        loadTextureFromBitmap(bytes.data(), bytes.size(), 5000, 5000, TextureFormat::A8R8G8B8));
    ASSERT_TRUE(texture);
    auto colourOf = [&](int x, int y) {
        return 0xFF000000u | map.palette[map.indices[static_cast<size_t>(y) * 5000 + x]];
    };
    std::vector<uint32_t> pixels(1024 * 768, blue);
    BackBuffer buffer{pixels.data(), 1024, 768, 1024};
    compositeDraw(buffer, *texture, {4400, 150, 5424, 918}, {1, 1}, {0, 0}, 0xFFFFFFFFu);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            ASSERT_EQ(pixels[y * 1024 + x], colourOf(std::min(4400 + x, 4999), 150 + y))
                << x << "," << y;
}

} // namespace

} // namespace zema
