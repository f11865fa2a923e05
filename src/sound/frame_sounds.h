// The sounds requested during the current frame, kept by the real sound output so that a demo
// can record the frame as zema-sim reports it.
#pragma once

#include "sound/sound.h"

namespace zema {

// A frame requests at most about a hundred sounds; any past this many are not kept.
constexpr int maxFrameSounds = 512;
extern SoundSlot frameSounds[maxFrameSounds];
extern int frameSoundCount;

void noteFrameSound(SoundSlot slot);
void clearFrameSounds();

} // namespace zema
