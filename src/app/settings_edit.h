// Changing a settings file's text as the player wrote it: a setting changed where it stands, a
// new one added at the end, and everything else (comments, lines the game refuses, blank lines,
// line ends, order) kept byte for byte. For the settings editors: zema-setup and the page's panel.
#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"

namespace zema {

// The settings the text gives, over the defaults, leaving out each line the game would refuse;
// those lines' faults, "FILE:LINE: why", go to faults in the file's order.
CommandLine readSettingsLeniently(const std::string& text, const std::string& fileName,
                                  std::vector<std::string>& faults);

// The text with the setting set to value: the last line that sets it becomes "name = value",
// earlier ones are made comments (a later line wins, but "no" after a value leaves that value);
// with no line that sets it, "name = value" is added at the end under its help.
std::string withSetting(const std::string& text, const std::string& name, const std::string& value);

// The text with every line that sets the setting made a comment, so that its default is in force.
std::string withoutSetting(const std::string& text, const std::string& name);

// withoutSetting for every setting: the defaults throughout.
std::string withDefaults(const std::string& text);

} // namespace zema
