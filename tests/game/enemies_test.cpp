// Enemy patterns: bouncers, the chaser's swing, the diagonal movers' jumps and the guardian's
// chained turns.
#include <algorithm>

#include "game/collision.h"
#include "game/enemies.h"
#include "rules_fixture.h"

namespace zema {

namespace {

class EnemiesTest : public RulesTest {
  protected:
    void SetUp() override {
        RulesTest::SetUp();
        startPlaying(); // craft sprite at world (500, 400), holding still
    }
};

void expectPlace(int i, int32_t x, int32_t y) {
    EXPECT_EQ(enemies[i].x, x) << "enemy " << i;
    EXPECT_EQ(enemies[i].y, y) << "enemy " << i;
}

void stepEnemies(int frames) {
    for (int f = 0; f < frames; ++f)
        moveEnemies();
}

} // namespace

TEST_F(EnemiesTest, VerticalBouncerMovesIntoContactThenTurns) {
    enemies[2] = {1, 1700, 291, 0, -10, 20}; // one row below wall 1's bottom edge (290)
    moveEnemies();
    EXPECT_EQ(enemies[2].y, 281); // the turn is decided before the move
    EXPECT_EQ(enemies[2].vy, -10);
    EXPECT_TRUE(enemyHitsWall(2));
    moveEnemies();
    EXPECT_EQ(enemies[2].y, 291);
    EXPECT_EQ(enemies[2].vy, 10);
    moveEnemies();
    expectPlace(2, 1700, 301);
}

TEST_F(EnemiesTest, HorizontalBouncersRunTheirCorridorsBetweenTheFrameWalls) {
    int32_t min22 = enemies[22].x, max22 = min22, min23 = enemies[23].x, max23 = min23;
    for (int f = 0; f < 2000; ++f) {
        moveEnemies();
        min22 = std::min(min22, enemies[22].x);
        max22 = std::max(max22, enemies[22].x);
        min23 = std::min(min23, enemies[23].x);
        max23 = std::max(max23, enemies[23].x);
        ASSERT_EQ(enemies[22].y, 2938);
        ASSERT_EQ(enemies[23].y, 2938);
        ASSERT_EQ(std::abs(enemies[22].vx), 10);
    }
    EXPECT_EQ(min22, 409);
    EXPECT_EQ(max22, 4709);
    EXPECT_EQ(min23, 404);
    EXPECT_EQ(max23, 4704);
}

TEST_F(EnemiesTest, GatesDoNotTurnEnemies) {
    enemies[1] = {2, 2800, 400, 0, 10, 20}; // across gate 1, touching no wall
    moveEnemies();
    EXPECT_EQ(enemies[1].y, 410);
    EXPECT_EQ(enemies[1].vy, 10);
}

TEST_F(EnemiesTest, DeadEnemiesKeepMovingAndKeepTheirHp) {
    enemies[2].hp = 0;
    enemies[chaserIndex].hp = -3;
    stepEnemies(5);
    EXPECT_EQ(enemies[2].y, 610);
    EXPECT_EQ(enemies[2].hp, 0);
    EXPECT_EQ(enemies[chaserIndex].x, 3975);
    EXPECT_EQ(enemies[chaserIndex].hp, -3);
}

TEST_F(EnemiesTest, ChaserHomesInThroughWallsAndSwingsAboutTheTarget) {
    moveEnemies();
    expectPlace(chaserIndex, 3995, 695);
    stepEnemies(59);
    EXPECT_EQ(enemies[chaserIndex].y, 400);
    stepEnemies(640);
    EXPECT_EQ(enemies[chaserIndex].x, 500);
    // An equal coordinate keeps the old velocity: a swing of period four on each axis.
    const int32_t xs[] = {495, 500, 505, 500, 495, 500, 505, 500};
    for (int32_t x : xs) {
        moveEnemies();
        EXPECT_EQ(enemies[chaserIndex].x, x);
        EXPECT_GE(enemies[chaserIndex].y, 395);
        EXPECT_LE(enemies[chaserIndex].y, 405);
    }
}

TEST_F(EnemiesTest, ChaserFollowsTheViewNotTheScreenPlace) {
    enemies[chaserIndex] = {1, 1000, 1000, 0, 0, 20};
    gameState.scrollX = 1000; // target (1300, 400)
    moveEnemies();
    expectPlace(chaserIndex, 1005, 995);
    enemies[chaserIndex] = {1, 1300, 400, 5, -5, 20}; // on the target: velocity kept
    moveEnemies();
    expectPlace(chaserIndex, 1305, 395);
}

TEST_F(EnemiesTest, DownRightMoverSlidesAlongAWallItTouches) {
    moveEnemies(); // enemy 13 starts on wall 0's right edge
    expectPlace(13, 420, 2333);
    moveEnemies();
    expectPlace(13, 430, 2343);
    EXPECT_EQ(enemies[13].vx, 0); // velocities are left alone
    EXPECT_EQ(enemies[13].vy, 0);
}

TEST_F(EnemiesTest, DownRightMoverJumpsBackTheFrameAfterPassingItsLimit) {
    enemies[13] = {2, 3700, 3000, 0, 0, 20}; // free of walls
    moveEnemies();
    // x equal to the limit does not jump
    expectPlace(13, 3710, 3010);
    moveEnemies();
    expectPlace(13, 420, 2343);
}

TEST_F(EnemiesTest, SecondDownRightMoverReachesItsLimitAndRestarts) {
    int frames = 0;
    while (enemies[20].x < 4707 && frames < 1000) {
        moveEnemies();
        ++frames;
    }
    ASSERT_EQ(enemies[20].x, 4707); // from 4437 in steps of 10
    moveEnemies();
    expectPlace(20, 1447, 3090);
}

TEST_F(EnemiesTest, UpLeftMoverJumpsBackToItsRestartPoint) {
    int32_t lowest = enemies[18].x;
    int frames = 0;
    while (enemies[18].x > 404 && frames < 1000) {
        moveEnemies();
        lowest = std::min(lowest, enemies[18].x);
        ++frames;
    }
    ASSERT_EQ(enemies[18].x, 404);
    moveEnemies();
    expectPlace(18, 4024, 2926);
    EXPECT_EQ(lowest, 404);
}

TEST_F(EnemiesTest, UpLeftMoverAtExactlyTheLimitDoesNotJump) {
    enemies[19] = {2, 410, 3000, 0, 0, 20}; // on wall 0's right edge: held at its height
    moveEnemies();
    expectPlace(19, 400, 3000);
    moveEnemies();
    expectPlace(19, 4024, 2926);
}

TEST_F(EnemiesTest, UpLeftMoverHeldAtAWallKeepsItsHeight) {
    enemies[19] = {2, 3000, 3611, 0, 0, 20}; // top edge one row below wall 25
    moveEnemies();
    // moved into contact
    expectPlace(19, 2990, 3601);
    moveEnemies();
    // touching: pushed down 10, then up 10
    expectPlace(19, 2980, 3601);
}

TEST_F(EnemiesTest, GuardianTurnsAtTheFrameWallAndPatrolsHorizontally) {
    const int32_t xs[] = {4020, 4040, 4060, 4080, 4100, 4080};
    for (int32_t x : xs) {
        moveEnemies();
        EXPECT_EQ(enemies[guardianIndex].x, x);
        EXPECT_EQ(enemies[guardianIndex].y, 4000);
    }
    int32_t lowest = 5000, highest = 0;
    for (int f = 0; f < 500; ++f) {
        moveEnemies();
        lowest = std::min(lowest, enemies[guardianIndex].x);
        highest = std::max(highest, enemies[guardianIndex].x);
        ASSERT_EQ(enemies[guardianIndex].y, 4000);
        ASSERT_EQ(enemies[guardianIndex].vy, 0);
    }
    EXPECT_EQ(lowest, 2680); // wall 31's right edge is 2685
    EXPECT_EQ(highest, 4100);
}

TEST_F(EnemiesTest, GuardianRulesChainWithinOneStep) {
    Enemy& g = enemies[guardianIndex];
    struct Case {
        int32_t x, vx, vy, wantX, wantY, wantVx, wantVy;
    };
    // At x 4100 the box touches wall 2; at 2680 it touches wall 31.
    const Case cases[] = {
        {4100, 20, 0, 4080, 4000, -20, 0}, // right into a wall: 1 then 3
        {2680, -20, 0, 2700, 4000, 20, 0}, // left into a wall: 2 then 4
        {4100, 0, 20, 4080, 4000, -20, 0}, // down into a wall: 3
        {4100, 0, -20, 4120, 4000, 20, 0}, // up into a wall: 4
        {3000, 0, 20, 3000, 4020, 0, 20},  // free: no rule applies
    };
    for (const Case& c : cases) {
        g = {4, c.x, 4000, c.vx, c.vy, 100};
        moveEnemies();
        EXPECT_EQ(g.x, c.wantX) << "from x " << c.x << " v " << c.vx << "," << c.vy;
        EXPECT_EQ(g.y, c.wantY);
        EXPECT_EQ(g.vx, c.wantVx);
        EXPECT_EQ(g.vy, c.wantVy);
    }
}

TEST_F(EnemiesTest, MovementNeverTouchesHpOrKind) {
    for (int f = 0; f < 3000; ++f) {
        moveEnemies();
        for (int i = 0; i < enemyCount; ++i) {
            ASSERT_EQ(enemies[i].hp, i == guardianIndex ? 100 : 20);
        }
    }
    EXPECT_EQ(enemies[guardianIndex].kind, 4);
    EXPECT_EQ(enemies[0].kind, 3);
}

} // namespace zema
