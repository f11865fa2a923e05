// Whole frames from the real frame step, drawn by the compositor: where the title and
// game-over pictures stand, and the sizes of the gates, the energy bar and the beam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/input_headless.h"
#include "png/png_writer.h"
#include "render/images.h"
#include "sim/sim_shot.h"
#include "sound/sound_headless.h"
#include "test_resources.h"

namespace zema {

namespace {

constexpr uint32_t blue = 0xFF0000FFu;

struct Box {
    int32_t left = 0, top = 0, right = -1, bottom = -1; // inclusive; empty when right < left
    int32_t width() const { return right - left + 1; }
    int32_t height() const { return bottom - top + 1; }
};

class FramePicture : public testing::Test {
  protected:
    void SetUp() override {
        makeTestPictures();
        ASSERT_EQ(loadImages(), -1);
        startHeadless();
        pixels.assign(1024 * 768, 0);
    }
    void TearDown() override { releaseImages(); }

    void runOneFrame() {
        clearRecordedOps();
        clearRecordedSounds();
        runFrame();
    }
    void compositeFrame() {
        BackBuffer buffer = target();
        compositeRecordedOps(buffer);
    }
    BackBuffer target() { return {pixels.data(), 1024, 768, 1024}; }
    uint32_t at(int32_t x, int32_t y) const { return pixels[y * 1024 + x]; }

    // The picture's colour reaches exactly to the corners of the inclusive box, with blue just
    // beyond them.
    void expectPictureSpans(uint32_t colour, int32_t left, int32_t top, int32_t right,
                            int32_t bottom) const {
        EXPECT_EQ(at(left, top), colour);
        EXPECT_EQ(at(right, bottom), colour);
        EXPECT_EQ(at(left - 1, top), blue);
        EXPECT_EQ(at(left, top - 1), blue);
        EXPECT_EQ(at(right + 1, bottom), blue);
        EXPECT_EQ(at(right, bottom + 1), blue);
    }

    // The one draw of slot in the recorded frame, drawn alone on blue; the box it covers.
    Box drawAlone(ImageSlot slot, int occurrence = 0) {
        BackBuffer buffer = target();
        compositeClear(buffer, blue);
        for (int i = 0; i < recordedOpCount; ++i) {
            const DisplayOp& op = recordedOps[i];
            if (op.kind != DisplayOpKind::Draw || op.slot != slot || occurrence-- != 0) continue;
            compositeImage(buffer, op.slot, op.source, op.scaling, op.translation, op.colour);
            break;
        }
        Box box{1024, 768, -1, -1};
        for (int32_t y = 0; y < 768; ++y)
            for (int32_t x = 0; x < 1024; ++x)
                if (at(x, y) != blue) {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x);
                    box.bottom = std::max(box.bottom, y);
                }
        return box;
    }

    std::vector<uint32_t> pixels;
};

TEST_F(FramePicture, TitleStandsCentredOnBlue) {
    runOneFrame();
    compositeFrame();
    expectPictureSpans(testPictureColour(imgTitle), 112, 84, 911, 683);
    EXPECT_EQ(at(0, 0), blue);
}

TEST_F(FramePicture, GameOverPictureAfterALostGame) {
    gameState.gameOver = 1;
    runOneFrame();
    compositeFrame();
    expectPictureSpans(testPictureColour(imgGameOver), 337, 234, 686, 533);
}

TEST_F(FramePicture, FirstPlayFrameShowsTheFullEnergyBar) {
    startGame();
    runOneFrame();
    ASSERT_EQ(gameState.energy, 250); // nothing touches the craft at the start
    const Box bar = drawAlone(imgEnergy);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 768 - 30);
    EXPECT_EQ(bar.width(), 750);
    EXPECT_EQ(bar.height(), 30);
}

TEST_F(FramePicture, PlayFrameShowsTheMapAndGateZero) {
    startGame();
    // Put gate 0 on screen at (100, 50).
    gameState.scrollX = gates[0].left - 100;
    gameState.scrollY = gates[0].top - 50;
    runOneFrame();
    compositeFrame();
    // The test map is opaque throughout and runs past the world's edge: no blue is left.
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), blue), 0);

    const Box gate = drawAlone(imgGate, 0);
    EXPECT_EQ(gate.left, 100);
    EXPECT_EQ(gate.top, 50);
    EXPECT_EQ(gate.width(), 30);
    EXPECT_EQ(gate.height(), 420);

    // Whatever the energy left after contact, the bar is whole tiles of 30 pixels.
    const Box bar = drawAlone(imgEnergy);
    EXPECT_EQ(bar.width(), gameState.energy / 10 * 30);
}

TEST_F(FramePicture, EveryClosedGateIsWholeTiles) {
    // Sizes of the seven gates as drawn: 14, 24, 17, 17, 13, 21 and 16 tiles of 30 pixels.
    const int32_t widths[gateCount] = {30, 30, 510, 510, 390, 630, 30};
    const int32_t heights[gateCount] = {420, 720, 30, 30, 30, 30, 480};
    startGame();
    for (int g = 0; g < gateCount; ++g) {
        gameState.scrollX = gates[g].left - 10;
        gameState.scrollY = gates[g].top - 10;
        runOneFrame();
        const Box box = drawAlone(imgGate, g);
        EXPECT_EQ(box.left, 10) << "gate " << g;
        EXPECT_EQ(box.top, 10) << "gate " << g;
        EXPECT_EQ(box.width(), widths[g]) << "gate " << g;
        EXPECT_EQ(std::min(box.height(), 768 - 10), std::min(heights[g], 768 - 10)) << "gate " << g;
    }
}

TEST_F(FramePicture, LeftBeamEndsTenPixelsLeftOfTheCraft) {
    startGame();
    gameState.craftX = 500; // far enough from the screen's left edge to see the whole beam
    gameState.facingLeft = 1;
    fireShot();
    runOneFrame();
    const Box beam = drawAlone(imgShot);
    EXPECT_EQ(beam.left, gameState.craftX - 310);
    EXPECT_EQ(beam.right, gameState.craftX - 11);
    EXPECT_EQ(beam.top, gameState.craftY + 60);
    EXPECT_EQ(beam.height(), 30);

    gameState.facingLeft = 0;
    runOneFrame();
    const Box right = drawAlone(imgShot);
    EXPECT_EQ(right.left, gameState.craftX + 210);
    EXPECT_EQ(right.width(), 300);
}

TEST_F(FramePicture, ShotFileHoldsThePictureOfTheFrame) {
    runOneFrame();
    const std::string path = testing::TempDir() + "zema_title_shot.png";
    ASSERT_TRUE(writeFrameShot(path, 1024, 768));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::vector<uint8_t> bytes(1 << 20);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    std::remove(path.c_str());
    compositeFrame();
    EXPECT_EQ(bytes, encodePng(pixels.data(), 1024, 768, 1024));

    errno = 0;
    EXPECT_FALSE(writeFrameShot(testing::TempDir() + "no/such/folder/shot.png", 1024, 768));
    EXPECT_EQ(errno, ENOENT);
}

} // namespace

} // namespace zema
