// Recording implementation of the sound seam.
#include "sound/sound_headless.h"

namespace zema {

SoundRequest recordedSounds[maxRecordedSounds];
int recordedSoundCount = 0;
int droppedSoundCount = 0;

void clearRecordedSounds() {
    recordedSoundCount = 0;
    droppedSoundCount = 0;
}

void playSound(SoundSlot slot, bool looping) {
    if (recordedSoundCount < maxRecordedSounds)
        recordedSounds[recordedSoundCount++] = {slot, looping};
    else
        ++droppedSoundCount;
}

std::vector<SoundSlot> recordedSoundSlots() {
    std::vector<SoundSlot> slots;
    for (int i = 0; i < recordedSoundCount; ++i)
        slots.push_back(recordedSounds[i].slot);
    return slots;
}

} // namespace zema
