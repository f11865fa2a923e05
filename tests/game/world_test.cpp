// The records at program load and what a reset puts back (and what it leaves alone).

#include "game/collision.h"
#include "game/craft.h"
#include "game/enemies.h"
#include "game/random.h"
#include "rules_fixture.h"

namespace zema {

using WorldTest = RulesTest;

TEST_F(WorldTest, ProgramStartOpensOnTheTitleWithTheStartState) {
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    EXPECT_EQ(gameState.scrollX, 100);
    EXPECT_EQ(gameState.scrollY, 100);
    EXPECT_EQ(gameState.energy, 250);
    EXPECT_EQ(gameState.craftX, 0);
    EXPECT_EQ(gameState.craftY, 0);
    EXPECT_EQ(gameState.gameOver, 0);
    EXPECT_EQ(gameState.shotTimer, 0);
    EXPECT_EQ(gameState.facingLeft, 0);
    EXPECT_EQ(gameState.hasJoystick, 0);
}

TEST_F(WorldTest, TablesHoldTheirFixedShape) {
    int guardians = 0, pictures = 0;
    for (int i = 0; i < enemyCount; ++i) {
        EXPECT_EQ(enemies[i].hp, i == guardianIndex ? 100 : 20) << "enemy " << i;
        if (enemies[i].kind == 4) ++guardians;
    }
    EXPECT_EQ(guardians, 1);
    EXPECT_EQ(enemies[guardianIndex].kind, 4);
    for (const Gate& gate : gates)
        EXPECT_EQ(gate.open, 0);
    for (const ItemRow& row : itemRows) {
        EXPECT_EQ(row.taken, 0);
        EXPECT_GE(row.count, 1);
        EXPECT_LE(row.count, 3);
        pictures += row.count;
    }
    // The frame's draw budget counts on 93 item pictures.
    EXPECT_EQ(pictures, 93);
    // Group numbers follow the fixed ranges that open the gates.
    const int firstRow[] = {0, 4, 9, 15, 23, 32, 43, 50};
    for (int g = 0; g < gateCount; ++g)
        for (int i = firstRow[g]; i < firstRow[g + 1]; ++i)
            EXPECT_EQ(itemRows[i].group, g + 1) << "row " << i;
}

TEST_F(WorldTest, ResetPutsTheCraftWhereItTouchesNothing) {
    resetGame();
    const WorldRect box = craftHitBox();
    EXPECT_EQ(box.left, 520);
    EXPECT_EQ(box.top, 420);
    EXPECT_EQ(box.right, 680);
    EXPECT_EQ(box.bottom, 528);
    EXPECT_FALSE(craftHitsWall());
    EXPECT_FALSE(craftHitsGate());
    for (int i = 0; i < itemRowCount; ++i)
        EXPECT_FALSE(rectsOverlap(box, itemRowBox(i))) << "row " << i;
    for (int i = 0; i < enemyCount; ++i)
        EXPECT_FALSE(rectsOverlap(box, enemyBox(i))) << "enemy " << i;
}

TEST_F(WorldTest, ResetRestoresTheGameButNotModeDeviceOrEnemyPlaces) {
    gameState = {ModeTitle, 900, 1200, -40, 7, 8, 1, 6, 1, 1};
    for (int i = 0; i < enemyCount; ++i)
        enemies[i] = {enemies[i].kind, 100 + i, 200 + i, -5, 5, 0};
    for (Gate& gate : gates)
        gate.open = 1;
    for (ItemRow& row : itemRows)
        row.taken = 1;

    resetGame();

    EXPECT_EQ(gameState.screenMode, ModeTitle); // only startGame switches to play
    EXPECT_EQ(gameState.hasJoystick, 1);
    EXPECT_EQ(gameState.scrollX, 200);
    EXPECT_EQ(gameState.scrollY, 150);
    EXPECT_EQ(gameState.craftX, 300);
    EXPECT_EQ(gameState.craftY, 250);
    EXPECT_EQ(gameState.energy, 250);
    EXPECT_EQ(gameState.gameOver, 0);
    EXPECT_EQ(gameState.shotTimer, 0);
    EXPECT_EQ(gameState.facingLeft, 0);
    for (int i = 0; i < enemyCount; ++i) {
        EXPECT_EQ(enemies[i].x, 100 + i);
        EXPECT_EQ(enemies[i].y, 200 + i);
        EXPECT_EQ(enemies[i].vx, -5);
        EXPECT_EQ(enemies[i].vy, 5);
        EXPECT_EQ(enemies[i].hp, i == guardianIndex ? 100 : 20);
    }
    for (const Gate& gate : gates)
        EXPECT_EQ(gate.open, 0);
    for (const ItemRow& row : itemRows)
        EXPECT_EQ(row.taken, 0);
}

TEST_F(WorldTest, SecondGameContinuesWithTheEnemiesOfTheFirst) {
    startGame();
    for (int f = 0; f < 137; ++f)
        moveEnemies();
    enemies[3].hp = 0;
    enemies[guardianIndex].hp = 12;
    gameState.screenMode = ModeTitle; // the first game ends
    Enemy before[enemyCount];
    for (int i = 0; i < enemyCount; ++i)
        before[i] = enemies[i];

    startGame();

    EXPECT_EQ(gameState.screenMode, ModePlay);
    for (int i = 0; i < enemyCount; ++i) {
        EXPECT_EQ(enemies[i].x, before[i].x) << "enemy " << i;
        EXPECT_EQ(enemies[i].y, before[i].y) << "enemy " << i;
        EXPECT_EQ(enemies[i].vx, before[i].vx) << "enemy " << i;
        EXPECT_EQ(enemies[i].vy, before[i].vy) << "enemy " << i;
    }
    EXPECT_EQ(enemies[3].hp, 20);
    EXPECT_EQ(enemies[guardianIndex].hp, 100);
    EXPECT_NE(enemies[chaserIndex].x, 4000); // the chaser too
}

TEST_F(WorldTest, FixedSeedMakesTheGeneratorRepeat) {
    useFixedSeed(77);
    resetGame();
    const int first = rand();
    resetGame();
    EXPECT_EQ(rand(), first);
}

// The Windows C runtime's well-known first numbers for seeds 1 and 0, and its rand's range.
TEST(RandomTest, GivesTheWindowsRuntimeSequence) {
    srand(1);
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(rand(), expected);
    srand(0);
    for (int expected : {38, 7719, 21238, 2437, 8855})
        EXPECT_EQ(rand(), expected);
    srand(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i)
        ASSERT_LE(static_cast<unsigned>(rand()), 0x7FFFu);
}

TEST_F(WorldTest, RestoringStartContentsUndoesEveryChange) {
    startGame();
    for (int f = 0; f < 10; ++f)
        moveEnemies();
    gates[2].open = 1;
    itemRows[5].taken = 1;
    restoreStartContents();
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    EXPECT_EQ(gameState.scrollX, 100);
    EXPECT_EQ(enemies[chaserIndex].x, 4000);
    EXPECT_EQ(enemies[chaserIndex].vx, 0);
    EXPECT_EQ(enemies[guardianIndex].x, 4000);
    EXPECT_EQ(enemies[guardianIndex].vx, 20);
    EXPECT_EQ(gates[2].open, 0);
    EXPECT_EQ(itemRows[5].taken, 0);
}

} // namespace zema
