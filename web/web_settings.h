// The page's settings: the address's switches, read by the game's own command line over the
// settings kept in the browser's storage (as the command line wins over the settings file), and
// the settings panel's rows and changes, through the settings editors' rows (web/settings.js
// draws the panel).
#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"

namespace zema {

// The settings kept in the browser's storage under "zema.settings", a settings file's text;
// empty when there are none or the storage cannot be read.
std::string savedPageSettings();

// The options: the saved settings, then the address's options ("--name=value", as the page turns
// ?name=value) over them. False with the fault as the page says it: a value refused, an option
// that has no place in a page, a view past the page's largest, or --help's or --version's text.
bool readPageOptions(const std::string& saved, const std::vector<std::string>& address,
                     CommandLine& line, std::string& fault);

// The largest view the page makes, each side.
constexpr int32_t largestPageView = 4096;

} // namespace zema
