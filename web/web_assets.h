// The browser build's data, made when the page opens instead of downloaded: the pictures, kept in
// memory for findResource, and the six WAV files, written into the page's in-memory file system
// where the game's own WAV reader opens them by name.
#pragma once

#include <string>

namespace zema {

// Draws the pictures. False, with a reason, when one cannot be made.
bool makePictures(std::string& error);

// Synthesizes the six sounds into the working directory, leaving out the file named `leftOut`
// (a test switch; empty for none). False, with a reason, when one cannot be written.
bool makeSoundFiles(const std::string& leftOut, std::string& error);

} // namespace zema
