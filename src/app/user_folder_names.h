// How --help names the settings file's and the screenshots' places on this platform; where they
// are is user_folders.h's to find.
#pragma once

namespace zema {

#ifdef _WIN32
inline constexpr const char* settingsPlaceHelp =
    "%APPDATA%\\zema\\zema.conf\n(SDL's folder for the game)";
inline constexpr const char* screenshotPlaceHelp = "Pictures\\ZEMA";
#else
inline constexpr const char* settingsPlaceHelp =
    "$XDG_CONFIG_HOME/zema/zema.conf\n(~/.config/zema/zema.conf)";
inline constexpr const char* screenshotPlaceHelp = "$XDG_DATA_HOME/zema/screenshots";
#endif

} // namespace zema
