// What the page makes after the title shows: every picture but the title's, which the title does
// not show, the sound device and the six sounds, which cannot play before the first key or
// touch. Together they are most of the start-up's work.
#pragma once

#include <cstdint>
#include <string>

namespace zema {

// The sound as the options ask: with on false (--nosound) no device or sound is made; the
// volumes are the mixer's once the device is open.
void useLaterSound(bool on, int32_t volume, int32_t musicVolume, int32_t effectsVolume);

// Starts the list afresh: nothing but the title's picture is there.
void startLaterParts();

// Makes the next missing part (every one when `all` is set): all the pictures, loaded into the
// display's textures, then the sound device, then each sound in slot order, made and loaded; once
// the tune is in, it starts looping, as start-up does on the desktop. False, with a reason, when
// one cannot be made, loaded or opened. `leftOut` names a sound file left unmade (a test switch).
bool makeLaterParts(bool all, const std::string& leftOut, std::string& failed);

// True once every part is made.
bool laterPartsComplete();

} // namespace zema
