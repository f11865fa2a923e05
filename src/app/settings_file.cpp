// The settings file: read line by line through the options' table, written back from it.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/command_line.h"
#include "app/option_table.h"
#include "app/user_folder_names.h"
#include "platform/files.h"

namespace zema {

namespace {

// Larger than any settings file, small enough that a wrong name (/dev/zero) cannot hang the start.
constexpr size_t maxSettingsBytes = 1 << 20;

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

CommandLine settingsFault(CommandLine line, const std::string& where, const std::string& why) {
    line.run = false;
    line.exitStatus = exitUsage;
    line.out.clear();
    line.err = "zema: " + where + ": " + why + "\n";
    return line;
}

} // namespace

std::string settingLineName(const std::string& text) {
    const std::string content = trimmed(text);
    const size_t equals = content.find('=');
    if (content.empty() || content[0] == '#' || equals == std::string::npos) return "";
    return trimmed(content.substr(0, equals));
}

bool applySettingLine(const std::string& text, CommandLine& line) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos) {
        line.err = "no '=' in '" + text + "' (a setting is 'name = value')";
        return false;
    }
    const std::string name = settingLineName(text);
    const std::string value = trimmed(text.substr(equals + 1));
    const OptionSpec* spec = findLongOption(name);
    if (spec == nullptr) {
        line.err = "unknown setting '" + name + "'";
        return false;
    }
    if (!spec->setting) {
        line.err = "'" + name + "' is a command-line option only, not a setting";
        return false;
    }
    if (spec->value != Value::Required && value != "yes" && value != "no" &&
        (spec->value == Value::None || value.empty())) {
        line.err = "'" + name + "' takes " +
                   (spec->value == Value::None ? "yes or no" : "yes, no or a value") + ", not '" +
                   value + "'";
        return false;
    }
    noteSettingGiven(line, name, value);
    if (value == "no" && spec->value != Value::Required) return true;
    const bool none = spec->value != Value::Required && value == "yes";
    return spec->apply(none ? nullptr : value.c_str(), line);
}

bool readSettingsFile(const std::string& path, std::string& text, int& error) {
    return readWholeFile(path, maxSettingsBytes, text, error);
}

CommandLine parseSettings(const std::string& text, const std::string& fileName, CommandLine line) {
    size_t from = 0;
    for (int number = 1; from < text.size(); ++number) {
        const size_t end = text.find('\n', from);
        const std::string content =
            trimmed(text.substr(from, end == std::string::npos ? end : end - from));
        from = end == std::string::npos ? text.size() : end + 1;
        if (content.empty() || content[0] == '#') continue;
        if (!applySettingLine(content, line))
            return settingsFault(line, fileName + ":" + std::to_string(number), line.err);
    }
    return line;
}

std::string settingsText(const CommandLine& line) {
    std::string text =
        "# ZEMA's settings, as 'zema --write-config' printed them. One 'name = value' a\n"
        "# line; options given on the command line win over these. The game reads them from\n"
        "# ";
    // The help's words for the place, on one line here.
    for (const char* c = settingsPlaceHelp; *c != '\0'; ++c)
        text += *c == '\n' ? ' ' : *c;
    text += " or --config=FILE.\n";
    for (const OptionSpec& spec : optionSpecs()) {
        if (!spec.setting) continue;
        text += std::string("\n# ") + spec.help + "\n";
        const std::string inForce = spec.inForce ? spec.inForce(line.options) : "";
        if (!inForce.empty()) {
            text += std::string(spec.name) + " = " + inForce + "\n";
            continue;
        }
        // Known only as given: a setting never given keeps its default, shown as a comment.
        bool given = false;
        for (const auto& [name, value] : line.settingsGiven)
            if (name == spec.name) {
                text += name + " = " + value + "\n";
                given = true;
            }
        if (!given)
            text += std::string("# ") + spec.name + " = " +
                    (spec.valueName ? spec.valueName : "yes") + "\n";
    }
    return text;
}

std::string settingsFilePath(const char* configHome, const char* home) {
    if (configHome != nullptr && *configHome != '\0')
        return std::string(configHome) + "/zema/zema.conf";
    if (home != nullptr && *home != '\0') return std::string(home) + "/.config/zema/zema.conf";
    return "";
}

CommandLine readOptions(const std::vector<std::string>& args, const std::string& usualPath) {
    const CommandLine alone = parseCommandLine(args);
    if (!alone.run) return alone;
    const bool chosen = !alone.options.configPath.empty();
    const std::string path = chosen ? alone.options.configPath : usualPath;
    CommandLine fromFile;
    std::string text;
    int error = 0;
    if (!path.empty() && readSettingsFile(path, text, error)) {
        fromFile = parseSettings(text, path);
        if (!fromFile.run) return fromFile;
    } else if (!path.empty() && (chosen || (error != ENOENT && error != ENOTDIR))) {
        return settingsFault(alone, path,
                             std::string("cannot read the settings: ") + std::strerror(error));
    }
    CommandLine line = parseCommandLine(args, fromFile);
    if (line.run && line.options.writeConfig) {
        line.run = false;
        line.exitStatus = 0;
        line.out = settingsText(line);
    }
    return line;
}

} // namespace zema
