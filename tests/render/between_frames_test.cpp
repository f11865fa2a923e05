// Pictures between two frames: things carried from one frame's place to the next, jumps shown at
// once, and over the whole clearing game the ends of each interval are the two frames' pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "demo/demo_readings.h"
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

// A play frame's start as the frame draws it: the clear, the map at view (x, 100), one thing.
FrameDraws frameWith(int32_t view, ImageSlot slot, float x, float y, bool inWorld = true) {
    FrameDraws frame;
    addFrameClear(frame, 0xFF0000FF);
    addFrameDraw(frame, imgMap, {view, 100, view + 400, 400}, {1, 1}, {0, 0}, 0xFFFFFFFF);
    addFrameDraw(frame, slot, {0, 0, 100, 100}, {1, 1},
                 {inWorld ? x - float(view) : x, inWorld ? y - 100 : y}, 0xFFFFFFFF);
    return frame;
}

TEST(BetweenFrames, CarriesWhatMovedAStepAndShowsJumpsAtOnce) {
    struct Case {
        const char* what;
        int32_t viewA, viewB;
        ImageSlot slot;
        float ax, ay, bx, by;     // the thing in the world
        int32_t mapHalfway;       // the map's source left halfway
        float halfwayX, halfwayY; // the thing on screen halfway
        bool inWorld = true;
    } cases[] = {
        {"enemy steps", 100, 100, imgEnemy1, 800, 900, 810, 900, 100, 705, 800},
        {"view scrolls, gate stays", 100, 150, imgGate, 400, 300, 400, 300, 125, 275, 200},
        {"guardian at its speed", 0, 0, imgGuardian, 400, 400, 400, 420, 0, 400, 310},
        {"diagonal mover restarts", 0, 0, imgEnemy2, 3710, 2500, 420, 2343, 0, 420, 2243},
        {"further than an enemy goes", 0, 0, imgEnemy1, 500, 500, 530, 500, 0, 530, 400},
        {"new game", 3000, 100, imgEnemy3, 3100, 900, 840, 900, 100, 740, 800},
        {"craft's wobble, turning", 0, 0, imgCraftLeft, 300, 195, 300, 204, 0, 300, 200, false},
    };
    for (const Case& c : cases) {
        FrameDraws between;
        drawsBetween(frameWith(c.viewA, c.slot == imgCraftLeft ? imgCraftRight : c.slot, c.ax, c.ay,
                               c.inWorld),
                     frameWith(c.viewB, c.slot, c.bx, c.by, c.inWorld), 0.5, between);
        ASSERT_EQ(between.count, 3) << c.what;
        EXPECT_EQ(between.ops[1].source.left, c.mapHalfway) << c.what;
        EXPECT_EQ(between.ops[1].source.right - between.ops[1].source.left, 400) << c.what;
        EXPECT_EQ(between.ops[1].source.bottom - between.ops[1].source.top, 300) << c.what;
        EXPECT_EQ(between.ops[2].slot, c.slot) << c.what;
        EXPECT_EQ(between.ops[2].translation.x, c.halfwayX) << c.what;
        EXPECT_EQ(between.ops[2].translation.y, c.halfwayY) << c.what;
    }
    // From the title everything is where it is; a row losing its first item keeps the second put.
    FrameDraws title, between;
    addFrameDraw(title, imgTitle, {0, 0, 800, 600}, {1, 1}, {112, 84}, 0xFFFFFFFF);
    drawsBetween(title, frameWith(150, imgEnemy1, 170, 130), 0.5, between);
    EXPECT_EQ(between.ops[1].source.left, 150);
    FrameDraws row = frameWith(0, imgItem1, 500, 300);
    addFrameDraw(row, imgItem1, {0, 0, 100, 100}, {1, 1}, {600, 200}, 0xFFFFFFFF);
    drawsBetween(row, frameWith(0, imgItem1, 600, 300), 0.5, between);
    EXPECT_EQ(between.ops[2].translation.x, 600.0f);
    // A thing whose colour changed is another look: shown where it is, not slid.
    FrameDraws tinted = frameWith(100, imgEnemy1, 800, 900);
    tinted.ops[2].colour = 0x80FFFFFF;
    drawsBetween(tinted, frameWith(100, imgEnemy1, 810, 900), 0.5, between);
    EXPECT_EQ(between.ops[2].translation.x, 710.0f);
}

// A full list drops what comes after, and writes nothing past its end.
TEST(FrameDraws, AFullListDropsWhatComesAfter) {
    static struct {
        FrameDraws frame;
        uint32_t after[16];
    } kept = {};
    FrameDraws& frame = kept.frame;
    for (int i = 0; i < maxFrameOps; ++i)
        addFrameDraw(frame, imgGate, {0, 0, 30, 30}, {1, 1}, {float(i), 0}, 0xFFFFFFFF);
    addFrameDraw(frame, imgShot, {1, 1, 30, 30}, {1, 1}, {1, 1}, 0xFFFFFFFF);
    addFrameClear(frame, 0xFF0000FF);
    EXPECT_EQ(frame.count, maxFrameOps);
    EXPECT_EQ(frame.ops[maxFrameOps - 1].translation.x, float(maxFrameOps - 1));
    for (uint32_t word : kept.after)
        EXPECT_EQ(word, 0u);
}

std::vector<uint32_t> picture(const FrameDraws& frame) {
    std::vector<uint32_t> pixels(320 * 240, 0xFF000000u);
    BackBuffer target{pixels.data(), 320, 240, 320};
    compositeFrameDraws(target, frame);
    return pixels;
}

TEST(BetweenFrames, IntervalsOfTheClearingGameEndOnTheirFrames) {
    makeTestPictures();
    ASSERT_EQ(loadImages(), -1);
    startHeadless({.width = 320, .height = 240});
    std::ifstream in(std::string(ZEMA_REPLAY_DIR) + "/clear_game.script");
    static FrameDraws before, after, between;
    long frames = 0, startsOnTheFrameBefore = 0;
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
            drawsBetween(before, after, 0, between);
            startsOnTheFrameBefore += picture(between) == picture(before);
            // Halfway nothing is further from its place than half a step: jumps are not slid.
            drawsBetween(before, after, 0.5, between);
            for (int op = 0; op < between.count; ++op) {
                const FrameOp &a = between.ops[op], &b = after.ops[op];
                EXPECT_LE(std::max({std::abs(a.translation.x - b.translation.x),
                                    std::abs(a.translation.y - b.translation.y),
                                    std::abs(float(a.source.left - b.source.left)),
                                    std::abs(float(a.source.top - b.source.top))}),
                          float(maxViewStep + maxThingStep) / 2)
                    << "frame " << frames + 1 << " draw " << op;
            }
        }
    }
    EXPECT_EQ(frames, 1986);
    // The others show a beam or an energy bar changed, a thing taken or opened, or a jump.
    EXPECT_GT(startsOnTheFrameBefore, frames / 2) << startsOnTheFrameBefore;
    releaseImages();
}

} // namespace
} // namespace zema
