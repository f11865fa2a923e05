// The XDG base directories, read from the environment.
#include <cstdlib>

#include "app/command_line.h"
#include "app/screenshot.h"
#include "app/user_folders.h"

namespace zema {

std::string usualSettingsPath() {
    return settingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string usualScreenshotFolder() {
    return screenshotFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string usualCopyFolder() {
    return dataHomeFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), "copy");
}

void reachStartingConsole() {}

} // namespace zema
