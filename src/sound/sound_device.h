// The sound device and the six sound slots: start-up steps, each true on success.
#pragma once

#include <cstdint>

#include "sound/sound.h"

namespace zema {

// Opens the default audio device for 44,100 Hz 16-bit stereo (SDL converts where the hardware
// differs). False when there is no usable device; SDL_GetError says why.
bool initSound();
// Starts the mixer on the open device; it sounds silence until a slot plays.
bool createPrimaryBuffer();
// Reads a WAV file, converts it to the mixer's format and puts it in the slot, replacing what
// was there. False when the file cannot be read, is refused, or no device is open; SDL_GetError
// then says why ("No such file or directory", "not a RIFF WAVE file"...).
bool loadWave(SoundSlot slot, const char* fileName);
bool releaseSound();
// Stops the output for good, so that nothing is heard and no mixing is done; play requests are
// still taken. For timing runs.
void silenceSound(); // always true; releases whatever exists, in reverse order of creation

// When set, sees every play request before the mixer does; the browser page keeps the frame's
// requests for its frame record.
extern void (*soundPlayObserver)(SoundSlot slot, bool looping);

// What exists now, for tests and diagnostics.
bool soundSlotLoaded(SoundSlot slot);
// Output frames the mixer has produced since the program started.
uint64_t soundFramesMixed();

} // namespace zema
