// Settings changed in the player's own file, line by line, through the settings file's reader.
#include "app/settings_edit.h"

#include "app/option_table.h"

namespace zema {

namespace {

// The text's lines, each with its own line end, so that joined again they are the text.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t from = 0; from < text.size();) {
        const size_t end = text.find('\n', from);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(from, next - from));
        from = next;
    }
    return lines;
}

// The line's end: "\r\n", "\n" or none.
std::string endOf(const std::string& line) {
    if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0) return "\r\n";
    return !line.empty() && line.back() == '\n' ? "\n" : "";
}

std::string contentOf(const std::string& line) {
    return line.substr(0, line.size() - endOf(line).size());
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

} // namespace

CommandLine readSettingsLeniently(const std::string& text, const std::string& fileName,
                                  std::vector<std::string>& faults) {
    CommandLine line;
    int number = 0;
    for (const std::string& each : linesOf(text)) {
        ++number;
        // The reader's own judgement of the line alone, on a copy: a refused line changes
        // nothing, and its fault is told by its own number.
        const CommandLine tried = parseSettings(contentOf(each), fileName, line);
        const std::string said = "zema: " + fileName + ":1: ";
        if (tried.run)
            line = tried;
        else
            faults.push_back(fileName + ":" + std::to_string(number) + ": " +
                             tried.err.substr(said.size(), tried.err.size() - said.size() - 1));
    }
    return line;
}

std::string withSetting(const std::string& text, const std::string& name,
                        const std::string& value) {
    std::vector<std::string> lines = linesOf(text);
    size_t last = lines.size();
    for (size_t i = 0; i < lines.size(); ++i)
        if (settingLineName(lines[i]) == name) {
            if (last < lines.size()) lines[last] = "# " + lines[last];
            last = i;
        }
    const std::string setting = name + " = " + value;
    if (last < lines.size()) {
        lines[last] = setting + endOf(lines[last]);
        return joined(lines);
    }
    // At the end, in the file's own line ends, under the help --write-config writes above it.
    const std::string end = lines.empty() || endOf(lines[0]) != "\r\n" ? "\n" : "\r\n";
    std::string added = text.empty() || text.back() == '\n' ? "" : end;
    const OptionSpec* spec = findLongOption(name);
    if (!text.empty()) added += end;
    if (spec != nullptr) added += std::string("# ") + spec->help + end;
    return text + added + setting + end;
}

std::string withoutSetting(const std::string& text, const std::string& name) {
    std::vector<std::string> lines = linesOf(text);
    for (std::string& line : lines)
        if (settingLineName(line) == name) line = "# " + line;
    return joined(lines);
}

std::string withDefaults(const std::string& text) {
    std::string result = text;
    for (const OptionSpec& spec : optionSpecs())
        if (spec.setting) result = withoutSetting(result, spec.name);
    return result;
}

} // namespace zema
