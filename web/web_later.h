// What the page makes after the title shows: the maze's picture, which the title does not show,
// and the six sounds, which cannot play before the first key or touch. Together they are most of
// the start-up's work.
#pragma once

#include <string>

namespace zema {

// Opens the sound device. False, with a reason, when it cannot be opened.
bool openSoundDevice(std::string& failed);

// Starts the list afresh; with `mapDrawn` the maze's picture is there already.
void startLaterParts(bool mapDrawn);

// Makes the next missing part (every one when `all` is set): the maze's picture, loaded into the
// display's textures, then each sound in slot order, made and loaded; once the tune is in, it
// starts looping, as start-up does on the desktop. False, with a reason, when one cannot be made
// or loaded. `leftOut` names a sound file left unmade (a test switch).
bool makeLaterParts(bool all, const std::string& leftOut, std::string& failed);

// True once every part is made.
bool laterPartsComplete();

} // namespace zema
