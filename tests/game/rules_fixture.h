// A fixture that gives each rules test a fresh process's records and an empty sound record.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "display/display_headless.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/input_headless.h"
#include "sound/sound_headless.h"

namespace zema {

class RulesTest : public ::testing::Test {
  protected:
    void SetUp() override { startHeadless({.reset = false}); }

    // The state of a game just started from the title screen.
    static void startPlaying() {
        gameState.screenMode = ModePlay;
        resetGame();
        clearRecordedSounds();
    }

    // Puts the view so that the craft's sprite has its top left corner at world (x, y).
    static void placeCraftSprite(int32_t x, int32_t y) {
        gameState.scrollX = x - gameState.craftX;
        gameState.scrollY = y - gameState.craftY;
    }

    // Moves every enemy far out of the way of the craft's start place.
    static void parkEnemiesAway() {
        for (int i = 0; i < enemyCount; ++i) {
            enemies[i].x = 4000;
            enemies[i].y = 4000;
        }
    }
};

} // namespace zema
