// The current frame's sound requests, in order.
#include "sound/frame_sounds.h"

namespace zema {

SoundSlot frameSounds[maxFrameSounds];
int frameSoundCount = 0;

void noteFrameSound(SoundSlot slot) {
    if (frameSoundCount < maxFrameSounds) frameSounds[frameSoundCount++] = slot;
}

void clearFrameSounds() {
    frameSoundCount = 0;
}

} // namespace zema
