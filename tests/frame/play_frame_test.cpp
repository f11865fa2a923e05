// Play frames: every draw with its arguments at a known state, and where each rule runs.
#include <set>

#include "frame_fixture.h"
#include "game/craft.h"
#include "game/random.h"

namespace zema {

namespace {

class PlayFrameTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        startPlaying();
    }
};

int expectedFirstJitter(unsigned seed) {
    srand(seed);
    return rand() % 10 - 5;
}

} // namespace

TEST_F(PlayFrameTest, ResetStateDrawsEveryThingInOrder) {
    Enemy before[enemyCount];
    for (int i = 0; i < enemyCount; ++i)
        before[i] = enemies[i];
    frame();
    EXPECT_EQ(deviceOps(), (std::vector<K>{K::Clear, K::BeginScene, K::EndScene, K::Present}));
    EXPECT_EQ(recordedOps[0].kind, K::Clear);
    EXPECT_EQ(recordedOps[0].colour, 0xFF0000FFu);
    EXPECT_EQ(recordedOps[1].kind, K::BeginScene);
    const std::vector<DisplayOp> d = draws();
    ASSERT_EQ(d.size(), 128u); // map, 7 gates, 25 enemies, 93 items, energy, craft
    size_t k = 0;
    expectDraw(d[k++], imgMap, {200, 150, 1224, 918}, 1, 1, 0, 0);
    const float gateScales[gateCount][2] = {{1, 14}, {1, 24}, {17, 1}, {17, 1},
                                            {13, 1}, {21, 1}, {1, 16}};
    for (int g = 0; g < gateCount; ++g)
        expectDraw(d[k++], imgGate, {0, 0, 30, 30}, gateScales[g][0], gateScales[g][1],
                   static_cast<float>(gates[g].left - 200), static_cast<float>(gates[g].top - 150));
    for (int i = 0; i < enemyCount; ++i) {
        const Enemy& e = before[i]; // drawn before they move
        if (i == guardianIndex)
            expectDraw(d[k++], imgGuardian, {0, 0, 800, 800}, 1, 1, 3800, 3850);
        else
            expectDraw(d[k++], static_cast<ImageSlot>(imgEnemy1 + e.kind - 1), {0, 0, 200, 200}, 1,
                       1, static_cast<float>(e.x - 200), static_cast<float>(e.y - 150));
    }
    for (const ItemRow& row : itemRows)
        for (int j = 0; j < row.count; ++j)
            expectDraw(d[k++], static_cast<ImageSlot>(imgItem1 + row.kind - 1), {0, 0, 100, 100}, 1,
                       1, static_cast<float>(row.x + 100 * j - 200),
                       static_cast<float>(row.y - 150));
    expectDraw(d[k++], imgEnergy, {0, 0, 30, 30}, 25, 1, 0, 738);
    expectDraw(d[k++], imgCraftRight, {0, 0, 200, 148}, 1, 1, 300,
               static_cast<float>(250 + expectedFirstJitter(5)));
    EXPECT_EQ(k, d.size());
    EXPECT_EQ(recordedOps[recordedOpCount - 2].kind, K::EndScene);
    EXPECT_EQ(recordedOps[recordedOpCount - 1].kind, K::Present);
}

TEST_F(PlayFrameTest, GoneThingsAreNotDrawn) {
    gates[1].open = 1;
    gates[5].open = 0x40;
    enemies[0].hp = 0;
    enemies[7].hp = -2;
    enemies[guardianIndex].hp = 0;
    enemies[3].kind = 9;   // outside 1 to 4: nothing to draw
    itemRows[2].taken = 1; // three pictures
    itemRows[49].taken = 1;
    frame();
    EXPECT_EQ(draws().size(), 128u - 2 - 4 - 4);
    EXPECT_EQ(drawsOf(imgGate).size(), 5u);
    EXPECT_EQ(drawsOf(imgGuardian).size(), 0u);
}

TEST_F(PlayFrameTest, GateScalesDropTheFraction) {
    gates[0] = {100, 100, 100 + 58, 100 + 28, 0}; // 59 x 29: one tile wide, none high
    frame();
    expectDraw(drawsOf(imgGate)[0], imgGate, {0, 0, 30, 30}, 1, 0, -100, -50);
}

TEST_F(PlayFrameTest, EnergyBarScaleTruncatesTowardZero) {
    const int energies[][2] = {{250, 25}, {249, 24}, {10, 1},   {9, 0},
                               {0, 0},    {-9, 0},   {-15, -1}, {-20, -2}};
    for (const auto& c : energies) {
        gameState.screenMode = ModePlay;
        parkEnemiesAway();
        gameState.energy = c[0];
        frame();
        const std::vector<DisplayOp> bar = drawsOf(imgEnergy);
        ASSERT_EQ(bar.size(), 1u);
        expectDraw(bar[0], imgEnergy, {0, 0, 30, 30}, static_cast<float>(c[1]), 1, 0, 738);
    }
}

TEST_F(PlayFrameTest, EnergyBarShowsTheEnergyAfterContactDamage) {
    parkEnemiesAway();
    enemies[4].x = 500;
    enemies[4].y = 400;
    enemies[9].x = 560;
    enemies[9].y = 400;
    frame();
    EXPECT_EQ(gameState.energy, 240);
    EXPECT_EQ(drawsOf(imgEnergy)[0].scaling.x, 24.0f);
    EXPECT_EQ(recordedSoundSlots(), (std::vector<SoundSlot>{sndHit, sndHit}));
}

TEST_F(PlayFrameTest, JitterIsOneFreshValueFromMinusFiveToFour) {
    std::set<int> seen;
    for (int f = 0; f < 400; ++f) {
        gameState.energy = 250;
        frame();
        const std::vector<DisplayOp> craft = drawsOf(imgCraftRight);
        ASSERT_EQ(craft.size(), 1u);
        const int jitter = static_cast<int>(craft[0].translation.y) - 250;
        ASSERT_GE(jitter, -5);
        ASSERT_LE(jitter, 4);
        EXPECT_EQ(craft[0].translation.x, 300.0f);
        seen.insert(jitter);
        if (gameState.screenMode != ModePlay) break;
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST_F(PlayFrameTest, JitterFollowsTheResetSeed) {
    for (unsigned seed : {1u, 2u, 99u}) {
        useFixedSeed(seed);
        gameState.screenMode = ModePlay;
        resetGame();
        frame();
        EXPECT_EQ(drawsOf(imgCraftRight)[0].translation.y,
                  static_cast<float>(250 + expectedFirstJitter(seed)));
    }
}

TEST_F(PlayFrameTest, WorldIsDrawnBeforeTheMoveAndTheCraftAfterIt) {
    scriptedKeyboard.left = true;
    frame();
    EXPECT_EQ(gameState.scrollX, 150);
    expectDraw(drawsOf(imgMap)[0], imgMap, {200, 150, 1224, 918}, 1, 1, 0, 0);
    EXPECT_EQ(drawsOf(imgCraftRight).size(), 0u);
    EXPECT_EQ(drawsOf(imgCraftLeft).size(), 1u);
    scriptedKeyboard.left = false;
    frame();
    expectDraw(drawsOf(imgMap)[0], imgMap, {150, 150, 1174, 918}, 1, 1, 0, 0);
}

TEST_F(PlayFrameTest, MapSourceMayReachPastTheWorldsEdge) {
    gameState.scrollX = 4400;
    gameState.scrollY = 4500;
    frame();
    expectDraw(drawsOf(imgMap)[0], imgMap, {4400, 4500, 5424, 5268}, 1, 1, 0, 0);
}

TEST_F(PlayFrameTest, LastBeamFrameDrawsOnceAndHitsOnce) {
    parkEnemiesAway();
    enemies[5].x = 800; // in the beam before and after the enemies move
    enemies[5].y = 390;
    enemies[5].vy = 10;
    gameState.shotTimer = 1;
    frame();
    EXPECT_EQ(gameState.shotTimer, 0);
    const std::vector<DisplayOp> beam = drawsOf(imgShot);
    ASSERT_EQ(beam.size(), 1u);
    expectDraw(beam[0], imgShot, {0, 0, 30, 30}, 10, 1, 510, 310); // no jitter
    EXPECT_EQ(enemies[5].hp, 19);
    frame();
    EXPECT_EQ(drawsOf(imgShot).size(), 0u);
    EXPECT_EQ(enemies[5].hp, 19);
}

TEST_F(PlayFrameTest, BeamFacingLeftIsMirroredToTheLeft) {
    gameState.facingLeft = 1;
    gameState.shotTimer = 3;
    frame();
    EXPECT_EQ(gameState.shotTimer, 2);
    expectDraw(drawsOf(imgShot)[0], imgShot, {0, 0, 30, 30}, -10, 1, 290, 310);
}

TEST_F(PlayFrameTest, SpaceGivesTenBeamFramesWithTenHits) {
    parkEnemiesAway();
    enemies[guardianIndex] = {4, 750, 100, 0, 0, 100}; // covers the beam, holds still
    fireShot();
    int beams = 0;
    for (int f = 0; f < 12; ++f) {
        gameState.energy = 250;
        frame();
        beams += static_cast<int>(drawsOf(imgShot).size());
    }
    EXPECT_EQ(beams, 10);
    EXPECT_EQ(enemies[guardianIndex].hp, 90);
    EXPECT_EQ(gameState.shotTimer, 0);
}

TEST_F(PlayFrameTest, JoystickFireShowsTheBeamInTheSameFrame) {
    startHeadlessInput(true);
    scriptedJoystick.fireButton = true;
    scriptedJoystick.x = -1000; // turn left and step in the same frame
    frame();
    EXPECT_EQ(gameState.shotTimer, 9);
    EXPECT_EQ(gameState.scrollX, 150);
    expectDraw(drawsOf(imgShot)[0], imgShot, {0, 0, 30, 30}, -10, 1, 290, 310);
}

TEST_F(PlayFrameTest, ItemsTakenInAFrameAreDrawnThatFrameAndGoneAfter) {
    gameState.scrollY = 50;  // hit box (520, 320)-(680, 428): no row yet
    gameState.scrollX = 250; // (570, 320)-(730, 428) touches row 0 at (690, 300)
    frame();
    EXPECT_EQ(itemRows[0].taken, 1);
    EXPECT_EQ(recordedSoundSlots(), std::vector<SoundSlot>{sndGet});
    EXPECT_EQ(draws().size(), 128u); // still drawn in the frame it was taken
    frame();
    EXPECT_EQ(draws().size(), 126u);
}

TEST_F(PlayFrameTest, RowReachedByThisFramesStepIsTakenInTheNext) {
    gameState.scrollY = 50; // hit box (520, 320)-(680, 428), just left of row 0
    scriptedKeyboard.right = true;
    frame();
    EXPECT_EQ(gameState.scrollX, 250);
    EXPECT_EQ(itemRows[0].taken, 0);
    scriptedKeyboard.right = false;
    scriptedKeyboard.left = true; // stepping away again: the pick-up comes first
    frame();
    EXPECT_EQ(gameState.scrollX, 200);
    EXPECT_EQ(itemRows[0].taken, 1);
}

TEST_F(PlayFrameTest, GateOpenedInAFrameLetsTheCraftThroughInThatFrame) {
    for (int i = 0; i < 4; ++i)
        itemRows[i].taken = 1; // the group is complete; openGates has not run yet
    gameState.scrollX = 850;   // just left of gate 0
    gameState.scrollY = 900;
    scriptedKeyboard.right = true;
    frame();
    EXPECT_EQ(gates[0].open, 1);
    EXPECT_EQ(gameState.scrollX, 900);
    EXPECT_EQ(drawsOf(imgGate).size(), 7u); // still drawn closed in that frame
}

} // namespace zema
