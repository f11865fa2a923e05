// The page's sounds, made after the title shows: no sound can play before the first key or
// touch, and making the six takes longer than everything else the title waits for.
#pragma once

#include <string>

namespace zema {

// Opens the sound device. False, with a reason, when it cannot be opened.
bool openSoundDevice(std::string& failed);

// Makes and loads the next missing sound (all of them when `all` is set); once the tune is in,
// starts it looping, as start-up does on the desktop. False, with a reason, when one cannot be
// made or loaded. `leftOut` names a file left unmade (a test switch).
bool makeMissingSounds(bool all, const std::string& leftOut, std::string& failed);

// True once all six are loaded.
bool soundsComplete();

} // namespace zema
