// A fixture for whole frames: fresh records, a 1024 x 768 recording display, scripted input.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/input_headless.h"
#include "sound/sound_headless.h"

namespace zema {

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override { startHeadless({.seed = 5}); }

    // One frame, with the display and sound records holding only what it issued.
    static void frame() {
        clearRecordedOps();
        clearRecordedSounds();
        EXPECT_EQ(runFrame(), 1);
    }

    static void startPlaying() {
        gameState.screenMode = ModePlay;
        resetGame();
    }

    static std::vector<DisplayOpKind> deviceOps() {
        std::vector<DisplayOpKind> out;
        for (int i = 0; i < recordedOpCount; ++i)
            if (recordedOps[i].kind != DisplayOpKind::Draw) out.push_back(recordedOps[i].kind);
        return out;
    }

    static std::vector<DisplayOp> draws() {
        std::vector<DisplayOp> out;
        for (int i = 0; i < recordedOpCount; ++i)
            if (recordedOps[i].kind == DisplayOpKind::Draw) out.push_back(recordedOps[i]);
        return out;
    }

    static std::vector<DisplayOp> drawsOf(ImageSlot slot) {
        std::vector<DisplayOp> out;
        for (const DisplayOp& op : draws())
            if (op.slot == slot) out.push_back(op);
        return out;
    }

    static void parkEnemiesAway() {
        for (Enemy& e : enemies) {
            e.x = 4000;
            e.y = 4000;
        }
        enemies[guardianIndex].x = 2000; // the large box lies clear of the start place
        enemies[guardianIndex].y = 3000;
    }

    static void expectDraw(const DisplayOp& op, ImageSlot slot, SourceRect source, float scaleX,
                           float scaleY, float x, float y) {
        EXPECT_EQ(op.kind, DisplayOpKind::Draw);
        EXPECT_EQ(op.slot, slot) << imageSlotName(op.slot);
        EXPECT_EQ(op.source.left, source.left);
        EXPECT_EQ(op.source.top, source.top);
        EXPECT_EQ(op.source.right, source.right);
        EXPECT_EQ(op.source.bottom, source.bottom);
        EXPECT_EQ(op.scaling.x, scaleX) << imageSlotName(slot);
        EXPECT_EQ(op.scaling.y, scaleY) << imageSlotName(slot);
        EXPECT_EQ(op.translation.x, x) << imageSlotName(slot);
        EXPECT_EQ(op.translation.y, y) << imageSlotName(slot);
        EXPECT_EQ(op.rotationCentre.x, 1.0f);
        EXPECT_EQ(op.rotationCentre.y, 1.0f);
        EXPECT_EQ(op.rotation, 0.0f);
        EXPECT_EQ(op.colour, 0xFFFFFFFFu);
    }
};

using K = DisplayOpKind;

} // namespace zema
