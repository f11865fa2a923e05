// Pictures between two frames: things carried from one frame's place to the next, jumps shown at
// once, and over the whole clearing game the ends of each interval are the two frames' pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "demo/demo_readings.h"
#include "demo/script_line.h"
#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "headless/start_headless.h"
#include "input/input_headless.h"
#include "render/between_frames.h"
#include "render/images.h"
#include "sim/sim_shot.h"
#include "test_resources.h"

namespace zema {

namespace {

struct Place {
    int32_t x, y;
};

// A play frame's start as the frame draws it: the clear, the map at view, then one thing.
FrameDraws frameWith(Place view, ImageSlot slot, Place at, bool inWorld = true) {
    FrameDraws frame;
    addFrameClear(frame, 0xFF0000FF);
    addFrameDraw(frame, imgMap, {view.x, view.y, view.x + 400, view.y + 300}, {1, 1}, {0, 0},
                 0xFFFFFFFF);
    const Place screen = inWorld ? Place{at.x - view.x, at.y - view.y} : at;
    addFrameDraw(frame, slot, {0, 0, 100, 100}, {1, 1}, {float(screen.x), float(screen.y)},
                 0xFFFFFFFF);
    return frame;
}

TEST(BetweenFrames, CarriesWhatMovedAStepAndShowsJumpsAtOnce) {
    struct Case {
        const char* what;
        Place viewA, viewB;
        ImageSlot slot;
        Place atA, atB;
        Place mapHalfway, thingHalfway; // the map's source corner and the thing's screen place
    };
    const Case cases[] = {
        {"enemy steps",
         {100, 100},
         {100, 100},
         imgEnemy1,
         {800, 900},
         {810, 900},
         {100, 100},
         {705, 800}},
        {"view scrolls, gate stays in the world",
         {100, 100},
         {150, 100},
         imgGate,
         {400, 300},
         {400, 300},
         {125, 100},
         {275, 200}},
        {"guardian at its speed",
         {0, 0},
         {0, 0},
         imgGuardian,
         {400, 400},
         {400, 420},
         {0, 0},
         {400, 410}},
        {"diagonal mover back at its restart",
         {0, 0},
         {0, 0},
         imgEnemy2,
         {3710, 2500},
         {420, 2343},
         {0, 0},
         {420, 2343}},
        {"new game",
         {3000, 4000},
         {100, 100},
         imgEnemy3,
         {3100, 4100},
         {840, 900},
         {100, 100},
         {740, 800}},
        {"further than an enemy goes",
         {0, 0},
         {0, 0},
         imgEnemy1,
         {500, 500},
         {530, 500},
         {0, 0},
         {530, 500}},
    };
    for (const Case& c : cases) {
        FrameDraws between;
        drawsBetween(frameWith(c.viewA, c.slot, c.atA), frameWith(c.viewB, c.slot, c.atB), 0.5,
                     between);
        ASSERT_EQ(between.count, 3) << c.what;
        EXPECT_EQ(between.ops[1].source.left, c.mapHalfway.x) << c.what;
        EXPECT_EQ(between.ops[1].source.top, c.mapHalfway.y) << c.what;
        EXPECT_EQ(between.ops[2].translation.x, float(c.thingHalfway.x)) << c.what;
        EXPECT_EQ(between.ops[2].translation.y, float(c.thingHalfway.y)) << c.what;
    }
}

TEST(BetweenFrames, CraftWobblesTitleAndVanishedThingsDoNotSlide) {
    FrameDraws between;
    // The craft's jitter from -5 to +4 passes through its middle.
    drawsBetween(frameWith({0, 0}, imgCraftRight, {300, 195}, false),
                 frameWith({0, 0}, imgCraftLeft, {300, 204}, false), 0.5, between);
    EXPECT_EQ(between.ops[2].translation.y, 200.0f);
    EXPECT_EQ(between.ops[2].slot, imgCraftLeft);
    // From the title, everything of the new game is where it is.
    FrameDraws title;
    addFrameClear(title, 0xFF0000FF);
    addFrameDraw(title, imgTitle, {0, 0, 800, 600}, {1, 1}, {112, 84}, 0xFFFFFFFF);
    drawsBetween(title, frameWith({100, 100}, imgEnemy1, {120, 130}), 0.5, between);
    EXPECT_EQ(between.ops[2].translation.x, 20.0f);
    EXPECT_EQ(between.ops[1].source.left, 100);
    // A row of two items loses its first: the second stays put, not slid from the first's place.
    FrameDraws two = frameWith({0, 0}, imgItem1, {500, 300});
    addFrameDraw(two, imgItem1, {0, 0, 100, 100}, {1, 1}, {600, 300}, 0xFFFFFFFF);
    drawsBetween(two, frameWith({0, 0}, imgItem1, {600, 300}), 0.5, between);
    EXPECT_EQ(between.ops[2].translation.x, 600.0f);
}

// Pixels of the list drawn at 320 x 240.
std::vector<uint32_t> picture(const FrameDraws& frame) {
    std::vector<uint32_t> pixels(320 * 240, 0xFF000000u);
    BackBuffer target{pixels.data(), 320, 240, 320};
    compositeFrameDraws(target, frame);
    return pixels;
}

bool sameOp(const FrameOp& a, const FrameOp& b) {
    return a.clear == b.clear && a.slot == b.slot && a.source.left == b.source.left &&
           a.source.top == b.source.top && a.source.right == b.source.right &&
           a.source.bottom == b.source.bottom && a.scaling.x == b.scaling.x &&
           a.scaling.y == b.scaling.y && a.translation.x == b.translation.x &&
           a.translation.y == b.translation.y && a.colour == b.colour;
}

float distance(Vector2 a, Vector2 b) {
    return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
}

TEST(BetweenFrames, IntervalsOfTheClearingGameEndOnTheirFrames) {
    makeTestPictures();
    ASSERT_EQ(loadImages(), -1);
    startHeadless({.width = 320, .height = 240});
    std::ifstream in(std::string(ZEMA_REPLAY_DIR) + "/clear_game.script");
    ASSERT_TRUE(in);
    static FrameDraws before, after, between;
    long frames = 0, sameAtStart = 0;
    for (std::string line; std::getline(in, line);) {
        ScriptCommand command;
        std::string error;
        ASSERT_TRUE(parseScriptLine(line.data(), line.size(), command, error)) << line;
        if (command.kind == ScriptCommandKind::Enter) startGame();
        if (command.kind == ScriptCommandKind::Space) fireShot();
        if (command.kind != ScriptCommandKind::Frames) continue;
        heldReadings(command, scriptedKeyboard, scriptedJoystick);
        for (long i = 0; i < command.frameCount; ++i, ++frames) {
            clearRecordedOps();
            runFrame();
            before = after;
            takeRecordedDraws(after);
            drawsBetween(before, after, 1, between);
            ASSERT_EQ(picture(between), picture(after)) << "frame " << frames + 1;
            // Where nothing appeared, vanished or jumped the start is the frame before's picture.
            drawsBetween(before, after, 0, between);
            bool same = between.count == before.count;
            for (int op = 0; same && op < between.count; ++op)
                same = sameOp(between.ops[op], before.ops[op]);
            if (same) {
                ASSERT_EQ(picture(between), picture(before)) << "frame " << frames + 1;
                ++sameAtStart;
            }
            // Halfway, nothing is further from its place in the frame than half a step.
            drawsBetween(before, after, 0.5, between);
            for (int op = 0; op < between.count; ++op) {
                const FrameOp& a = between.ops[op];
                const FrameOp& b = after.ops[op];
                EXPECT_LE(distance(a.translation, b.translation),
                          maxViewStep / 2 + maxThingStep / 2)
                    << "frame " << frames + 1 << " draw " << op;
                EXPECT_LE(distance({float(a.source.left), float(a.source.top)},
                                   {float(b.source.left), float(b.source.top)}),
                          maxViewStep / 2);
            }
        }
    }
    EXPECT_EQ(frames, 1986);
    // Most intervals start on the frame before's picture; the others hold a beam or an energy
    // bar changed, a thing taken or opened, or a jump.
    EXPECT_GT(sameAtStart, frames / 2) << sameAtStart;
    releaseImages();
}

} // namespace

} // namespace zema
