// The one table of options, shared by the command line and the settings file: each row is a long
// option, and unless it says otherwise also a setting of the same name in the file.
#pragma once

#include <span>
#include <string>

#include "app/command_line.h"

namespace zema {

enum class Value {
    None,     // takes no value; "yes" or "no" in the file
    Optional, // "--name=value", or the next argument when it is not an option; "yes" in the
              // file for none, "no" for the option not given
    Required  // "--name=value" or "--name value"
};

// Applies the option to the options; false with err set to the fault (a phrase) when its value
// is refused. value is null when an optional value was not given.
using Apply = bool (*)(const char* value, CommandLine& line);

// The value in force as the file writes it, so that reading it back gives the same options.
using InForce = std::string (*)(const Options& options);

struct OptionSpec {
    const char* name; // without the leading "--"
    char shortName;   // 0 for none
    Value value;
    const char* valueName; // shown in the usage
    const char* help;      // also the comment above the setting in a written file
    Apply apply;
    bool setting = true; // false: on the command line only
    // Null, or giving "": the file shows the value last given, if any, or else a comment.
    InForce inForce = nullptr;
    // The only values taken, the default first, for a setting that takes one of a few words.
    std::span<const char* const> choices = {};
};

std::span<const OptionSpec> optionSpecs();
const OptionSpec* findLongOption(const std::string& name);

// Keeps the value as given, replacing an earlier one of the same setting.
void noteSettingGiven(CommandLine& line, const std::string& name, const std::string& value);

} // namespace zema
