// The browser build's data, made when the page opens instead of downloaded: the pictures, kept in
// memory for findResource, and the six WAV files, each written into the page's in-memory file
// system where the game's own WAV reader opens them by name.
#pragma once

#include <string>

namespace zema {

// Draws the pictures (the title's alone when `titleOnly` is set) in place of those drawn before.
// False, with a reason, when one cannot be made.
bool makePictures(bool titleOnly, std::string& error);

// Synthesizes the sound of one slot (in the game's slot order) into the working directory under
// its file name, unless that is the file named `leftOut` (a test switch; empty for none). False,
// with a reason, when it cannot be written.
bool makeSoundFile(int slot, const std::string& leftOut, std::string& error);

} // namespace zema
