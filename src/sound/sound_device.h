// The sound device and the six sound slots: start-up steps, each true on success.
#pragma once

#include "sound/sound.h"

bool initSound();
bool createPrimaryBuffer();
bool loadWave(SoundSlot slot, const char* fileName);
bool releaseSound(); // always true; releases whatever exists, in reverse order of creation
