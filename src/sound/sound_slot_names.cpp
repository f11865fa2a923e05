// Names of the sound slots, as the simulator reports them.
#include "sound/sound.h"

const char* soundSlotName(SoundSlot slot) {
    static const char* const names[soundSlotCount] = {"sndBgm", "sndClear", "sndDoor",
                                                      "sndGet", "sndHit",   "sndOver"};
    return slot >= 0 && slot < soundSlotCount ? names[slot] : "?";
}
