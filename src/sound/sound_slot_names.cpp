// Names of the sound slots, as the simulator reports them, and their files.
#include "assets/slot_names.h"
#include "sound/sound.h"

namespace zema {

#define ZEMA_SOUND_NAME(slot, ...) #slot,
#define ZEMA_SOUND_FILE(slot, fileName, ...) fileName,
const char* soundSlotName(SoundSlot slot) {
    static const char* const names[] = {ZEMA_SOUNDS(ZEMA_SOUND_NAME)};
    return nameAt(names, slot);
}

const char* soundFileName(SoundSlot slot) {
    static const char* const files[] = {ZEMA_SOUNDS(ZEMA_SOUND_FILE)};
    return nameAt(files, slot);
}
#undef ZEMA_SOUND_NAME
#undef ZEMA_SOUND_FILE

} // namespace zema
