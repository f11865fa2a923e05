// Frames drawn again only where they changed, against the same frames drawn whole: random frames
// over one map, each moving, adding or dropping a few draws of the one before.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "render/frame_repaint.h"
#include "render/images.h"
#include "test_resources.h"

namespace zema {

namespace {

struct Draw {
    ImageSlot slot;
    SourceRect source;
    Vector2 scaling, translation;
};

Draw randomDraw(std::mt19937& random) {
    static const ImageSlot slots[] = {imgGate,  imgShot,   imgEnemy1,   imgGuardian,
                                      imgItem2, imgEnergy, imgCraftLeft};
    static const float scales[] = {1, 1, 1, -1, 10, -10, 3, 0.5f};
    const ImageSlot slot = slots[random() % std::size(slots)];
    const Vector2 scaling{scales[random() % std::size(scales)], random() % 4 ? 1.0f : 2.0f};
    const Vector2 at{float(int(random() % 1200) - 100), float(int(random() % 900) - 100)};
    return {slot, {0, 0, 30 + int32_t(random() % 150), 30 + int32_t(random() % 150)}, scaling, at};
}

TEST(FrameRepaint, EqualsTheWholeFrameAndChangesOnlyItsRectangles) {
    makeTestPictures();
    ASSERT_EQ(loadImages(), -1);
    forgetKeptFrames();
    constexpr int32_t width = 1024, height = 768;
    std::vector<uint32_t> kept(width * height), whole(width * height);
    BackBuffer keptBuffer{kept.data(), width, height, width};
    BackBuffer wholeBuffer{whole.data(), width, height, width};
    std::mt19937 random(20261209);
    std::vector<Draw> draws(12);
    for (Draw& draw : draws)
        draw = randomDraw(random);
    SourceRect map{0, 0, width, height};
    PixelRect changed[maxRepaintRects];
    int partial = 0;
    for (int frame = 0; frame < 300; ++frame) {
        if (random() % 4 == 0) map = {map.left + 3, map.top + 1, map.right + 3, map.bottom + 1};
        for (int k = random() % 3; k > 0; --k)
            draws[random() % draws.size()] = randomDraw(random);
        // A thing moved a step changes two rectangles that nearly cover each other.
        draws[random() % draws.size()].translation.x += float(int(random() % 5) - 2);
        if (random() % 8 == 0) draws.push_back(randomDraw(random));
        if (random() % 8 == 0 && draws.size() > 1) draws.pop_back();

        const std::vector<uint32_t> before = kept;
        keepClear(keptBuffer, 0x0000FF);
        keepDraw(keptBuffer, imgMap, map, {1, 1}, {0, 0}, 0xFFFFFFFFu);
        for (const Draw& d : draws)
            keepDraw(keptBuffer, d.slot, d.source, d.scaling, d.translation, 0xFFFFFFFFu);
        const int count = compositeKeptFrame(keptBuffer, frame > 0, changed);

        ASSERT_TRUE(compositeImageAfterClear(wholeBuffer, 0x0000FF, imgMap, map, {1, 1}, {0, 0},
                                             0xFFFFFFFFu));
        for (const Draw& d : draws)
            compositeImage(wholeBuffer, d.slot, d.source, d.scaling, d.translation, 0xFFFFFFFFu);
        ASSERT_EQ(kept, whole) << "frame " << frame;
        if (count < 0) continue;
        ++partial;
        // Outside the rectangles, the picture of the frame before.
        std::vector<bool> inside(kept.size());
        for (int r = 0; r < count; ++r)
            for (int32_t y = changed[r].top; y < changed[r].bottom; ++y)
                for (int32_t x = changed[r].left; x < changed[r].right; ++x)
                    inside[y * width + x] = true;
        for (size_t i = 0; i < kept.size(); ++i)
            ASSERT_TRUE(inside[i] || kept[i] == before[i]) << "frame " << frame << " pixel " << i;
    }
    EXPECT_GT(partial, 100); // most frames share their map with the one before
    forgetKeptFrames();
    releaseImages();
}

TEST(FrameRepaint, AThingMovedAStepIsDrawnAndShownInOneRectangle) {
    makeTestPictures();
    ASSERT_EQ(loadImages(), -1);
    forgetKeptFrames();
    constexpr int32_t width = 640, height = 480;
    std::vector<uint32_t> pixels(width * height);
    BackBuffer buffer{pixels.data(), width, height, width};
    const SourceRect enemy{0, 0, 40, 40};
    PixelRect changed[maxRepaintRects];
    int count = -1;
    for (const float x : {100.0f, 102.0f}) {
        keepClear(buffer, 0x0000FF);
        keepDraw(buffer, imgMap, {0, 0, width, height}, {1, 1}, {0, 0}, 0xFFFFFFFFu);
        keepDraw(buffer, imgEnemy1, enemy, {1, 1}, {x, 50}, 0xFFFFFFFFu);
        keepDraw(buffer, imgEnemy1, enemy, {1, 1}, {400, 300}, 0xFFFFFFFFu); // stands still
        count = compositeKeptFrame(buffer, true, changed);
    }
    PixelRect from, to;
    ASSERT_TRUE(compositeImageBounds(buffer, imgEnemy1, enemy, {1, 1}, {100, 50}, from));
    ASSERT_TRUE(compositeImageBounds(buffer, imgEnemy1, enemy, {1, 1}, {102, 50}, to));
    ASSERT_EQ(count, 1);
    EXPECT_EQ(changed[0].left, from.left);
    EXPECT_EQ(changed[0].right, to.right);
    EXPECT_EQ(changed[0].top, from.top);
    EXPECT_EQ(changed[0].bottom, from.bottom);
    forgetKeptFrames();
    releaseImages();
}

} // namespace

} // namespace zema
