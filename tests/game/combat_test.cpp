// The beam's hits and the contact damage, each enemy counted on its own.
#include "game/collision.h"
#include "game/combat.h"
#include "rules_fixture.h"

namespace zema {

namespace {

// Craft sprite at world (500, 400): beam facing right (710, 460)-(1010, 490), facing left
// (190, 460)-(490, 490), hit box (520, 420)-(680, 528).
class CombatTest : public RulesTest {
  protected:
    void SetUp() override {
        RulesTest::SetUp();
        startPlaying();
        parkEnemiesAway();
        enemies[guardianIndex].x = -2000; // its large box reaches far
        enemies[guardianIndex].y = 0;
    }
};

} // namespace

TEST_F(CombatTest, WholeShotTakesTenHpAndTwoShotsDestroy) {
    enemies[5].x = 800;
    enemies[5].y = 400;
    for (int f = 0; f < 10; ++f)
        applyShotHits();
    EXPECT_EQ(enemies[5].hp, 10);
    EXPECT_EQ(recordedSoundSlots(), std::vector<SoundSlot>(10, sndHit));
    for (int f = 0; f < 10; ++f)
        applyShotHits();
    EXPECT_EQ(enemies[5].hp, 0);
}

TEST_F(CombatTest, DestroyedEnemyIsPassedOverSilently) {
    enemies[5] = {1, 800, 400, 0, 0, 1};
    applyShotHits();
    EXPECT_EQ(enemies[5].hp, 0);
    clearRecordedSounds();
    applyShotHits();
    EXPECT_EQ(enemies[5].hp, 0);
    EXPECT_TRUE(recordedSoundSlots().empty());
}

TEST_F(CombatTest, GuardianNeedsAHundredBeamFrames) {
    enemies[guardianIndex].x = 900;
    enemies[guardianIndex].y = 100;
    for (int f = 0; f < 99; ++f)
        applyShotHits();
    EXPECT_EQ(enemies[guardianIndex].hp, 1);
    applyShotHits();
    EXPECT_EQ(enemies[guardianIndex].hp, 0);
}

TEST_F(CombatTest, BeamEdgesAreInclusive) {
    enemies[0].x = 1010; // left edge on the beam's far end
    enemies[0].y = 490;  // top edge on the beam's bottom
    enemies[1].x = 1011;
    enemies[1].y = 400;
    enemies[2].x = 800;
    enemies[2].y = 491;
    enemies[3].x = 510; // right edge 710 on the beam's near end
    enemies[3].y = 260; // bottom edge 460 on the beam's top
    applyShotHits();
    EXPECT_EQ(enemies[0].hp, 19);
    EXPECT_EQ(enemies[1].hp, 20);
    EXPECT_EQ(enemies[2].hp, 20);
    EXPECT_EQ(enemies[3].hp, 19);
}

TEST_F(CombatTest, BeamFacingLeftCoversTheOtherSide) {
    gameState.facingLeft = 1;
    enemies[0].x = -10; // right edge 190 on the beam's far end
    enemies[0].y = 400;
    enemies[1].x = 800; // in front of the craft's right side: not hit
    enemies[1].y = 400;
    enemies[2].x = 490; // left edge on the beam's near end
    enemies[2].y = 400;
    applyShotHits();
    EXPECT_EQ(enemies[0].hp, 19);
    EXPECT_EQ(enemies[1].hp, 20);
    EXPECT_EQ(enemies[2].hp, 19);
}

TEST_F(CombatTest, EveryCoveredEnemyLosesOneHpWithItsOwnSound) {
    enemies[4].x = 750;
    enemies[4].y = 400;
    enemies[9].x = 900;
    enemies[9].y = 350;
    enemies[guardianIndex].x = 950;
    enemies[guardianIndex].y = 0;
    applyShotHits();
    EXPECT_EQ(enemies[4].hp, 19);
    EXPECT_EQ(enemies[9].hp, 19);
    EXPECT_EQ(enemies[guardianIndex].hp, 99);
    EXPECT_EQ(recordedSoundSlots(), std::vector<SoundSlot>(3, sndHit));
}

TEST_F(CombatTest, GuardianRowUsesTheLargeBox) {
    // Only an 800-pixel box reaches the beam from here.
    enemies[guardianIndex].x = 1000 - 800 + 10;
    enemies[guardianIndex].y = -100;
    applyShotHits();
    EXPECT_EQ(enemies[guardianIndex].hp, 99);
    enemies[3] = enemies[guardianIndex];
    enemies[3].hp = 20;
    applyShotHits();
    EXPECT_EQ(enemies[3].hp, 20);
}

TEST_F(CombatTest, OneTouchingEnemyDrainsFiveAFrameWithoutStoppingAtZero) {
    enemies[7].x = 500;
    enemies[7].y = 400;
    for (int f = 0; f < 50; ++f)
        applyContactDamage();
    EXPECT_EQ(gameState.energy, 0);
    applyContactDamage();
    EXPECT_EQ(gameState.energy, -5);
    EXPECT_EQ(recordedSoundSlots(), std::vector<SoundSlot>(51, sndHit));
}

TEST_F(CombatTest, EachTouchingEnemyCountsOnItsOwn) {
    enemies[0].x = 320; // right edge 520 on the hit box's left edge
    enemies[0].y = 400;
    enemies[10].x = 680; // left edge on the hit box's right edge
    enemies[10].y = 300;
    enemies[guardianIndex].x = 0;
    enemies[guardianIndex].y = 420 - 800; // bottom edge on the hit box's top edge
    enemies[11].x = 681;                  // one pixel clear
    enemies[11].y = 400;
    applyContactDamage();
    EXPECT_EQ(gameState.energy, 235);
    EXPECT_EQ(recordedSoundSlots(), std::vector<SoundSlot>(3, sndHit));
}

TEST_F(CombatTest, DestroyedEnemyCostsNothing) {
    enemies[7] = {1, 500, 400, 0, 0, 0};
    enemies[guardianIndex] = {4, 200, 200, 0, 0, 0};
    applyContactDamage();
    EXPECT_EQ(gameState.energy, 250);
    EXPECT_TRUE(recordedSoundSlots().empty());
}

TEST_F(CombatTest, BeamIgnoresWallsAndGates) {
    // Facing right at (2450, 3950) the beam runs over wall 31's corner into the guardian's lane.
    placeCraftSprite(2450, 3950);
    enemies[guardianIndex].x = 2680;
    enemies[guardianIndex].y = 4000;
    applyShotHits();
    EXPECT_EQ(enemies[guardianIndex].hp, 99);
}

} // namespace zema
