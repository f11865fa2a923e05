// A long random soak of whole frames over both devices, checking after every frame the
// invariants the rules promise.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>

#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/collision.h"
#include "game/craft.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/input_headless.h"
#include "sound/sound_headless.h"

namespace zema {

namespace {

struct SoakCounts {
    long frames = 0, gamesStarted = 0, gamesLost = 0, shotsFired = 0, kills = 0, pickups = 0;
};

class SoakTest : public ::testing::Test {
  protected:
    // Plays frameCount random frames; Enter, Space and the joystick's start button come often
    // enough that many games start and end.
    static SoakCounts soak(bool joystick, unsigned seed, long frameCount) {
        startHeadless({.joystick = joystick, .seed = 12345});
        std::mt19937 random(seed);
        auto chance = [&](int percentTimesTen) {
            return static_cast<int>(random() % 1000) < percentTimesTen;
        };
        const int32_t axisValues[] = {-1000, -999, 0, 999, 1000, 1000, -1000};
        SoakCounts counts;
        int holdFrames = 0;
        GameState before = gameState;
        Enemy enemiesBefore[enemyCount];
        ItemRow rowsBefore[itemRowCount];
        Gate gatesBefore[gateCount];
        for (long f = 0; f < frameCount; ++f) {
            std::memcpy(enemiesBefore, enemies, sizeof enemies);
            std::memcpy(rowsBefore, itemRows, sizeof itemRows);
            std::memcpy(gatesBefore, gates, sizeof gates);
            before = gameState;

            // Key messages between frames.
            if (chance(gameState.screenMode == ModeTitle ? 40 : 2)) startGame();
            if (chance(60)) fireShot();
            // What the device holds: kept for a run of frames, so that the craft wanders far.
            if (--holdFrames <= 0) {
                holdFrames = 1 + static_cast<int>(random() % 24);
                scriptedKeyboard = {chance(300), chance(250), chance(300), chance(250)};
                scriptedJoystick = {axisValues[random() % 7], axisValues[random() % 7], chance(30),
                                    chance(150)};
            }
            scriptedDeviceReadable = !chance(10);

            clearRecordedOps();
            clearRecordedSounds();
            runFrame();
            ++counts.frames;

            const bool newGame = before.screenMode == ModeTitle && gameState.screenMode == ModePlay;
            if (newGame) ++counts.gamesStarted;
            if (gameState.gameOver == 1 && before.gameOver == 0) ++counts.gamesLost;
            if (gameState.shotTimer == 9) ++counts.shotsFired;

            EXPECT_FALSE(craftHitsWall()) << "frame " << f;
            EXPECT_FALSE(craftHitsGate()) << "frame " << f;
            EXPECT_EQ(gameState.scrollX % 50, 0) << "frame " << f;
            EXPECT_EQ(gameState.scrollY % 50, 0) << "frame " << f;
            for (int i = 0; i < enemyCount; ++i) {
                const int32_t maxHp = i == guardianIndex ? 100 : 20;
                EXPECT_GE(enemies[i].hp, 0) << "enemy " << i << " frame " << f;
                EXPECT_LE(enemies[i].hp, maxHp) << "enemy " << i << " frame " << f;
                if (!newGame && enemiesBefore[i].hp > 0 && enemies[i].hp == 0) ++counts.kills;
            }
            if (!newGame) {
                EXPECT_LE(gameState.energy, before.energy) << "frame " << f;
                for (int i = 0; i < itemRowCount; ++i) {
                    EXPECT_GE(itemRows[i].taken, rowsBefore[i].taken) << "row " << i;
                    if (itemRows[i].taken > rowsBefore[i].taken) ++counts.pickups;
                }
                for (int g = 0; g < gateCount; ++g)
                    EXPECT_FALSE(gatesBefore[g].open != 0 && gates[g].open == 0) << "gate " << g;
            }
            if (::testing::Test::HasFailure()) break; // one broken frame tells the story
        }
        std::printf(
            "soak: %ld frames, %ld games started, %ld lost, %ld shots, %ld kills, %ld pickups\n",
            counts.frames, counts.gamesStarted, counts.gamesLost, counts.shotsFired, counts.kills,
            counts.pickups);
        return counts;
    }
};

// Every frame was run, and the soak reached far enough to mean something.
void expectFarReachingSoak(const SoakCounts& counts) {
    EXPECT_EQ(counts.frames, 120000);
    EXPECT_GE(counts.gamesStarted, 100);
    EXPECT_GE(counts.gamesLost, 100);
    EXPECT_GE(counts.shotsFired, 1000);
    EXPECT_GE(counts.kills, 25);
    EXPECT_GE(counts.pickups, 200);
}

} // namespace

TEST_F(SoakTest, KeyboardGames) {
    const SoakCounts counts = soak(false, 1, 120000);
    expectFarReachingSoak(counts);
}

TEST_F(SoakTest, JoystickGames) {
    const SoakCounts counts = soak(true, 2, 120000);
    expectFarReachingSoak(counts);
}

} // namespace zema
