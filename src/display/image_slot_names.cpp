// Names of the image slots, as the simulator reports them.
#include "display/display.h"

const char* imageSlotName(ImageSlot slot) {
    static const char* const names[imageSlotCount] = {
        "imgCraftRight", "imgCraftLeft", "imgMap",    "imgGate",     "imgShot",
        "imgEnemy1",     "imgEnemy2",    "imgEnemy3", "imgGuardian", "imgItem1",
        "imgItem2",      "imgItem3",     "imgTitle",  "imgEnergy",   "imgGameOver"};
    return slot >= 0 && slot < imageSlotCount ? names[slot] : "?";
}
