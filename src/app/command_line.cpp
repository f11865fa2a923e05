// Reading the command line: one table of options, from which the parsing, the usage text and
// the settings file all come, so that a new option or setting is one row and one small function.
#include "app/command_line.h"

#include <cstddef>

#include "app/option_table.h"
#include "app/user_folder_names.h"
#include "decimal.h"

#ifndef ZEMA_VERSION
#error "ZEMA_VERSION must be defined by the build (the project's version)"
#endif

namespace zema {

namespace {

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

bool useWindow(const char* value, CommandLine& line) {
    Options& options = line.options;
    options.windowed = true;
    if (value == nullptr) return true;
    if (!parseSize(value, largestSide, options.windowWidth, options.windowHeight))
        return refuse(line, "invalid window size '" + std::string(value) +
                                "': expected WxH, for example 1024x768");
    options.windowSizeGiven = true;
    return true;
}

bool useView(const char* value, CommandLine& line) {
    if (!parseSize(value, largestSide, line.options.viewWidth, line.options.viewHeight))
        return refuse(line, "invalid view size '" + std::string(value) +
                                "': expected WxH, for example 800x600");
    return true;
}

// Empty without a view: the file then shows the setting as a comment.
std::string viewInForce(const Options& options) {
    if (options.viewWidth == 0) return "";
    return std::to_string(options.viewWidth) + "x" + std::to_string(options.viewHeight);
}

// In ViewScale's order.
constexpr const char* scaleChoiceNames[] = {"fit", "integer", "stretch"};

bool useScale(const char* value, CommandLine& line) {
    Options& options = line.options;
    int found = -1;
    for (int i = 0; i < 3; ++i)
        if (std::string(value) == scaleChoiceNames[i]) found = i;
    if (found < 0)
        return refuse(line, "invalid scale '" + std::string(value) +
                                "': expected fit, integer or stretch");
    options.scale = ViewScale(found);
    // A --view given before or after wins.
    if (options.viewWidth == 0) {
        options.viewWidth = scaleAloneViewWidth;
        options.viewHeight = scaleAloneViewHeight;
    }
    return true;
}

bool useDisplay(const char* value, CommandLine& line) {
    if (!parseDecimal(value, 1000, line.options.displayIndex))
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

std::string yesNo(bool yes) {
    return yes ? "yes" : "no";
}

std::string windowInForce(const Options& options) {
    if (!options.windowed) return "no";
    if (!options.windowSizeGiven) return "yes";
    return std::to_string(options.windowWidth) + "x" + std::to_string(options.windowHeight);
}

std::string fullscreenInForce(const Options& options) {
    return yesNo(!options.windowed);
}

std::string displayInForce(const Options& options) {
    return std::to_string(options.displayIndex);
}

std::string noSoundInForce(const Options& options) {
    return yesNo(options.noSound);
}

// The text between separators (commas unless told), without the spaces around it.
std::vector<std::string> splitList(const std::string& text, char separator = ',') {
    std::vector<std::string> items;
    size_t from = 0;
    while (true) {
        const size_t comma = text.find(separator, from);
        std::string item = text.substr(from, comma == std::string::npos ? comma : comma - from);
        const size_t first = item.find_first_not_of(" \t");
        const size_t last = item.find_last_not_of(" \t");
        items.push_back(first == std::string::npos ? "" : item.substr(first, last - first + 1));
        if (comma == std::string::npos) return items;
        from = comma + 1;
    }
}

template <KeyRole role> bool useKeys(const char* value, CommandLine& line) {
    const std::vector<std::string> names = splitList(value);
    if (names.size() > size_t(maxKeysPerRole))
        return refuse(line, "at most " + std::to_string(maxKeysPerRole) + " keys for one role");
    KeyList list = {};
    for (const std::string& name : names) {
        if (name.empty())
            return refuse(line, "a key name is missing in '" + std::string(value) + "'");
        const int32_t key = keyFromName(name.c_str());
        if (key == 0) return refuse(line, "no key is named '" + name + "'");
        if (const char* fault = programKeyFault(key))
            return refuse(line, "cannot bind '" + name + "': it " + fault);
        list.keys[list.count++] = key;
    }
    line.options.bindings.keys[int(role)] = list;
    return true;
}

template <KeyRole role> std::string keysInForce(const Options& options) {
    const KeyList& list = options.bindings.keys[int(role)];
    std::string text;
    for (int i = 0; i < list.count; ++i)
        text += (i > 0 ? ", " : "") + std::string(keyName(list.keys[i]));
    return text;
}

template <int32_t Bindings::*button> bool usePadButton(const char* value, CommandLine& line) {
    const int32_t found = padButtonFromName(value);
    if (found < 0) return refuse(line, "no pad button is named '" + std::string(value) + "'");
    line.options.bindings.*button = found;
    return true;
}

template <int32_t Bindings::*button> std::string padButtonInForce(const Options& options) {
    return padButtonName(options.bindings.*button);
}

// "none", or one or two button names joined by '+', held together.
bool usePadQuit(const char* value, CommandLine& line) {
    Bindings& b = line.options.bindings;
    if (std::string(value) == "none") {
        b.padQuitCount = 0;
        return true;
    }
    const std::vector<std::string> names = splitList(value, '+');
    Bindings chosen = b;
    chosen.padQuitCount = 0;
    for (const std::string& name : names) {
        if (name.empty() || names.size() > size_t(maxQuitButtons))
            return refuse(line, "invalid buttons '" + std::string(value) +
                                    "': expected none, a button, or two joined by '+'");
        const int32_t button = padButtonFromName(name.c_str());
        if (button < 0) return refuse(line, "no pad button is named '" + name + "'");
        chosen.padQuit[chosen.padQuitCount++] = button;
    }
    b = chosen;
    return true;
}

std::string padQuitInForce(const Options& options) {
    const Bindings& b = options.bindings;
    if (b.padQuitCount == 0) return "none";
    std::string text;
    for (int i = 0; i < b.padQuitCount; ++i)
        text += (i > 0 ? "+" : "") + std::string(padButtonName(b.padQuit[i]));
    return text;
}

// Pads' buttons and axes are counted from 1 in the settings, from 0 in SDL.
constexpr int32_t maxPadIndex = 32;

bool parsePadIndex(const std::string& text, int32_t& index) {
    int32_t counted = 0;
    if (!parseDecimal(text, maxPadIndex, counted) || counted == 0) return false;
    index = counted - 1;
    return true;
}

template <int32_t Bindings::*button> bool useRawButton(const char* value, CommandLine& line) {
    if (!parsePadIndex(value, line.options.bindings.*button))
        return refuse(line, "invalid button number '" + std::string(value) + "': 1 to " +
                                std::to_string(maxPadIndex));
    return true;
}

template <int32_t Bindings::*button> std::string rawButtonInForce(const Options& options) {
    return std::to_string(options.bindings.*button + 1);
}

bool useRawAxes(const char* value, CommandLine& line) {
    const std::vector<std::string> axes = splitList(value);
    Bindings& b = line.options.bindings;
    if (axes.size() != 2 || !parsePadIndex(axes[0], b.rawAxisX) ||
        !parsePadIndex(axes[1], b.rawAxisY))
        return refuse(line, "invalid axes '" + std::string(value) + "': expected X,Y, each 1 to " +
                                std::to_string(maxPadIndex));
    return true;
}

std::string rawAxesInForce(const Options& options) {
    return std::to_string(options.bindings.rawAxisX + 1) + "," +
           std::to_string(options.bindings.rawAxisY + 1);
}

constexpr const char* inputChoiceNames[] = {"auto", "keyboard", "joystick"};

bool useInput(const char* value, CommandLine& line) {
    for (int i = 0; i < 3; ++i)
        if (std::string(value) == inputChoiceNames[i]) {
            line.options.bindings.input = InputChoice(i);
            return true;
        }
    return refuse(line, "invalid input '" + std::string(value) +
                            "': expected auto, keyboard or joystick");
}

std::string inputInForce(const Options& options) {
    return inputChoiceNames[int(options.bindings.input)];
}

template <int32_t Options::*volume> bool useVolume(const char* value, CommandLine& line) {
    if (!parseDecimal(value, fullVolume, line.options.*volume))
        return refuse(line, "invalid volume '" + std::string(value) + "': 0 to 100");
    return true;
}

template <int32_t Options::*volume> std::string volumeInForce(const Options& options) {
    return std::to_string(options.*volume);
}

bool useSmooth(const char* value, CommandLine& line) {
    Options& options = line.options;
    options.smooth = value == nullptr || std::string(value) != "no";
    options.smoothRate = 0;
    if (value == nullptr || std::string(value) == "yes" || std::string(value) == "no") return true;
    if (!parseDecimal(value, maxSmoothRate, options.smoothRate) || options.smoothRate == 0)
        return refuse(line, "invalid rate '" + std::string(value) + "': yes, no or 1 to " +
                                std::to_string(maxSmoothRate) + " pictures a second");
    return true;
}

std::string smoothInForce(const Options& options) {
    if (!options.smooth) return "no";
    return options.smoothRate == 0 ? "yes" : std::to_string(options.smoothRate);
}

bool useConfig(const char* value, CommandLine& line) {
    if (*value == '\0') return refuse(line, "--config needs a file name");
    line.options.configPath = value;
    return true;
}

bool useData(const char* value, CommandLine& line) {
    if (*value == '\0') return refuse(line, "--data needs a folder");
    line.options.dataFolder = value;
    return true;
}

std::string dataInForce(const Options& options) {
    return options.dataFolder;
}

bool useCheckData(const char*, CommandLine& line) {
    line.options.checkData = true;
    return true;
}

bool useWriteConfig(const char*, CommandLine& line) {
    line.options.writeConfig = true;
    return true;
}

constexpr OptionSpec optionTable[] = {
    {"help", 'h', Value::None, nullptr, "show this help and exit", showHelp, false},
    {"version", 0, Value::None, nullptr, "show the version and exit", showVersion, false},
    {"config", 0, Value::Required, "FILE", "read the settings from FILE instead of zema.conf",
     useConfig, false},
    {"write-config", 0, Value::None, nullptr,
     "print a settings file of the settings in force and exit", useWriteConfig, false},
    {"window", 0, Value::Optional, "WxH",
     "play in a resizable window of W x H pixels (default 1024x768)", useWindow, true,
     windowInForce},
    {"fullscreen", 0, Value::None, nullptr,
     "play fullscreen at the display's largest mode (the default)", useFullscreen, true,
     fullscreenInForce},
    {"view", 0, Value::Required, "WxH", "a view of W x H pixels, scaled to the window or screen",
     useView, true, viewInForce},
    {"scale", 0, Value::Required, "HOW", "fit (default), integer or stretch; alone: --view=800x600",
     useScale, true, nullptr, scaleChoiceNames},
    {"smooth", 0, Value::Optional, "HZ",
     "show motion between frames at the display's rate, or at most HZ a second", useSmooth, true,
     smoothInForce},
    {"display", 0, Value::Required, "N", "use display N, counted from 0 (default 0)", useDisplay,
     true, displayInForce},
    {"data", 0, Value::Required, "DIR",
     "play with the pictures and sounds of your own copy of the original in DIR", useData, true,
     dataInForce},
    {"check-data", 0, Value::None, nullptr,
     "say what the copy (--data's, or the one found) holds, and exit", useCheckData, false},
    {"nosound", 0, Value::None, nullptr, "play without sound: no audio device, no sound file",
     useNoSound, true, noSoundInForce},
    {"volume", 0, Value::Required, "0-100", "the whole sound's volume (default 100)",
     useVolume<&Options::volume>, true, volumeInForce<&Options::volume>},
    {"music-volume", 0, Value::Required, "0-100", "the tune's volume (default 100)",
     useVolume<&Options::musicVolume>, true, volumeInForce<&Options::musicVolume>},
    {"effects-volume", 0, Value::Required, "0-100", "the effects' volume (default 100)",
     useVolume<&Options::effectsVolume>, true, volumeInForce<&Options::effectsVolume>},
    {"input", 0, Value::Required, "DEVICE",
     "the device that steers: auto, keyboard or joystick (default auto)", useInput, true,
     inputInForce, inputChoiceNames},
    {"key.left", 0, Value::Required, "KEYS", "keys that steer left (default Left)",
     useKeys<KeyRole::Left>, true, keysInForce<KeyRole::Left>},
    {"key.right", 0, Value::Required, "KEYS", "keys that steer right (default Right)",
     useKeys<KeyRole::Right>, true, keysInForce<KeyRole::Right>},
    {"key.up", 0, Value::Required, "KEYS", "keys that steer up (default Up)", useKeys<KeyRole::Up>,
     true, keysInForce<KeyRole::Up>},
    {"key.down", 0, Value::Required, "KEYS", "keys that steer down (default Down)",
     useKeys<KeyRole::Down>, true, keysInForce<KeyRole::Down>},
    {"key.fire", 0, Value::Required, "KEYS", "keys that fire (default Space)",
     useKeys<KeyRole::Fire>, true, keysInForce<KeyRole::Fire>},
    {"key.start", 0, Value::Required, "KEYS",
     "keys that start a game (default Return, Keypad Enter)", useKeys<KeyRole::Start>, true,
     keysInForce<KeyRole::Start>},
    {"key.quit", 0, Value::Required, "KEYS", "keys that quit (default Escape)",
     useKeys<KeyRole::Quit>, true, keysInForce<KeyRole::Quit>},
    {"pad.fire", 0, Value::Required, "BUTTON",
     "the button that fires on pads SDL knows (default x)", usePadButton<&Bindings::padFire>, true,
     padButtonInForce<&Bindings::padFire>},
    {"pad.start", 0, Value::Required, "BUTTON",
     "the button that starts a game on pads SDL knows (default b)",
     usePadButton<&Bindings::padStart>, true, padButtonInForce<&Bindings::padStart>},
    {"pad.quit", 0, Value::Required, "BUTTONS",
     "buttons that quit when held together on pads SDL knows, as back+start (default none)",
     usePadQuit, true, padQuitInForce},
    {"pad.fire-button", 0, Value::Required, "N",
     "the button that fires on other pads, counted from 1 (default 3)",
     useRawButton<&Bindings::rawFire>, true, rawButtonInForce<&Bindings::rawFire>},
    {"pad.start-button", 0, Value::Required, "N",
     "the button that starts a game on other pads, counted from 1 (default 2)",
     useRawButton<&Bindings::rawStart>, true, rawButtonInForce<&Bindings::rawStart>},
    {"pad.axes", 0, Value::Required, "X,Y",
     "the axes that steer on other pads, counted from 1 (default 1,2)", useRawAxes, true,
     rawAxesInForce},
    {"record", 0, Value::Required, "FILE", "play as usual and write the game to FILE as a demo",
     useRecord, false},
    {"playdemo", 0, Value::Required, "FILE", "play the demo in FILE at the game's own pace",
     usePlayDemo, false},
    {"timedemo", 0, Value::Required, "FILE",
     "play the demo in FILE as fast as it goes, silent, and print frames/s", useTimeDemo, false},
};

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

std::span<const OptionSpec> optionSpecs() {
    return optionTable;
}

void noteSettingGiven(CommandLine& line, const std::string& name, const std::string& value) {
    for (auto& given : line.settingsGiven)
        if (given.first == name) {
            given.second = value;
            return;
        }
    line.settingsGiven.emplace_back(name, value);
}

const OptionSpec* findLongOption(const std::string& name) {
    for (const OptionSpec& spec : optionTable)
        if (name == spec.name) return &spec;
    return nullptr;
}

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

namespace {

void addUsageLines(std::string& text, bool settings) {
    for (const OptionSpec& spec : optionTable) {
        if (spec.setting != settings) continue;
        std::string left = spec.shortName != 0 ? std::string("  -") + spec.shortName + ", --"
                                               : std::string("      --");
        left += spec.name;
        if (spec.value == Value::Optional) left += std::string("[=") + spec.valueName + "]";
        if (spec.value == Value::Required) left += std::string("=") + spec.valueName;
        if (left.size() < 23)
            left.resize(24, ' ');
        else
            left += "  ";
        text += left + spec.help + "\n";
    }
}

} // namespace

std::string usageText() {
    std::string text = "Usage: zema [OPTION]...\n"
                       "Steer a craft through a maze, collect the items and defeat the guardian.\n"
                       "\nOptions:\n";
    addUsageLines(text, false);
    text += "\nSettings, as options or as 'name = value' lines ('yes' or 'no' for those without\n"
            "a value) in the settings file ";
    text += settingsPlaceHelp;
    text += "; the command line wins over the file. KEYS are SDL's\n"
            "key names, separated by commas. zema-setup changes the settings in a window.\n";
    addUsageLines(text, true);
    text += "\nKeys (the defaults):\n"
            "  Enter           start a game\n"
            "  arrow keys      move\n"
            "  Space           fire\n"
            "  Esc             quit\n"
            "  Alt+Enter       switch between window and fullscreen\n"
            "  F12, Print      save a screenshot in ";
    text += screenshotPlaceHelp;
    text += "\n"
            "\nExit status: 0 after quitting or a failed display or input set-up, 2 for a bad\n"
            "command line or settings file, a demo file that cannot be written, a demo that\n"
            "is not valid or a --data folder that is not a whole copy, 3 when a played demo's\n"
            "expected last frame differs, 255 when the sound cannot be set up.\n";
    return text;
}

CommandLine parseCommandLine(const std::vector<std::string>& args, CommandLine line) {
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
            spec = findLongOption(
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
        if (spec->setting) noteSettingGiven(line, spec->name, hasValue ? value : "yes");
        if (!line.run) return line;
    }
    return line;
}

} // namespace zema
