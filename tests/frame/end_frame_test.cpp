// The frames in which a game is lost or cleared: the end tests do not end the frame.
#include "frame_fixture.h"

namespace zema {

namespace {

class EndFrameTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        startPlaying();
        parkEnemiesAway();
    }
    // An enemy standing on the craft, and energy that one more touch takes below 0.
    static void aboutToLose() {
        enemies[chaserIndex] = {1, 500, 400, 0, 0, 20};
        gameState.energy = 0;
    }
    // The craft's sprite box touching the goal's top edge from above, at its start row.
    static void atTheGoal() {
        gameState.scrollX = 300;
        gameState.scrollY = 4684 - 148 - 250;
        enemies[chaserIndex] = {1, 600, 4000, 0, 0, 20}; // the chaser homes in on the craft
    }
};

} // namespace

TEST_F(EndFrameTest, LosingFrameDrawsTheBarThenEndsTheGame) {
    aboutToLose();
    frame();
    EXPECT_EQ(gameState.energy, -5);
    EXPECT_EQ(gameState.gameOver, 1);
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    EXPECT_EQ(recordedSoundSlots(), (std::vector<SoundSlot>{sndHit, sndOver}));
    expectDraw(drawsOf(imgEnergy)[0], imgEnergy, {0, 0, 30, 30}, 0, 1, 0, 738);
    // The rest of the play part still ran: craft drawn, frame closed once.
    EXPECT_EQ(drawsOf(imgCraftRight).size(), 1u);
    EXPECT_EQ(deviceOps(), (std::vector<K>{K::Clear, K::BeginScene, K::EndScene, K::Present}));
    frame();
    ASSERT_EQ(draws().size(), 1u);
    EXPECT_EQ(draws()[0].slot, imgGameOver);
}

TEST_F(EndFrameTest, LosingFrameStillTakesItemsMovesAndShoots) {
    aboutToLose();
    startHeadlessInput(true);
    gameState.screenMode = ModePlay;
    itemRows[0].x = 560; // under the craft
    itemRows[0].y = 450;
    itemRows[1].taken = itemRows[2].taken = itemRows[3].taken = 1;
    enemies[5] = {1, 900, 400, 0, 0, 20}; // in the beam after the step right
    gameState.shotTimer = 3;
    scriptedJoystick.x = 1000;
    scriptedJoystick.fireButton = true; // refused: the game is already over
    const int32_t chaserX = enemies[chaserIndex].x;
    frame();
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    EXPECT_EQ(itemRows[0].taken, 1);
    EXPECT_EQ(gates[0].open, 1);
    EXPECT_EQ(gameState.scrollX, 250);
    EXPECT_NE(enemies[chaserIndex].x, chaserX);
    EXPECT_EQ(gameState.shotTimer, 2);
    EXPECT_EQ(enemies[5].hp, 19);
    EXPECT_EQ(recordedSoundSlots(),
              (std::vector<SoundSlot>{sndHit, sndOver, sndGet, sndDoor, sndHit}));
}

TEST_F(EndFrameTest, ClearingFrameEndsTheGameWithoutGameOver) {
    atTheGoal();
    frame();
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    EXPECT_EQ(gameState.gameOver, 0);
    EXPECT_EQ(recordedSoundSlots(), std::vector<SoundSlot>{sndClear});
    frame();
    ASSERT_EQ(draws().size(), 1u);
    EXPECT_EQ(draws()[0].slot, imgTitle);
}

TEST_F(EndFrameTest, GoalNeedsTheSpriteToTouchIt) {
    atTheGoal();
    gameState.scrollY -= 1; // one row above the goal's top edge
    frame();
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_TRUE(recordedSoundSlots().empty());
}

TEST_F(EndFrameTest, ClearingFrameStillMovesTheCraftAndTheEnemies) {
    atTheGoal();
    scriptedKeyboard.right = true;
    gameState.shotTimer = 2;
    const int32_t guardianX = enemies[guardianIndex].x;
    frame();
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    EXPECT_EQ(gameState.scrollX, 350);
    EXPECT_NE(enemies[guardianIndex].x, guardianX);
    EXPECT_EQ(gameState.shotTimer, 1);
    EXPECT_EQ(drawsOf(imgShot).size(), 1u);
}

TEST_F(EndFrameTest, LostAndClearedInOneFrameShowsGameOver) {
    atTheGoal();
    enemies[chaserIndex] = {1, 600, 4500, 0, 0, 20}; // over the craft's hit box
    gameState.energy = 3;
    frame();
    EXPECT_EQ(recordedSoundSlots(), (std::vector<SoundSlot>{sndHit, sndOver, sndClear}));
    EXPECT_EQ(gameState.gameOver, 1);
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    frame();
    EXPECT_EQ(draws()[0].slot, imgGameOver);
}

TEST_F(EndFrameTest, FiftyFramesOfContactEmptyTheBarAndTheFiftyFirstLoses) {
    enemies[chaserIndex] = {1, 500, 400, 0, 0, 20}; // swings about the craft, always touching
    for (int f = 0; f < 50; ++f) {
        frame();
        ASSERT_EQ(gameState.screenMode, ModePlay) << "frame " << f;
    }
    EXPECT_EQ(gameState.energy, 0);
    frame();
    EXPECT_EQ(gameState.energy, -5);
    EXPECT_EQ(gameState.gameOver, 1);
}

} // namespace zema
