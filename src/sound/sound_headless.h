// The headless sound: records every play request, in order, and sounds nothing.
#pragma once

#include <vector>

#include "sound/sound.h"

namespace zema {

struct SoundRequest {
    SoundSlot slot;
    bool looping;
};

// A frame requests at most about a hundred sounds (two hits per enemy, fifty items, seven gates).
constexpr int maxRecordedSounds = 512;
extern SoundRequest recordedSounds[maxRecordedSounds];
extern int recordedSoundCount;
extern int droppedSoundCount;

void clearRecordedSounds();

// The slots of the requests recorded so far, in order.
std::vector<SoundSlot> recordedSoundSlots();

} // namespace zema
