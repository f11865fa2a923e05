// Where this platform keeps a player's settings file and screenshots.
#pragma once

#include <string>

namespace zema {

// The settings file read when --config names none: $XDG_CONFIG_HOME/zema/zema.conf (or under
// ~/.config) on Linux, zema.conf in SDL's pref path (%APPDATA%\zema) on Windows; "" if unknown.
std::string usualSettingsPath();

// Where F12 saves: $XDG_DATA_HOME/zema/screenshots (or under ~/.local/share) on Linux, the
// Pictures folder's ZEMA on Windows (beside the settings if Windows names no Pictures folder).
std::string usualScreenshotFolder();

// Where the game looks for the player's own copy after the working directory:
// $XDG_DATA_HOME/zema/copy (or under ~/.local/share) on Linux, %APPDATA%\zema\copy on Windows;
// "" if unknown.
std::string usualCopyFolder();

// Lets --help, --version, --write-config and failure lines reach the console the program was
// started from: a Windows GUI program has none of its own. Nothing to do elsewhere.
void reachStartingConsole();

} // namespace zema
