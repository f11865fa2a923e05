// The six commands and the order in which one frame's controls are applied.
#include <cstring>

#include "game/collision.h"
#include "game/craft.h"
#include "game/items.h"
#include "rules_fixture.h"

namespace zema {

namespace {

class CraftTest : public RulesTest {
  protected:
    void SetUp() override {
        RulesTest::SetUp();
        startPlaying();
    }
};

bool sameGameState(const GameState& a, const GameState& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST_F(CraftTest, LeftStopsBeforeTheFrameWallAndStillTurns) {
    moveCraftLeft();
    EXPECT_EQ(gameState.scrollX, 150);
    moveCraftLeft();
    EXPECT_EQ(gameState.scrollX, 100);
    moveCraftLeft(); // hit box left edge would be 370, inside wall 0
    EXPECT_EQ(gameState.scrollX, 100);
    EXPECT_EQ(gameState.facingLeft, 1);
    EXPECT_EQ(gameState.scrollY, 150);
    EXPECT_TRUE(recordedSoundSlots().empty()); // a blocked step is silent
}

TEST_F(CraftTest, DownStopsWhenTheBoxWouldOnlyTouchAWallEdge) {
    moveCraftDown();
    EXPECT_EQ(gameState.scrollY, 200);
    moveCraftDown(); // bottom edge 628 is wall 4's top edge
    EXPECT_EQ(gameState.scrollY, 200);
}

TEST_F(CraftTest, StepsAvailableFromTheResetPlace) {
    for (int i = 0; i < 3; ++i)
        moveCraftUp();
    EXPECT_EQ(gameState.scrollY, 50);
    for (int i = 0; i < 13; ++i)
        moveCraftRight();
    EXPECT_EQ(gameState.scrollX, 800);
    EXPECT_EQ(gameState.facingLeft, 0);
}

TEST_F(CraftTest, VerticalMovesKeepTheFacing) {
    gameState.facingLeft = 1;
    moveCraftUp();
    moveCraftDown();
    EXPECT_EQ(gameState.facingLeft, 1);
    moveCraftRight();
    EXPECT_EQ(gameState.facingLeft, 0);
}

// One frame's controls, from the place given: left before right, up before down, the
// horizontal step before the vertical one, each step tested against the walls where the one
// before left the craft.
TEST_F(CraftTest, ControlsTogetherApplyInOrder) {
    struct Case {
        const char* what;
        int32_t x, y;
        ControlState controls;
        int32_t endX, endY, endFacingLeft;
    };
    constexpr ControlState leftRight = {true, true, false, false, false};
    constexpr ControlState upDown = {false, false, true, true, false};
    constexpr ControlState leftUp = {true, false, true, false, false};
    constexpr ControlState rightDown = {false, true, false, true, false};
    const Case cases[] = {
        {"left and right end facing right where they began", 200, 150, leftRight, 200, 150, 0},
        {"left blocked by wall 0, right free", 100, 150, leftRight, 150, 150, 0},
        {"up and down", 200, 150, upDown, 200, 150, 0},
        {"up blocked by wall 1, down free", 200, 50, upDown, 200, 100, 0},
        {"a diagonal against a wall slides", 100, 150, leftUp, 100, 100, 1},
        // Down alone is blocked here by wall 4, which ends at x 993; the right step first takes
        // the hit box past that end, so the down step that follows is free.
        {"right takes the box past a wall's end before down", 650, 200, rightDown, 700, 250, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startPlaying();
        gameState.scrollX = c.x;
        gameState.scrollY = c.y;
        applyControls(c.controls);
        EXPECT_EQ(gameState.scrollX, c.endX);
        EXPECT_EQ(gameState.scrollY, c.endY);
        EXPECT_EQ(gameState.facingLeft, c.endFacingLeft);
    }
}

TEST_F(CraftTest, AllFalseControlsChangeNothing) {
    gameState.shotTimer = 3;
    const GameState before = gameState;
    applyControls({false, false, false, false, false});
    EXPECT_TRUE(sameGameState(before, gameState));
}

TEST_F(CraftTest, ClosedGateBlocksUntilItsGroupOpensIt) {
    // The craft just left of gate 0, in the corridor below wall 6.
    gameState.scrollX = 850;
    gameState.scrollY = 900;
    moveCraftRight();
    EXPECT_EQ(gameState.scrollX, 850);
    for (int i = 0; i < 4; ++i)
        itemRows[i].taken = 1;
    openGates();
    moveCraftRight();
    EXPECT_EQ(gameState.scrollX, 900);
    EXPECT_TRUE(rectsOverlap(craftHitBox(),
                             {gates[0].left, gates[0].top, gates[0].right, gates[0].bottom}));
}

TEST_F(CraftTest, FireSetsTheTimerOnlyInAGameStillGoing) {
    gameState.shotTimer = 4;
    fireShot();
    EXPECT_EQ(gameState.shotTimer, 10);
    applyControls({false, false, false, false, true});
    EXPECT_EQ(gameState.shotTimer, 10);

    gameState.shotTimer = 2;
    gameState.gameOver = 1; // the frame in which energy fell below 0
    fireShot();
    EXPECT_EQ(gameState.shotTimer, 2);

    gameState.gameOver = 0;
    gameState.screenMode = ModeTitle; // title screen, or the goal reached this frame
    fireShot();
    EXPECT_EQ(gameState.shotTimer, 2);
}

TEST_F(CraftTest, MovesStillHappenOnceTheGameHasEnded) {
    gameState.screenMode = ModeTitle;
    applyControls({false, true, false, false, true});
    EXPECT_EQ(gameState.scrollX, 250);
    EXPECT_EQ(gameState.shotTimer, 0);
}

TEST_F(CraftTest, StartDuringPlayChangesNothing) {
    gameState.scrollX = 400;
    gameState.energy = 35;
    gameState.shotTimer = 5;
    itemRows[3].taken = 1;
    gates[0].open = 1;
    const GameState before = gameState;
    startGame();
    EXPECT_TRUE(sameGameState(before, gameState));
    EXPECT_EQ(itemRows[3].taken, 1);
    EXPECT_EQ(gates[0].open, 1);
}

TEST_F(CraftTest, StartAfterALostGameBeginsAFreshOne) {
    gameState.screenMode = ModeTitle;
    gameState.gameOver = 1;
    gameState.energy = -5;
    gameState.scrollX = 1500;
    gameState.scrollY = 2000;
    gates[4].open = 1;
    itemRows[30].taken = 1;
    startGame();
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_EQ(gameState.gameOver, 0);
    EXPECT_EQ(gameState.energy, 250);
    EXPECT_EQ(gameState.scrollX, 200);
    EXPECT_EQ(gameState.scrollY, 150);
    EXPECT_EQ(gates[4].open, 0);
    EXPECT_EQ(itemRows[30].taken, 0);
}

} // namespace zema
