// Reading the command line: one table of options, from which both the parsing and the usage
// text come, so that a new option is one row and one small function.
#include "app/command_line.h"

#include <cstddef>

#ifndef ZEMA_VERSION
#error "ZEMA_VERSION must be defined by the build (the project's version)"
#endif

namespace zema {

namespace {

enum class Value {
    None,     // takes no value
    Optional, // "--name=value", or the next argument when it is not an option
    Required  // "--name=value" or "--name value"
};

// Applies the option to the options; false with err set to the fault (a phrase) when its value
// is refused. value is null when an optional value was not given.
using Apply = bool (*)(const char* value, CommandLine& line);

struct OptionSpec {
    const char* name; // without the leading "--"
    char shortName;   // 0 for none
    Value value;
    const char* valueName; // shown in the usage
    const char* help;
    Apply apply;
};

bool refuse(CommandLine& line, const std::string& message) {
    line.err = message;
    return false;
}

bool showHelp(const char*, CommandLine& line) {
    line.run = false;
    line.exitStatus = 0;
    line.out = usageText();
    return true;
}

bool showVersion(const char*, CommandLine& line) {
    line.run = false;
    line.exitStatus = 0;
    line.out = std::string("zema ") + ZEMA_VERSION + "\n";
    return true;
}

bool useFullscreen(const char*, CommandLine& line) {
    line.options.windowed = false;
    return true;
}

// Decimal digits only, no sign, at most limit.
bool parseCount(const char* text, int32_t limit, int32_t& result) {
    if (*text == '\0') return false;
    int64_t value = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + (*c - '0');
        if (value > limit) return false;
    }
    result = static_cast<int32_t>(value);
    return true;
}

// "WxH" with both sides from 1 to maxWindowSide, decimal digits only; false otherwise.
bool parseWindowSize(const std::string& text, int32_t& width, int32_t& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    int32_t w = 0, h = 0;
    if (!parseCount(text.substr(0, x).c_str(), maxWindowSide, w) ||
        !parseCount(text.substr(x + 1).c_str(), maxWindowSide, h) || w == 0 || h == 0)
        return false;
    width = w;
    height = h;
    return true;
}

bool useWindow(const char* value, CommandLine& line) {
    Options& options = line.options;
    options.windowed = true;
    if (value == nullptr) return true;
    if (!parseWindowSize(value, options.windowWidth, options.windowHeight))
        return refuse(line, "invalid window size '" + std::string(value) +
                                "': expected WxH, for example 1024x768");
    options.windowSizeGiven = true;
    return true;
}

bool useView(const char* value, CommandLine& line) {
    if (!parseWindowSize(value, line.options.viewWidth, line.options.viewHeight))
        return refuse(line, "invalid view size '" + std::string(value) +
                                "': expected WxH, for example 800x600");
    return true;
}

struct ScaleName {
    const char* name;
    ViewScale scale;
};
constexpr ScaleName scaleNames[] = {
    {"fit", ViewScale::Fit}, {"integer", ViewScale::Integer}, {"stretch", ViewScale::Stretch}};

bool useScale(const char* value, CommandLine& line) {
    Options& options = line.options;
    const ScaleName* found = nullptr;
    for (const ScaleName& entry : scaleNames)
        if (std::string(value) == entry.name) found = &entry;
    if (found == nullptr)
        return refuse(line, "invalid scale '" + std::string(value) +
                                "': expected fit, integer or stretch");
    options.scale = found->scale;
    // A --view given before or after wins.
    if (options.viewWidth == 0) {
        options.viewWidth = scaleAloneViewWidth;
        options.viewHeight = scaleAloneViewHeight;
    }
    return true;
}

bool useDisplay(const char* value, CommandLine& line) {
    if (!parseCount(value, 1000, line.options.displayIndex))
        return refuse(line, "invalid display number '" + std::string(value) + "'");
    return true;
}

bool useNoSound(const char*, CommandLine& line) {
    line.options.noSound = true;
    return true;
}

bool useDemo(DemoRun run, const char* value, CommandLine& line) {
    Options& options = line.options;
    if (options.demo != DemoRun::None)
        return refuse(line, "only one of --record, --playdemo and --timedemo can be given");
    if (*value == '\0') return refuse(line, "a demo needs a file name");
    options.demo = run;
    options.demoPath = value;
    return true;
}

bool useRecord(const char* value, CommandLine& line) {
    return useDemo(DemoRun::Record, value, line);
}

bool usePlayDemo(const char* value, CommandLine& line) {
    return useDemo(DemoRun::Play, value, line);
}

bool useTimeDemo(const char* value, CommandLine& line) {
    return useDemo(DemoRun::Time, value, line);
}

constexpr OptionSpec optionTable[] = {
    {"help", 'h', Value::None, nullptr, "show this help and exit", showHelp},
    {"version", 0, Value::None, nullptr, "show the version and exit", showVersion},
    {"window", 0, Value::Optional, "WxH",
     "play in a resizable window of W x H pixels (default 1024x768)", useWindow},
    {"fullscreen", 0, Value::None, nullptr,
     "play fullscreen at the display's largest mode (the default)", useFullscreen},
    {"view", 0, Value::Required, "WxH", "a view of W x H pixels, scaled to the window or screen",
     useView},
    {"scale", 0, Value::Required, "HOW", "fit (default), integer or stretch; alone: --view=800x600",
     useScale},
    {"display", 0, Value::Required, "N", "use display N, counted from 0 (default 0)", useDisplay},
    {"nosound", 0, Value::None, nullptr, "play without sound: no audio device, no sound file",
     useNoSound},
    {"record", 0, Value::Required, "FILE", "play as usual and write the game to FILE as a demo",
     useRecord},
    {"playdemo", 0, Value::Required, "FILE", "play the demo in FILE at the game's own pace",
     usePlayDemo},
    {"timedemo", 0, Value::Required, "FILE",
     "play the demo in FILE as fast as it goes, silent, and print frames/s", useTimeDemo},
};

const OptionSpec* findLong(const std::string& name) {
    for (const OptionSpec& spec : optionTable)
        if (name == spec.name) return &spec;
    return nullptr;
}

const OptionSpec* findShort(char name) {
    for (const OptionSpec& spec : optionTable)
        if (spec.shortName != 0 && spec.shortName == name) return &spec;
    return nullptr;
}

CommandLine usageFault(CommandLine line, const std::string& message) {
    line.run = false;
    line.exitStatus = exitUsage;
    line.out.clear();
    line.err = "zema: " + message + " (try 'zema --help')\n";
    return line;
}

} // namespace

std::string displayChoiceFault(const Options& options, const std::vector<DisplaySize>& displays) {
    if (displays.empty()) return "";
    const int32_t index = options.displayIndex;
    const std::string last = std::to_string(displays.size() - 1);
    if (index < 0 || static_cast<size_t>(index) >= displays.size())
        return "zema: there is no display " + std::to_string(index) +
               (displays.size() == 1 ? " (only display 0)" : " (displays 0 to " + last + ")") +
               "\n";
    const DisplaySize& size = displays[static_cast<size_t>(index)];
    if (options.windowed && options.windowSizeGiven && size.width > 0 && size.height > 0 &&
        (options.windowWidth > size.width || options.windowHeight > size.height))
        return "zema: a " + std::to_string(options.windowWidth) + "x" +
               std::to_string(options.windowHeight) + " window does not fit display " +
               std::to_string(index) + " (" + std::to_string(size.width) + "x" +
               std::to_string(size.height) + ")\n";
    if (options.viewWidth > 0 && size.width > 0 && size.height > 0 &&
        (options.viewWidth > size.width || options.viewHeight > size.height))
        return "zema: a " + std::to_string(options.viewWidth) + "x" +
               std::to_string(options.viewHeight) + " view does not fit display " +
               std::to_string(index) + " (" + std::to_string(size.width) + "x" +
               std::to_string(size.height) + ")\n";
    return "";
}

std::string usageText() {
    std::string text = "Usage: zema [OPTION]...\n"
                       "Steer a craft through a maze, collect the items and defeat the guardian.\n"
                       "\nOptions:\n";
    for (const OptionSpec& spec : optionTable) {
        std::string left = spec.shortName != 0 ? std::string("  -") + spec.shortName + ", --"
                                               : std::string("      --");
        left += spec.name;
        if (spec.value == Value::Optional) left += std::string("[=") + spec.valueName + "]";
        if (spec.value == Value::Required) left += std::string("=") + spec.valueName;
        if (left.size() < 24)
            left.resize(24, ' ');
        else
            left += "  ";
        text += left + spec.help + "\n";
    }
    text += "\nKeys:\n"
            "  Enter           start a game\n"
            "  arrow keys      move\n"
            "  Space           fire\n"
            "  Esc             quit\n"
            "  Alt+Enter       switch between window and fullscreen\n"
            "  F12, Print      save a screenshot in $XDG_DATA_HOME/zema/screenshots\n"
            "\nExit status: 0 after quitting or a failed display or input set-up, 2 for a bad\n"
            "command line, a demo file that cannot be written or a demo that is not valid, 3\n"
            "when a played demo's expected last frame differs, 255 when the sound cannot be set\n"
            "up.\n";
    return text;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
            return usageFault(line, "unexpected argument '" + arg + "'");
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionSpec* spec = nullptr;
        std::string value;
        bool hasValue = false;
        if (arg[1] == '-') {
            const size_t equals = arg.find('=');
            spec = findLong(
                arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2));
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
                hasValue = true;
            }
            if (spec == nullptr)
                return usageFault(
                    line,
                    "unknown option '" +
                        arg.substr(0, equals == std::string::npos ? std::string::npos : equals) +
                        "'");
        } else {
            spec = arg.size() == 2 ? findShort(arg[1]) : nullptr;
            if (spec == nullptr) return usageFault(line, "unknown option '" + arg + "'");
        }
        const std::string shown = std::string("--") + spec->name;
        if (spec->value == Value::None && hasValue)
            return usageFault(line, "option '" + shown + "' takes no value");
        // The next argument is the value unless it is an option itself; an optional value takes
        // it only then too, as no stray argument is ever valid.
        const bool nextIsValue =
            i + 1 < args.size() && !args[i + 1].empty() && args[i + 1][0] != '-';
        if (spec->value != Value::None && !hasValue && nextIsValue) {
            value = args[++i];
            hasValue = true;
        }
        if (spec->value == Value::Required && !hasValue)
            return usageFault(line, "option '" + shown + "' needs a value");
        if (!spec->apply(hasValue ? value.c_str() : nullptr, line))
            return usageFault(line, line.err);
        if (!line.run) return line;
    }
    return line;
}

} // namespace zema
