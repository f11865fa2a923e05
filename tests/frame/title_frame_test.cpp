// Title frames: their device operations, the picture they show, and the joystick's start.
#include <cstring>

#include "frame_fixture.h"

namespace zema {

namespace {

bool sameEnemies(const Enemy* a, const Enemy* b) {
    return std::memcmp(a, b, sizeof(Enemy) * enemyCount) == 0;
}

} // namespace

TEST_F(FrameTest, FirstFrameShowsTheTitleOnBlue) {
    frame();
    ASSERT_EQ(recordedOpCount, 6);
    EXPECT_EQ(recordedOps[0].kind, K::BeginScene);
    EXPECT_EQ(recordedOps[1].kind, K::Clear);
    EXPECT_EQ(recordedOps[1].colour, 0xFF0000FFu);
    EXPECT_EQ(recordedOps[2].kind, K::Present); // inside the scene, before the draw
    expectDraw(recordedOps[3], imgTitle, {0, 0, 800, 600}, 1, 1, 112, 84);
    EXPECT_EQ(recordedOps[4].kind, K::EndScene);
    EXPECT_EQ(recordedOps[5].kind, K::Present);
    EXPECT_TRUE(recordedSoundSlots().empty());
}

TEST_F(FrameTest, TitleAfterALostGameShowsTheGameOverPicture) {
    gameState.gameOver = 1;
    frame();
    const std::vector<DisplayOp> d = draws();
    ASSERT_EQ(d.size(), 1u);
    expectDraw(d[0], imgGameOver, {0, 0, 350, 300}, 1, 1, 337, 234);
}

TEST_F(FrameTest, TitleIsCentredWithHalvesRoundedDown) {
    startHeadlessDisplay(1025, 769);
    frame();
    expectDraw(draws()[0], imgTitle, {0, 0, 800, 600}, 1, 1, 112, 84);
    startHeadlessDisplay(800, 600);
    gameState.gameOver = 1;
    frame();
    expectDraw(draws()[0], imgGameOver, {0, 0, 350, 300}, 1, 1, 225, 150);
}

TEST_F(FrameTest, TitleFramesRunNoRule) {
    gameState.shotTimer = 6;
    gameState.energy = 40;
    Enemy before[enemyCount];
    std::memcpy(before, enemies, sizeof enemies);
    for (int i = 0; i < 5; ++i)
        frame();
    EXPECT_TRUE(sameEnemies(before, enemies));
    EXPECT_EQ(gameState.shotTimer, 6); // counted down in play only
    EXPECT_EQ(gameState.energy, 40);
    EXPECT_EQ(gameState.screenMode, ModeTitle);
}

TEST_F(FrameTest, TitleInputsThatStartNothing) {
    struct Case {
        const char* what;
        bool joystick, fireButton, startButton, readable;
        int32_t x;
    };
    const Case cases[] = {
        {"keyboard in use: the start button is never read", false, false, true, true, 0},
        {"joystick: the first button and the stick wait for the second", true, true, false, true,
         1000},
        {"joystick that cannot be read", true, false, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startHeadlessInput(c.joystick);
        scriptedJoystick.fireButton = c.fireButton;
        scriptedJoystick.startButton = c.startButton;
        scriptedJoystick.x = c.x;
        scriptedDeviceReadable = c.readable;
        frame();
        EXPECT_EQ(gameState.screenMode, ModeTitle);
        EXPECT_EQ(recordedOpCount, 6);
    }
}

TEST_F(FrameTest, JoystickStartRunsTheNewGamesPlayPartInTheSameFrame) {
    startHeadlessInput(true);
    gameState.gameOver = 1; // after a lost game
    gameState.energy = -5;
    scriptedJoystick.startButton = true;
    frame();
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_EQ(gameState.gameOver, 0);
    EXPECT_EQ(gameState.energy, 250);
    // The picture of the title part, then the whole play part of the new game.
    EXPECT_EQ(recordedOps[0].kind, K::BeginScene);
    EXPECT_EQ(recordedOps[1].kind, K::Clear);
    EXPECT_EQ(recordedOps[2].kind, K::Present);
    expectDraw(recordedOps[3], imgGameOver, {0, 0, 350, 300}, 1, 1, 337, 234);
    EXPECT_EQ(recordedOps[4].kind, K::Clear);
    EXPECT_EQ(recordedOps[5].kind, K::BeginScene);
    expectDraw(recordedOps[6], imgMap, {200, 150, 1224, 918}, 1, 1, 0, 0);
    EXPECT_EQ(deviceOps(), (std::vector<K>{K::BeginScene, K::Clear, K::Present, K::Clear,
                                           K::BeginScene, K::EndScene, K::Present}));
    EXPECT_EQ(draws().size(), 1u + 128u);
    // The rules ran once: the chaser took its first step.
    EXPECT_EQ(enemies[chaserIndex].x, 3995);
    EXPECT_EQ(enemies[chaserIndex].y, 695);
}

} // namespace zema
