// Picking up item rows and opening the gates of complete groups.
#include "game/items.h"

#include "game/collision.h"
#include "game/world.h"
#include "sound/sound.h"

namespace zema {

namespace {
// Gate g opens when rows firstRow[g] .. firstRow[g + 1] - 1 are all taken.
constexpr int firstRow[gateCount + 1] = {0, 4, 9, 15, 23, 32, 43, 50};
constexpr int lastGate = gateCount - 1;
} // namespace

void collectItems() {
    const WorldRect craft = craftHitBox();
    for (int i = 0; i < itemRowCount; ++i) {
        if (rectsOverlap(craft, itemRowBox(i)) && itemRows[i].taken == 0) {
            itemRows[i].taken = 1;
            playSound(sndGet, false);
        }
    }
}

void openGates() {
    for (int g = 0; g < gateCount; ++g) {
        int allTaken = 1;
        for (int i = firstRow[g]; i < firstRow[g + 1]; ++i)
            if (itemRows[i].taken == 0) allTaken = 0;
        // The last gate also waits for the guardian to fall.
        const bool guardianCondition = g != lastGate || enemies[guardianIndex].hp < 1;
        if (allTaken == 1 && gates[g].open == 0 && guardianCondition) {
            gates[g].open = 1;
            playSound(sndDoor, false);
        }
    }
}

} // namespace zema
