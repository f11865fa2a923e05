// The embedded pictures: exactly the bitmaps the game asks for, the map drawn where the wall
// table and the goal say, and pure blue only where a pixel is meant to be transparent.
#include <SDL.h>
#include <gtest/gtest.h>

#include <set>

#include "game/world.h"
#include "render/images.h"
#include "render/resources.h"
#include "test_bitmap.h"

namespace zema {

namespace {
TestBitmap embedded(ImageSlot slot) {
    const int id = imageTable[slot].resourceId;
    Resource resource = {};
    EXPECT_TRUE(findResource(id, resource)) << id;
    return readTestBitmap(resource.data, resource.size);
}

bool insideAny(int32_t x, int32_t y) {
    auto inside = [x, y](const WorldRect& r) {
        return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
    };
    for (const WorldRect& wall : wallRects)
        if (inside(wall)) return true;
    return inside(goalRect);
}

int blueEntries(const TestBitmap& v) {
    int count = 0;
    for (uint32_t i = 0; i < v.paletteCount; ++i)
        count += paletteColour(v, i) == pureBlue;
    return count;
}
} // namespace

TEST(EmbeddedResources, FindsTheSixteenIdentifiersAndNothingElse) {
    std::set<int> wanted = {iconResourceId};
    for (const ImageSpec& spec : imageTable)
        wanted.insert(spec.resourceId);
    ASSERT_EQ(wanted.size(), 16u);
    for (int id = -5; id < 1000; ++id) {
        Resource resource = {nullptr, 0};
        const bool found = findResource(id, resource);
        EXPECT_EQ(found, wanted.count(id) == 1) << id;
        if (found) {
            EXPECT_NE(resource.data, nullptr);
            EXPECT_GT(resource.size, 54u);
        }
    }
}

TEST(GeneratedImages, HeadersSizesAndDepthsMatchTheImageTable) {
    for (const ImageSpec& e : imageTable) {
        SCOPED_TRACE(e.resourceId);
        Resource resource = {};
        ASSERT_TRUE(findResource(e.resourceId, resource));
        const TestBitmap v = readTestBitmap(resource.data, resource.size);
        ASSERT_TRUE(v.valid);
        EXPECT_EQ(v.fileSize, resource.size);
        EXPECT_EQ(v.headerSize, 40u);
        EXPECT_EQ(v.compression, 0u); // BI_RGB
        EXPECT_EQ(v.planes, 1);
        EXPECT_EQ(v.width, e.bitmapWidth);
        EXPECT_EQ(v.height, e.bitmapHeight); // positive: bottom-up rows
        EXPECT_EQ(v.bitsPerPixel, e.bitsPerPixel);
        EXPECT_EQ(v.paletteCount, e.bitsPerPixel == 4 ? 16u : 256u);
        EXPECT_EQ(v.rowBytes % 4, 0u);
        EXPECT_EQ(v.pixelOffset + v.rowBytes * v.height, resource.size);
        // Only one palette entry may be the transparent blue.
        EXPECT_LE(blueEntries(v), 1);
    }
}

TEST(GeneratedImages, MapIsBlueExactlyWhereNoWallOrGoalLies) {
    const TestBitmap map = embedded(imgMap);
    ASSERT_TRUE(map.valid);
    int64_t wrong = 0;
    for (int32_t y = 0; y < worldSize; ++y)
        for (int32_t x = 0; x < worldSize; ++x) {
            const bool blue = pixelColour(map, x, y) == pureBlue;
            if (blue == insideAny(x, y) && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") blue=" << blue;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(GeneratedImages, EveryWallIsTexturedAndTheGoalIsMarked) {
    const TestBitmap map = embedded(imgMap);
    ASSERT_TRUE(map.valid);
    for (int w = 0; w < wallCount; ++w) {
        const WorldRect& r = wallRects[w];
        std::set<uint32_t> colours;
        for (int32_t y = r.top; y <= r.bottom; y += 3)
            for (int32_t x = r.left; x <= r.right; x += 3)
                colours.insert(pixelColour(map, x, y));
        EXPECT_GE(colours.size(), 3u) << "wall " << w << " is not textured";
        EXPECT_EQ(colours.count(pureBlue), 0u) << "wall " << w;
    }
    std::set<uint32_t> goalColours;
    for (int32_t y = goalRect.top; y <= goalRect.bottom; ++y)
        for (int32_t x = goalRect.left; x <= goalRect.right; ++x)
            goalColours.insert(pixelColour(map, x, y));
    EXPECT_GE(goalColours.size(), 4u);
    // Just outside the goal the corridor is transparent again.
    EXPECT_EQ(pixelColour(map, goalRect.left - 1, goalRect.top), pureBlue);
    EXPECT_EQ(pixelColour(map, goalRect.right + 1, goalRect.bottom), pureBlue);
}

TEST(GeneratedImages, SpritesAreTransparentAroundAndOpaqueInTheMiddle) {
    for (ImageSlot id : {imgCraftRight, imgCraftLeft, imgEnemy1, imgEnemy2, imgEnemy3, imgGuardian,
                         imgItem1, imgItem2, imgItem3}) {
        SCOPED_TRACE(id);
        const TestBitmap v = embedded(id);
        ASSERT_TRUE(v.valid);
        EXPECT_EQ(pixelColour(v, 0, 0), pureBlue);
        EXPECT_EQ(pixelColour(v, v.width - 1, v.height - 1), pureBlue);
        EXPECT_NE(pixelColour(v, v.width / 2, v.height / 2), pureBlue);
    }
}

TEST(GeneratedImages, LeftCraftIsTheMirrorOfTheRightCraft) {
    const TestBitmap right = embedded(imgCraftRight), left = embedded(imgCraftLeft);
    int differences = 0;
    for (int32_t y = 0; y < 148; ++y)
        for (int32_t x = 0; x < 200; ++x)
            differences += pixelColour(right, x, y) != pixelColour(left, 199 - x, y);
    EXPECT_EQ(differences, 0);
    EXPECT_NE(pixelColour(right, 10, 74), pixelColour(right, 189, 74)) << "not symmetric itself";
}

TEST(GeneratedImages, EnemiesDifferFromOneAnother) {
    const TestBitmap a = embedded(imgEnemy1), b = embedded(imgEnemy2), c = embedded(imgEnemy3);
    int ab = 0, bc = 0, ac = 0;
    for (int32_t y = 0; y < 200; ++y)
        for (int32_t x = 0; x < 200; ++x) {
            ab += pixelColour(a, x, y) != pixelColour(b, x, y);
            bc += pixelColour(b, x, y) != pixelColour(c, x, y);
            ac += pixelColour(a, x, y) != pixelColour(c, x, y);
        }
    // At least a quarter of the pixels tell each pair apart.
    EXPECT_GT(ab, 10000);
    EXPECT_GT(bc, 10000);
    EXPECT_GT(ac, 10000);
}

TEST(GeneratedImages, TilesAreOpaqueExceptTheBeamsEdges) {
    for (ImageSlot id : {imgGate, imgEnergy}) {
        const TestBitmap v = embedded(id);
        for (int32_t y = 0; y < 30; ++y)
            for (int32_t x = 0; x < 30; ++x)
                ASSERT_NE(pixelColour(v, x, y), pureBlue) << id << " at " << x << ", " << y;
    }
    const TestBitmap beam = embedded(imgShot);
    EXPECT_EQ(pixelColour(beam, 15, 0), pureBlue);
    EXPECT_EQ(pixelColour(beam, 15, 29), pureBlue);
    // The core runs the whole width, so the beam has no gaps when stretched.
    for (int32_t x = 0; x < 30; ++x)
        EXPECT_NE(pixelColour(beam, x, 15), pureBlue);
}

TEST(GeneratedImages, TitleAndGameOverArePanelsWithTransparentCornersOnly) {
    for (ImageSlot id : {imgTitle, imgGameOver}) {
        const TestBitmap v = embedded(id);
        EXPECT_EQ(pixelColour(v, 0, 0), pureBlue) << id;
        int blue = 0;
        for (int32_t y = 0; y < v.height; ++y)
            for (int32_t x = 0; x < v.width; ++x)
                blue += pixelColour(v, x, y) == pureBlue;
        // Four rounded corners, at most radius squared pixels each.
        EXPECT_GT(blue, 0) << id;
        EXPECT_LT(blue, 4 * 28 * 28) << id;
    }
}

TEST(GeneratedImages, GameOverBannerFillsTheTopHundredRows) {
    const TestBitmap v = embedded(imgGameOver);
    std::set<uint32_t> top, bottom;
    for (int32_t y = 20; y < 90; ++y)
        for (int32_t x = 20; x < 330; ++x)
            top.insert(pixelColour(v, x, y));
    // A banner: a band of its own colours that the rest of the panel does not use as much.
    EXPECT_GE(top.size(), 4u);
    int bannerRed = 0;
    const uint32_t band = pixelColour(v, 10, 50);
    for (int32_t y = 12; y < 92; ++y)
        bannerRed += pixelColour(v, 10, y) == band;
    EXPECT_GT(bannerRed, 60);
    for (int32_t y = 110; y < 290; ++y)
        EXPECT_NE(pixelColour(v, 10, y), band) << y;
}

TEST(GeneratedImages, IconLoadsAsAnSdlSurfaceWithAlpha) {
    Resource resource = {};
    ASSERT_TRUE(findResource(iconResourceId, resource));
    SDL_RWops* stream = SDL_RWFromConstMem(resource.data, static_cast<int>(resource.size));
    SDL_Surface* icon = SDL_LoadBMP_RW(stream, 1);
    ASSERT_NE(icon, nullptr) << SDL_GetError();
    EXPECT_EQ(icon->w, 64);
    EXPECT_EQ(icon->h, 64);
    ASSERT_EQ(SDL_LockSurface(icon), 0);
    Uint8 r, g, b, a;
    const auto* pixels = static_cast<const Uint32*>(icon->pixels);
    SDL_GetRGBA(pixels[0], icon->format, &r, &g, &b, &a);
    EXPECT_EQ(a, 0) << "corner should be see-through";
    SDL_GetRGBA(pixels[32 * (icon->pitch / 4) + 32], icon->format, &r, &g, &b, &a);
    EXPECT_EQ(a, 255) << "middle of the craft should be solid";
    SDL_UnlockSurface(icon);
    SDL_FreeSurface(icon);
}

} // namespace zema
