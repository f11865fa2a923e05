// The inclusive overlap test, the boxes built from the state, and the three blocking tests.
#include <utility>

#include "game/collision.h"
#include "rules_fixture.h"

namespace zema {

using CollisionTest = RulesTest;

TEST_F(CollisionTest, OverlapIncludesEdgesAndCorners) {
    EXPECT_TRUE(rectsOverlap({0, 0, 10, 10}, {10, 10, 20, 20}));
    EXPECT_TRUE(rectsOverlap({0, 0, 10, 10}, {10, 0, 20, 10}));
    EXPECT_TRUE(rectsOverlap({0, 0, 10, 10}, {0, 10, 10, 20}));
    EXPECT_FALSE(rectsOverlap({0, 0, 10, 10}, {11, 0, 20, 10}));
    EXPECT_FALSE(rectsOverlap({0, 0, 10, 10}, {0, 11, 10, 20}));
    EXPECT_FALSE(rectsOverlap({0, 0, 10, 10}, {11, 11, 20, 20}));
    EXPECT_TRUE(rectsOverlap({0, 0, 100, 100}, {40, 40, 60, 60})); // containment
}

TEST_F(CollisionTest, OverlapIsSignedAndSymmetric) {
    EXPECT_TRUE(rectsOverlap({-10, 0, 5, 5}, {0, 0, 10, 10}));
    EXPECT_FALSE(rectsOverlap({-30, -30, -1, -1}, {0, 0, 10, 10}));
    const WorldRect cases[][2] = {{{0, 0, 10, 10}, {10, 10, 20, 20}},
                                  {{0, 0, 10, 10}, {11, 0, 20, 10}},
                                  {{-10, 0, 5, 5}, {0, 0, 10, 10}},
                                  {{5, -20, 6, 40}, {0, 0, 10, 10}}};
    for (const auto& c : cases)
        EXPECT_EQ(rectsOverlap(c[0], c[1]), rectsOverlap(c[1], c[0]));
}

TEST_F(CollisionTest, CraftBoxesFollowTheViewAndTheFixedScreenPlace) {
    resetGame();
    gameState.scrollX = 1000;
    gameState.scrollY = 2000;
    const WorldRect hit = craftHitBox();
    EXPECT_EQ(hit.left, 1320);
    EXPECT_EQ(hit.top, 2270);
    EXPECT_EQ(hit.right, 1480);
    EXPECT_EQ(hit.bottom, 2378);
    const WorldRect sprite = craftSpriteBox();
    EXPECT_EQ(sprite.left, 1300);
    EXPECT_EQ(sprite.top, 2250);
    EXPECT_EQ(sprite.right, 1500);
    EXPECT_EQ(sprite.bottom, 2398);
}

TEST_F(CollisionTest, BeamBoxPointsTheWayTheCraftFaces) {
    resetGame(); // sprite at world (500, 400)
    WorldRect beam = beamBox();
    EXPECT_EQ(beam.left, 710);
    EXPECT_EQ(beam.top, 460);
    EXPECT_EQ(beam.right, 1010);
    EXPECT_EQ(beam.bottom, 490);
    gameState.facingLeft = 1;
    beam = beamBox();
    EXPECT_EQ(beam.left, 190);
    EXPECT_EQ(beam.top, 460);
    EXPECT_EQ(beam.right, 490);
    EXPECT_EQ(beam.bottom, 490);
}

TEST_F(CollisionTest, EnemyBoxSizeGoesByIndexNotKind) {
    enemies[3] = {4, 100, 200, 0, 0, 20};
    WorldRect box = enemyBox(3);
    EXPECT_EQ(box.right, 300);
    EXPECT_EQ(box.bottom, 400);
    enemies[guardianIndex] = {1, 100, 200, 0, 0, 100};
    box = enemyBox(guardianIndex);
    EXPECT_EQ(box.right, 900);
    EXPECT_EQ(box.bottom, 1000);
}

TEST_F(CollisionTest, ItemRowBoxIsOnePixelPastItsPictures) {
    const WorldRect box = itemRowBox(0); // count 2 at (690, 300)
    EXPECT_EQ(box.left, 690);
    EXPECT_EQ(box.top, 300);
    EXPECT_EQ(box.right, 890);
    EXPECT_EQ(box.bottom, 400);
    EXPECT_EQ(itemRowBox(2).right, 480 + 300);  // count 3
    EXPECT_EQ(itemRowBox(5).right, 2350 + 100); // count 1
}

TEST_F(CollisionTest, FrameWallsLimitTheView) {
    resetGame();
    // A scroll value, and whether the craft then touches a frame wall.
    const std::pair<int32_t, bool> alongX[] = {
        {100, false}, {4400, false}, {50, true}, {4450, true}};
    for (const auto& [x, blocked] : alongX) {
        gameState.scrollX = x;
        EXPECT_EQ(craftHitsWall(), blocked) << "scrollX " << x;
    }
    gameState.scrollX = 200;
    const std::pair<int32_t, bool> alongY[] = {{50, false}, {4500, false}, {0, true}, {4550, true}};
    for (const auto& [y, blocked] : alongY) {
        gameState.scrollY = y;
        EXPECT_EQ(craftHitsWall(), blocked) << "scrollY " << y;
    }
}

TEST_F(CollisionTest, EveryWallIsTestedNotOnlyTheFirst) {
    resetGame();
    // The hit box's bottom edge exactly on the top of wall 31, the last one in the table.
    placeCraftSprite(2200, 4285 - 128);
    EXPECT_TRUE(craftHitsWall());
    placeCraftSprite(2200, 4285 - 129);
    EXPECT_FALSE(craftHitsWall());
}

TEST_F(CollisionTest, OnlyClosedGatesBlock) {
    resetGame();
    // The hit box's right edge exactly on gate 0's left edge, clear of every wall.
    placeCraftSprite(1345 - 180, 1200);
    EXPECT_FALSE(craftHitsWall());
    EXPECT_TRUE(craftHitsGate());
    gates[0].open = 1;
    EXPECT_FALSE(craftHitsGate());
    gates[0].open = 0x80; // any non-zero byte is open
    EXPECT_FALSE(craftHitsGate());
    gates[0].open = 0;
    placeCraftSprite(1345 - 181, 1200);
    EXPECT_FALSE(craftHitsGate());
    // The last gate is tested too.
    placeCraftSprite(2656 - 180, 4500);
    EXPECT_TRUE(craftHitsGate());
}

TEST_F(CollisionTest, EnemyWallTestUsesTheCurrentPlace) {
    EXPECT_TRUE(enemyHitsWall(13)); // left edge on wall 0's right edge, x = 410
    enemies[13].x = 411;
    EXPECT_FALSE(enemyHitsWall(13));
    EXPECT_FALSE(enemyHitsWall(guardianIndex)); // (4000, 4000)-(4800, 4800)
    enemies[guardianIndex].x = 4080;
    EXPECT_FALSE(enemyHitsWall(guardianIndex));
    enemies[guardianIndex].x = 4100; // right edge 4900, wall 2
    EXPECT_TRUE(enemyHitsWall(guardianIndex));
}

TEST_F(CollisionTest, GatesNeverCountAsWallsForEnemies) {
    enemies[1].x = 2800; // across gate 1, (2882, 300)-(2911, 1034)
    enemies[1].y = 400;
    EXPECT_TRUE(
        rectsOverlap(enemyBox(1), {gates[1].left, gates[1].top, gates[1].right, gates[1].bottom}));
    EXPECT_FALSE(enemyHitsWall(1));
}

} // namespace zema
