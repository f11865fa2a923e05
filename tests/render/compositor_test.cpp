// compositeDraw against the reference drawing over many random draws, exact landing at scale
// +-1, and the draws that must leave the back buffer alone.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "bmp_builder.h"
#include "reference_draw.h"
#include "render/compositor.h"
#include "render/pixel_rows.h"

namespace zema {

namespace {

struct Drawable {
    TexturePtr texture;
    Picture picture; // the same texels, kept by the test
    int bits = 32;   // of the bitmap it was loaded from; 32 for ARGB texels
};

BackBuffer bufferOf(ReferenceCanvas& canvas) {
    return {canvas.pixels.data(), canvas.width, canvas.height, canvas.width};
}

ReferenceCanvas noiseCanvas(std::mt19937& random, int32_t width, int32_t height) {
    ReferenceCanvas canvas{width, height, {}, {}};
    for (int32_t i = 0; i < width * height; ++i)
        canvas.pixels.push_back(0xFF000000u | (random() & 0xFFFFFF));
    return canvas;
}

// Texels made in code: some keyed (transparent black), some partly transparent.
Drawable randomArgb(std::mt19937& random, int32_t width, int32_t height) {
    Picture picture{width, height, {}};
    for (int32_t i = 0; i < width * height; ++i) {
        const uint32_t kind = random() % 10;
        const uint32_t rgb = random() & 0xFFFFFF;
        picture.argb.push_back(kind < 3   ? 0u
                               : kind < 5 ? (random() & 0xFF000000u) | rgb
                                          : 0xFF000000u | rgb);
    }
    TexturePtr texture(createTexture(width, height, picture.argb.data()));
    return {std::move(texture), std::move(picture)};
}

// A 4- or 8-bit bitmap whose palette holds the key colour, loaded as the game loads pictures.
Drawable randomBitmap(std::mt19937& random, int32_t width, int32_t height, int32_t bits) {
    BitmapSpec spec{width, height, bits, {0x0000FF}, {}};
    const int colours = bits == 4 ? 16 : 1 + static_cast<int>(random() % 255);
    while (static_cast<int>(spec.palette.size()) < colours)
        spec.palette.push_back(random() & 0xFFFFFF);
    Picture picture{width, height, {}};
    // Either every texel drawn afresh, or runs of one index up to 40 long, as in the map's
    // corridors and walls; and sometimes rows that repeat the row above, as the walls do.
    const bool runs = random() % 2 == 0, rowsRepeat = random() % 3 == 0;
    uint8_t k = 0;
    for (int32_t i = 0, left = 0; i < width * height; ++i, --left) {
        if (i % width == 0 && i > 0 && rowsRepeat && random() % 2 == 0) {
            const std::vector<uint8_t> indices(spec.indices.end() - width, spec.indices.end());
            const std::vector<uint32_t> argb(picture.argb.end() - width, picture.argb.end());
            spec.indices.insert(spec.indices.end(), indices.begin(), indices.end());
            picture.argb.insert(picture.argb.end(), argb.begin(), argb.end());
            i += width - 1;
            continue;
        }
        if (left <= 0) {
            k = static_cast<uint8_t>(random() % 4 == 0 ? 0 : random() % colours);
            left = runs ? 1 + static_cast<int>(random() % 40) : 1;
        }
        spec.indices.push_back(k);
        picture.argb.push_back(spec.palette[k] == 0x0000FF ? 0u : 0xFF000000u | spec.palette[k]);
    }
    const std::vector<uint8_t> bytes = buildBitmap(spec);
    TexturePtr texture(
        loadTextureFromBitmap(bytes.data(), bytes.size(), width, height, TextureFormat::A8R8G8B8));
    return {std::move(texture), std::move(picture), bits};
}

// A picture of a random size up to maxWidth x maxHeight, made by one of the first kinds makers:
// ARGB texels, a 4-bit bitmap, an 8-bit bitmap (twice as likely when kinds is 4).
Drawable randomDrawable(std::mt19937& random, int32_t maxWidth, int32_t maxHeight, int kinds) {
    const int32_t width = 1 + static_cast<int32_t>(random() % maxWidth);
    const int32_t height = 1 + static_cast<int32_t>(random() % maxHeight);
    const int maker = static_cast<int>(random() % kinds);
    return maker == 0 ? randomArgb(random, width, height)
                      : randomBitmap(random, width, height, maker == 1 ? 4 : 8);
}

float randomScale(std::mt19937& random) {
    static const float chosen[] = {1, -1, 2, -2, 0.5f, -0.5f, 10, -10, 14, 25, 3.75f, -0.3f};
    if (random() % 3 != 0) return chosen[random() % std::size(chosen)];
    std::uniform_real_distribution<float> any(-5, 5);
    float s = 0;
    while (s == 0)
        s = any(random);
    return s;
}

float randomPlace(std::mt19937& random) {
    const auto whole = static_cast<float>(static_cast<int>(random() % 140) - 50);
    return random() % 2 ? whole : whole + std::uniform_real_distribution<float>(0, 1)(random);
}

struct Comparison {
    int compared = 0, drawn = 0, worst = 0;
};

// Draws with the compositor and the reference from the same canvas; returns how far apart
// the two came, channel by channel, over the pixels the reference is sure of.
Comparison compareDraw(ReferenceCanvas& canvas, const Drawable& drawable, SourceRect source,
                       Vector2 scaling, Vector2 translation, uint32_t colour) {
    ReferenceCanvas expected = canvas;
    referenceDraw(expected, drawable.picture, source, scaling, translation, colour);
    const std::vector<uint32_t> before = canvas.pixels;
    BackBuffer buffer = bufferOf(canvas);
    compositeDraw(buffer, *drawable.texture, source, scaling, translation, colour);
    Comparison result;
    for (size_t i = 0; i < canvas.pixels.size(); ++i) {
        if (expected.undecided[i]) continue;
        ++result.compared;
        if (expected.pixels[i] != before[i]) ++result.drawn;
        for (int c = 0; c < 32; c += 8) {
            const int a = (canvas.pixels[i] >> c) & 0xFF, b = (expected.pixels[i] >> c) & 0xFF;
            result.worst = std::max(result.worst, std::abs(a - b));
        }
    }
    return result;
}

// The draws run on each row kernel the build and the processor have, all held to the same pixels.
class EveryPath : public testing::TestWithParam<PixelPath> {
  protected:
    void SetUp() override {
        if (!usePixelPath(GetParam())) GTEST_SKIP() << "not on this build or processor";
    }
    void TearDown() override { usePixelPath(before); }
    PixelPath before = pixelPathInUse();
};
INSTANTIATE_TEST_SUITE_P(Compositor, EveryPath, testing::ValuesIn(allPixelPaths),
                         [](const auto& info) { return std::string(pixelPathName(info.param)); });

TEST_P(EveryPath, MatchesTheReferenceOverRandomDraws) {
    std::mt19937 random(20261208);
    long drawnPixels = 0;
    for (int round = 0; round < 4000; ++round) {
        const Drawable drawable = randomDrawable(random, 170, 40, 3);
        ASSERT_TRUE(drawable.texture);
        const int32_t width = drawable.picture.width, height = drawable.picture.height;
        SourceRect source;
        source.left = static_cast<int32_t>(random() % (width + 1));
        source.top = static_cast<int32_t>(random() % (height + 1));
        source.right = source.left + 1 + static_cast<int32_t>(random() % (width + 8));
        source.bottom = source.top + 1 + static_cast<int32_t>(random() % (height + 8));
        Vector2 scaling{randomScale(random), randomScale(random)};
        if (random() % 4 == 0) scaling.y = scaling.x;
        Vector2 translation{randomPlace(random), randomPlace(random)};
        uint32_t colour = random() % 3 == 0 ? static_cast<uint32_t>(random()) : 0xFFFFFFFFu;
        if (random() % 4 == 0) { // the game's own kind of draw: whole pixels, scale 1, untinted
            scaling = {1, 1};
            translation = {std::floor(translation.x), std::floor(translation.y)};
            colour = 0xFFFFFFFFu;
        }
        ReferenceCanvas canvas = noiseCanvas(random, 144, 48);
        ReferenceCanvas portable = canvas;
        const Comparison result =
            compareDraw(canvas, drawable, source, scaling, translation, colour);
        // Within the reference's tolerance, and to the bit the portable path's pixels.
        BackBuffer portableBuffer = bufferOf(portable);
        usePixelPath(PixelPath::portable);
        compositeDraw(portableBuffer, *drawable.texture, source, scaling, translation, colour);
        usePixelPath(GetParam());
        ASSERT_EQ(canvas.pixels, portable.pixels) << "round " << round;
        // Whole-pixel draws at scale +-1 sample single texels: only the tint's rounding may
        // differ. Filtered draws also round their weights to 1/256.
        const bool exact = std::abs(scaling.x) == 1 && std::abs(scaling.y) == 1 &&
                           translation.x == std::floor(translation.x) &&
                           translation.y == std::floor(translation.y);
        const int allowed = exact ? (colour == 0xFFFFFFFFu ? 0 : 1) : 3;
        ASSERT_LE(result.worst, allowed)
            << "round " << round << ": " << width << "x" << height << " source (" << source.left
            << "," << source.top << "," << source.right << "," << source.bottom << ") scale ("
            << scaling.x << "," << scaling.y << ") at (" << translation.x << "," << translation.y
            << ") colour " << std::hex << colour;
        drawnPixels += result.drawn;
    }
    EXPECT_GT(drawnPixels, 100000); // the draws did land on the canvas
}

TEST_P(EveryPath, SwapsRedAndBlueOpaqueForRedFirstWindows) {
    std::mt19937 random(7);
    for (const int32_t count : {0, 1, 3, 4, 7, 8, 9, 31, 1921}) {
        std::vector<uint32_t> in(static_cast<size_t>(count)), out(in.size() + 1, 0x5A5A5A5Au);
        for (uint32_t& pixel : in)
            pixel = static_cast<uint32_t>(random());
        rowKernels().swapRedBlueOpaque(out.data(), in.data(), count);
        for (int32_t i = 0; i < count; ++i) {
            const uint32_t p = in[i];
            ASSERT_EQ(out[i], 0xFF000000u | (p & 0xFF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16)
                << "pixel " << i << " of " << count;
        }
        EXPECT_EQ(out[count], 0x5A5A5A5Au) << "written past the row of " << count;
    }
}

// Rows of one index byte repeated, all shown: striped walls of indices 0 and 1 and of 1 and 2
// (a high nibble 0, and one twice the low one), and a corridor of index 1 with a post of 2 at
// texel 32, its runs long enough to be filled whole. From an even and an odd texel, each pixel
// gets its own texel's colour, from the draw's first pixel on, and no pixel before or after the
// rows is touched.
TEST_P(EveryPath, DrawsRowsOfOneIndexByte) {
    BitmapSpec spec{81, 3, 4, {0x30C050, 0x10A0F0, 0x20B0E0}, {}};
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 81; ++i)
            spec.indices.push_back(static_cast<uint8_t>(row < 2       ? row + i % 2
                                                        : i / 2 == 16 ? 2
                                                                      : 1));
    const std::vector<uint8_t> bytes = buildBitmap(spec);
    TexturePtr texture(
        loadTextureFromBitmap(bytes.data(), bytes.size(), 81, 3, TextureFormat::A8R8G8B8));
    std::mt19937 random(5);
    for (const int32_t left : {0, 1}) {
        ReferenceCanvas canvas = noiseCanvas(random, 112, 3);
        std::vector<uint32_t> expected = canvas.pixels;
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = left; x < 81; ++x)
                expected[y * 112 + 16 + x - left] =
                    0xFF000000u | spec.palette[spec.indices[y * 81 + x]];
        BackBuffer buffer = bufferOf(canvas);
        compositeDraw(buffer, *texture, {left, 0, 81, 3}, {1, 1}, {16, 0}, 0xFFFFFFFFu);
        EXPECT_EQ(canvas.pixels, expected) << "from texel " << left;
    }
}

TEST_P(EveryPath, ClearAndDrawInOnePassEqualsClearThenDraw) {
    std::mt19937 random(4242);
    int fused = 0, refused = 0;
    for (int round = 0; round < 3000; ++round) {
        const Drawable drawable = randomDrawable(random, 170, 40, 4);
        ASSERT_TRUE(drawable.texture);
        const int32_t width = drawable.picture.width, height = drawable.picture.height;
        const int32_t canvasWidth = 1 + static_cast<int32_t>(random() % 150);
        const int32_t canvasHeight = 1 + static_cast<int32_t>(random() % 40);
        // Mostly the map's kind of draw: the whole target from a source corner, which may run
        // past the texture's right and bottom edges; sometimes one that falls short or is
        // scaled, mirrored, tinted or off by a fraction.
        SourceRect source;
        source.left = static_cast<int32_t>(random() % (width + 1));
        source.top = static_cast<int32_t>(random() % (height + 1));
        source.right = source.left + canvasWidth + static_cast<int32_t>(random() % 3);
        source.bottom = source.top + canvasHeight + static_cast<int32_t>(random() % 3);
        Vector2 scaling{1, random() % 8 == 0 ? -1.0f : 1.0f};
        Vector2 translation{0, scaling.y < 0 ? static_cast<float>(source.bottom - source.top) : 0};
        uint32_t colour = 0xFFFFFFFFu;
        switch (random() % 8) {
        case 0:
            source.right -= 2 + static_cast<int32_t>(random() % 3);
            break;
        case 1:
            scaling.x = random() % 2 ? 2.0f : -1.0f;
            break;
        case 2:
            colour = 0x80FFFFFFu;
            break;
        case 3:
            translation.x = 0.5f;
            break;
        default:
            break;
        }
        const uint32_t clear = static_cast<uint32_t>(random());
        ReferenceCanvas expected = noiseCanvas(random, canvasWidth, canvasHeight);
        ReferenceCanvas actual = expected;
        BackBuffer expectedBuffer = bufferOf(expected);
        BackBuffer actualBuffer = bufferOf(actual);
        const bool done = compositeClearAndDraw(actualBuffer, clear, *drawable.texture, source,
                                                scaling, translation, colour);
        if (!done) {
            ++refused;
            EXPECT_EQ(actual.pixels, expected.pixels) << "round " << round << ": changed pixels";
            continue;
        }
        ++fused;
        usePixelPath(PixelPath::portable); // the one pass on each path, as the portable two
        compositeClear(expectedBuffer, clear);
        compositeDraw(expectedBuffer, *drawable.texture, source, scaling, translation, colour);
        usePixelPath(GetParam());
        ASSERT_EQ(actual.pixels, expected.pixels)
            << "round " << round << ": " << width << "x" << height << " bits " << drawable.bits
            << " source (" << source.left << "," << source.top << "," << source.right << ","
            << source.bottom << ") scale (" << scaling.x << "," << scaling.y << ") onto "
            << canvasWidth << "x" << canvasHeight;
    }
    // Both kinds came up often: the one pass is used, and refused where it does not apply.
    EXPECT_GT(fused, 1000);
    EXPECT_GT(refused, 500);
}

TEST(Compositor, ExtremeNumbersStayWithinTheRules) {
    std::mt19937 random(7);
    const Drawable drawable = randomArgb(random, 5, 4);
    const float huge = 1e30f, tiny = 1e-30f;
    const Vector2 scalings[] = {{huge, 1}, {1, -huge}, {tiny, 1}, {-tiny, tiny}, {3e9f, 2e9f}};
    const Vector2 places[] = {{0, 0}, {-huge, 3}, {huge, -huge}, {-3e9f, 10}, {2.5f, 1e10f}};
    for (const Vector2 scaling : scalings)
        for (const Vector2 place : places) {
            ReferenceCanvas canvas = noiseCanvas(random, 32, 16);
            const Comparison result =
                compareDraw(canvas, drawable, {1, 0, 5, 4}, scaling, place, 0xFFFFFFFFu);
            EXPECT_LE(result.worst, 3)
                << scaling.x << "," << scaling.y << " at " << place.x << "," << place.y;
        }
}

class ExactLanding : public testing::TestWithParam<std::pair<int, int>> {};

TEST_P(ExactLanding, EveryTexelLandsOnItsOwnPixel) {
    const auto [sx, sy] = GetParam();
    std::mt19937 random(sx * 3 + sy);
    Picture picture{7, 5, {}};
    for (int i = 0; i < 35; ++i)
        picture.argb.push_back(0xFF000000u | (random() & 0xFFFFFF));
    TexturePtr texture(createTexture(7, 5, picture.argb.data()));
    ReferenceCanvas canvas{40, 30, std::vector<uint32_t>(1200, 0xFF0000FFu), {}};
    BackBuffer buffer = bufferOf(canvas);
    compositeDraw(buffer, *texture, {0, 0, 7, 5}, {static_cast<float>(sx), static_cast<float>(sy)},
                  {20, 12}, 0xFFFFFFFFu);
    // Texel (u, v) covers the pixel from 20 + sx * u to 20 + sx * (u + 1).
    std::vector<uint32_t> expected(1200, 0xFF0000FFu);
    for (int v = 0; v < 5; ++v)
        for (int u = 0; u < 7; ++u) {
            const int px = sx > 0 ? 20 + u : 20 - 1 - u;
            const int py = sy > 0 ? 12 + v : 12 - 1 - v;
            expected[py * 40 + px] = picture.argb[v * 7 + u];
        }
    EXPECT_EQ(canvas.pixels, expected);
}

INSTANTIATE_TEST_SUITE_P(Compositor, ExactLanding,
                         testing::Values(std::pair{1, 1}, std::pair{-1, 1}, std::pair{1, -1},
                                         std::pair{-1, -1}));

TEST(Compositor, KeyedTexelsLeaveTheBackgroundExactly) {
    BitmapSpec spec{4, 1, 4, {0x0000FF, 0x00FF00}, {0, 1, 0, 1}};
    const std::vector<uint8_t> bytes = buildBitmap(spec);
    TexturePtr texture(
        loadTextureFromBitmap(bytes.data(), bytes.size(), 4, 1, TextureFormat::A8R8G8B8));
    ASSERT_TRUE(texture);
    ReferenceCanvas canvas{4, 1, {0xFF112233u, 0xFF445566u, 0xFF778899u, 0xFFAABBCCu}, {}};
    BackBuffer buffer = bufferOf(canvas);
    compositeDraw(buffer, *texture, {0, 0, 4, 1}, {1, 1}, {0, 0}, 0xFFFFFFFFu);
    EXPECT_EQ(canvas.pixels,
              (std::vector<uint32_t>{0xFF112233u, 0xFF00FF00u, 0xFF778899u, 0xFF00FF00u}));
}

TEST(Compositor, DrawsThatMustDrawNothing) {
    std::mt19937 random(3);
    const Drawable drawable = randomArgb(random, 10, 8);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        SourceRect source;
        Vector2 scaling, translation;
    } cases[] = {
        {"left below 0", {-1, 0, 5, 5}, {1, 1}, {0, 0}},
        {"left past the width", {11, 0, 15, 5}, {1, 1}, {0, 0}},
        {"top below 0", {0, -1, 5, 5}, {1, 1}, {0, 0}},
        {"top past the height", {0, 9, 5, 12}, {1, 1}, {0, 0}},
        {"right before left", {5, 0, 4, 5}, {1, 1}, {0, 0}},
        {"bottom above top", {0, 5, 5, 4}, {1, 1}, {0, 0}},
        {"empty", {3, 3, 3, 3}, {1, 1}, {0, 0}},
        {"zero x scale", {0, 0, 10, 8}, {0, 1}, {0, 0}},
        {"zero y scale", {0, 0, 10, 8}, {1, 0}, {0, 0}},
        {"minus zero scale", {0, 0, 10, 8}, {-0.0f, 1}, {0, 0}},
        {"NaN scale", {0, 0, 10, 8}, {nan, 1}, {0, 0}},
        {"infinite scale", {0, 0, 10, 8}, {1, inf}, {0, 0}},
        {"NaN place", {0, 0, 10, 8}, {1, 1}, {0, nan}},
        {"infinite place", {0, 0, 10, 8}, {1, 1}, {-inf, 0}},
        {"left of the buffer", {0, 0, 10, 8}, {1, 1}, {-10, 0}},
        {"mirrored off the left", {0, 0, 10, 8}, {-1, 1}, {0, 0}},
        {"below the buffer", {0, 0, 10, 8}, {1, 1}, {0, 16}},
    };
    for (const Case& c : cases) {
        ReferenceCanvas canvas = noiseCanvas(random, 20, 16);
        const std::vector<uint32_t> before = canvas.pixels;
        BackBuffer buffer = bufferOf(canvas);
        compositeDraw(buffer, *drawable.texture, c.source, c.scaling, c.translation, 0xFFFFFFFFu);
        EXPECT_EQ(canvas.pixels, before) << c.what;
    }
}

TEST(Compositor, SourceStartingAtTheRightEdgeRepeatsTheLastColumn) {
    const uint32_t texels[] = {0xFF000001u, 0xFF000002u, 0xFF000003u};
    TexturePtr texture(createTexture(3, 1, texels));
    ReferenceCanvas canvas{4, 1, std::vector<uint32_t>(4, 0xFF0000FFu), {}};
    BackBuffer buffer = bufferOf(canvas);
    compositeDraw(buffer, *texture, {3, 0, 7, 1}, {1, 1}, {0, 0}, 0xFFFFFFFFu);
    EXPECT_EQ(canvas.pixels, std::vector<uint32_t>(4, 0xFF000003u));
}

TEST(Compositor, ClearFillsTheWholeBufferWithinItsPitch) {
    std::vector<uint32_t> memory(6 * 3, 0x12345678u);
    BackBuffer buffer{memory.data(), 4, 3, 6};
    compositeClear(buffer, 0x000000FFu);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(memory[y * 6 + x], x < 4 ? 0xFF0000FFu : 0x12345678u) << x << "," << y;
}

TEST(Compositor, TargetWithPitchBelowItsWidthIsLeftAlone) {
    std::vector<uint32_t> memory(8, 0x12345678u);
    BackBuffer buffer{memory.data(), 4, 2, 3};
    compositeClear(buffer, 0xFF0000FFu);
    const uint32_t texel = 0xFFFFFFFFu;
    TexturePtr texture(createTexture(1, 1, &texel));
    compositeDraw(buffer, *texture, {0, 0, 1, 1}, {4, 2}, {0, 0}, 0xFFFFFFFFu);
    EXPECT_EQ(memory, std::vector<uint32_t>(8, 0x12345678u));
}

TEST(Compositor, TintMultipliesColourAndAlpha) {
    const uint32_t texel = 0xFFFF8040u;
    TexturePtr texture(createTexture(1, 1, &texel));
    ReferenceCanvas canvas{1, 1, {0xFF000000u}, {}};
    BackBuffer buffer = bufferOf(canvas);
    // Half alpha, red kept, green halved, blue dropped: then half of that over black.
    compositeDraw(buffer, *texture, {0, 0, 1, 1}, {1, 1}, {0, 0}, 0x80FF8000u);
    EXPECT_EQ(canvas.pixels[0], 0xFF802000u);
}

} // namespace

} // namespace zema
