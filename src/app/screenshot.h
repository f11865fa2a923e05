// Screenshots: where they go, what they are called, and writing one without overwriting another.
// Plain POSIX files; nothing of the window system.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace zema {

// $XDG_DATA_HOME/zema/LEAF, or $HOME/.local/share/zema/LEAF when XDG_DATA_HOME is unset, empty
// or relative (as the XDG base directory rules say); empty when neither is usable.
std::string dataHomeFolder(const char* xdgDataHome, const char* home, const char* leaf);
// dataHomeFolder's "screenshots".
std::string screenshotFolder(const char* xdgDataHome, const char* home);

// "zema-20261208-202215.png" for that local time; from the second attempt on, "-2", "-3"... before
// the extension, for shots taken within the same second.
std::string screenshotName(const std::tm& when, int attempt);

// Makes the folder and any missing parents. False with error saying which folder and why.
bool makeFolders(const std::string& folder, std::string& error);

// Writes width x height ARGB pixels (pitch pixels a row) as a PNG into folder, named by when and
// never replacing a file. Returns the new file's path, or false with error saying why.
bool saveScreenshot(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                    const std::string& folder, const std::tm& when, std::string& pathOrError);

} // namespace zema
