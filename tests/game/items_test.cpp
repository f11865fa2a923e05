// Picking up item rows and opening the gates of complete groups.
#include "game/collision.h"
#include "game/items.h"
#include "rules_fixture.h"

namespace zema {

namespace {

const int firstRow[gateCount + 1] = {0, 4, 9, 15, 23, 32, 43, 50};

class ItemsTest : public RulesTest {
  protected:
    void SetUp() override {
        RulesTest::SetUp();
        startPlaying();
    }
    static void takeGroup(int gate) {
        for (int i = firstRow[gate]; i < firstRow[gate + 1]; ++i)
            itemRows[i].taken = 1;
    }
};

} // namespace

TEST_F(ItemsTest, RowSharingOnlyACornerWithTheHitBoxIsTaken) {
    // Row 0 is (690, 300)-(890, 400); the hit box's top right corner lands on its bottom left.
    placeCraftSprite(690 - 180, 400 - 20);
    collectItems();
    EXPECT_EQ(itemRows[0].taken, 1);
    EXPECT_EQ(recordedSoundSlots(), std::vector<SoundSlot>{sndGet});
}

TEST_F(ItemsTest, RowOnePixelAwayIsNotTaken) {
    placeCraftSprite(690 - 181, 400 - 20);
    collectItems();
    placeCraftSprite(690 - 180, 400 - 19);
    collectItems();
    EXPECT_EQ(itemRows[0].taken, 0);
    EXPECT_TRUE(recordedSoundSlots().empty());
}

TEST_F(ItemsTest, RowBoxReachesOnePixelPastTheLastPicture) {
    // Row 0's pictures end at x 889; its box still takes in column 890.
    placeCraftSprite(890 - 20, 350);
    collectItems();
    EXPECT_EQ(itemRows[0].taken, 1);
}

TEST_F(ItemsTest, TakenRowIsPassedOverSilently) {
    placeCraftSprite(700, 300);
    collectItems();
    ASSERT_EQ(itemRows[0].taken, 1);
    clearRecordedSounds();
    collectItems();
    EXPECT_EQ(itemRows[0].taken, 1);
    EXPECT_TRUE(recordedSoundSlots().empty());
}

TEST_F(ItemsTest, SeveralRowsInOneFrameEachSoundInRowOrder) {
    // No two rows lie that close in the world, so rows 3 and 7 are moved next to row 0.
    itemRows[3].x = 700;
    itemRows[3].y = 420;
    itemRows[7].x = 400;
    itemRows[7].y = 428;
    placeCraftSprite(520, 300); // hit box (540, 320)-(700, 428)
    collectItems();
    EXPECT_EQ(itemRows[0].taken, 1);
    EXPECT_EQ(itemRows[3].taken, 1);
    EXPECT_EQ(itemRows[7].taken, 1);
    EXPECT_EQ(recordedSoundSlots(), (std::vector<SoundSlot>{sndGet, sndGet, sndGet}));
}

TEST_F(ItemsTest, RowsBehindClosedGatesCanBeTaken) {
    placeCraftSprite(itemRows[49].x, itemRows[49].y);
    collectItems();
    EXPECT_EQ(itemRows[49].taken, 1);
    EXPECT_EQ(gates[6].open, 0);
}

TEST_F(ItemsTest, EachGateWaitsForEveryRowOfItsOwnRange) {
    for (int g = 0; g < gateCount; ++g) {
        for (int missing = firstRow[g]; missing < firstRow[g + 1]; ++missing) {
            for (ItemRow& row : itemRows)
                row.taken = 1;
            for (Gate& gate : gates)
                gate.open = 0;
            enemies[guardianIndex].hp = 0;
            itemRows[missing].taken = 0;
            clearRecordedSounds();
            openGates();
            for (int other = 0; other < gateCount; ++other)
                EXPECT_EQ(gates[other].open != 0, other != g)
                    << "row " << missing << " missing, gate " << other;
            EXPECT_EQ(recordedSoundSlots().size(), 6u);
        }
    }
}

TEST_F(ItemsTest, GroupOpensOnceWithOneDoorSound) {
    const int order[] = {2, 0, 3, 1};
    for (int k = 0; k < 4; ++k) {
        itemRows[order[k]].taken = 1;
        clearRecordedSounds();
        openGates();
        EXPECT_EQ(gates[0].open != 0, k == 3);
        EXPECT_EQ(recordedSoundSlots().size(), k == 3 ? 1u : 0u);
    }
    EXPECT_EQ(gates[0].open, 1);
    itemRows[4].taken = 1;
    clearRecordedSounds();
    openGates();
    EXPECT_TRUE(recordedSoundSlots().empty());
}

TEST_F(ItemsTest, LastRowOfAGroupTakenInAFrameSoundsGetThenDoor) {
    itemRows[0].taken = itemRows[1].taken = itemRows[2].taken = 1;
    placeCraftSprite(itemRows[3].x, itemRows[3].y - 100);
    collectItems();
    openGates();
    EXPECT_EQ(gates[0].open, 1);
    EXPECT_EQ(recordedSoundSlots(), (std::vector<SoundSlot>{sndGet, sndDoor}));
}

TEST_F(ItemsTest, SeveralGatesOpenInGateOrder) {
    takeGroup(4);
    takeGroup(1);
    openGates();
    EXPECT_EQ(gates[1].open, 1);
    EXPECT_EQ(gates[4].open, 1);
    EXPECT_EQ(gates[0].open, 0);
    EXPECT_EQ(recordedSoundSlots(), (std::vector<SoundSlot>{sndDoor, sndDoor}));
}

TEST_F(ItemsTest, LastGateAlsoWaitsForTheGuardian) {
    takeGroup(6);
    openGates();
    EXPECT_EQ(gates[6].open, 0);
    enemies[guardianIndex].hp = 1;
    openGates();
    EXPECT_EQ(gates[6].open, 0);
    EXPECT_TRUE(recordedSoundSlots().empty());
    enemies[guardianIndex].hp = 0;
    openGates();
    EXPECT_EQ(gates[6].open, 1);
    EXPECT_EQ(recordedSoundSlots(), std::vector<SoundSlot>{sndDoor});
}

TEST_F(ItemsTest, OtherEnemiesDoNotHoldTheLastGate) {
    takeGroup(6);
    enemies[guardianIndex].hp = 0;
    enemies[23].hp = 20;
    openGates();
    EXPECT_EQ(gates[6].open, 1);
}

TEST_F(ItemsTest, ResetPutsEveryRowBackAndClosesEveryGate) {
    for (int g = 0; g < gateCount; ++g)
        takeGroup(g);
    enemies[guardianIndex].hp = 0;
    openGates();
    resetGame();
    for (const ItemRow& row : itemRows)
        EXPECT_EQ(row.taken, 0);
    for (const Gate& gate : gates)
        EXPECT_EQ(gate.open, 0);
    clearRecordedSounds();
    openGates();
    EXPECT_TRUE(recordedSoundSlots().empty());
}

} // namespace zema
