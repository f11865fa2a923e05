// Names of the sound slots, as the simulator reports them, and their files.
#include "sound/sound.h"

namespace zema {

const char* soundSlotName(SoundSlot slot) {
#define ZEMA_SOUND_NAME(slot, ...) #slot,
    static const char* const names[soundSlotCount] = {ZEMA_SOUNDS(ZEMA_SOUND_NAME)};
#undef ZEMA_SOUND_NAME
    return slot >= 0 && slot < soundSlotCount ? names[slot] : "?";
}

const char* soundFileName(SoundSlot slot) {
#define ZEMA_SOUND_FILE(slot, fileName, ...) fileName,
    static const char* const files[soundSlotCount] = {ZEMA_SOUNDS(ZEMA_SOUND_FILE)};
#undef ZEMA_SOUND_FILE
    return slot >= 0 && slot < soundSlotCount ? files[slot] : "?";
}

} // namespace zema
