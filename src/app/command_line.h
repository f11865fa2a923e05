// The game's command line, read without touching the platform: the options as a record, or what
// to print and the status to exit with.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "exit_status.h"
#include "input/bindings.h"
#include "render/view_placement.h"
#include "sound/mixer.h"

namespace zema {

// A demo to write while playing, or one to play back at the game's pace or as fast as it goes.
enum class DemoRun { None, Record, Play, Time };

// What the game is asked to do. The defaults are the original's behaviour.
struct Options {
    bool windowed = false; // --window: a resizable window instead of fullscreen
    int32_t windowWidth = 1024;
    int32_t windowHeight = 768;
    bool windowSizeGiven = false; // false: the default size, made to fit a smaller display
    int32_t displayIndex = 0;     // --display: whose modes are listed and used
    bool noSound = false;         // --nosound: no audio device, no sound file read
    // --view: the game's own W x H, scaled to the window or screen; 0 x 0 for none (the view is
    // the mode's or the window's size). --scale alone views the original's 800 x 600.
    int32_t viewWidth = 0;
    int32_t viewHeight = 0;
    ViewScale scale = ViewScale::Fit; // --scale
    DemoRun demo = DemoRun::None;     // --record, --playdemo, --timedemo: at most one of them
    std::string demoPath;
    Bindings bindings = defaultBindings(); // key.*, pad.* and input
    int32_t volume = fullVolume;           // --volume, --music-volume, --effects-volume
    int32_t musicVolume = fullVolume;
    int32_t effectsVolume = fullVolume;
    // --smooth: pictures between frames at the display's rate, or at most smoothRate a second
    bool smooth = false;
    int32_t smoothRate = 0;   // 0: the display's own rate
    std::string configPath;   // --config: the settings file read instead of the usual one
    bool writeConfig = false; // --write-config: print the settings in force, start nothing
    // --data: the folder of the player's own copy; empty: looked for (see copy/own_copy.h)
    std::string dataFolder;
    bool checkData = false; // --check-data: say what the copy holds, start nothing
};

struct CommandLine {
    bool run = true;    // false: print and exit with exitStatus, starting nothing
    int exitStatus = 0; // when run is false
    std::string out;    // for standard output (usage, version)
    std::string err;    // for standard error: one line naming the fault
    Options options;
    // Each setting given, by name, with its value as written ("yes" for an option without one),
    // in the order given.
    std::vector<std::pair<std::string, std::string>> settingsGiven;
};

// Reads the arguments after the program's name, GNU style: long options as "--name=value" or
// "--name value", "-h", and "--" ending the options, over what start already holds (the
// settings file's options). The first fault found is reported.
CommandLine parseCommandLine(const std::vector<std::string>& args, CommandLine start = {});

// Reads a settings file's text over start: one "name = value" a line, by the long options' names
// and with their checks; blank lines and lines starting with '#' are skipped. The first fault is
// reported as one line "zema: FILE:LINE: why" with exit status exitUsage.
CommandLine parseSettings(const std::string& text, const std::string& fileName,
                          CommandLine start = {});

// Applies one line of a settings file, blanks and comments aside, over line; false with line.err
// set to why when it is refused.
bool applySettingLine(const std::string& text, CommandLine& line);

// The name a settings line sets, trimmed, as its setting is found by; "" for a blank line, a
// comment or a line without '='.
std::string settingLineName(const std::string& text);

// A complete settings file of every setting in force, each under a comment saying what it does.
std::string settingsText(const CommandLine& line);

// Where the settings file is: $XDG_CONFIG_HOME/zema/zema.conf, else ~/.config/zema/zema.conf;
// empty when neither variable is set (or either is empty).
std::string settingsFilePath(const char* configHome, const char* home);

// The whole settings file into text; false with errno's number in error when it cannot be read
// (EFBIG past a size no settings file has).
bool readSettingsFile(const std::string& path, std::string& text, int& error);

// The whole of the options: the settings file (--config's, or usualPath when it exists), then
// the command line over it. --write-config's text is the result's out.
CommandLine readOptions(const std::vector<std::string>& args, const std::string& usualPath);

// The size of one display as the platform reports it; 0 x 0 when it has none.
struct DisplaySize {
    int32_t width, height;
};

// Checks the options against the displays there are, once they can be asked: empty when they
// fit, otherwise the fault as one line ending in a newline (exit status exitUsage). Only a size
// given on the command line must fit (a window's, or a view's); the default one is made to. With no
// display listed at all nothing is judged here; the display's set-up reports it.
std::string displayChoiceFault(const Options& options, const std::vector<DisplaySize>& displays);

// The usage text that --help prints.
std::string usageText();

// The view --scale gives when no --view is: the original's own layout.
constexpr int32_t scaleAloneViewWidth = 800;
constexpr int32_t scaleAloneViewHeight = 600;

// The highest rate --smooth takes, pictures a second.
constexpr int32_t maxSmoothRate = 1000;

} // namespace zema
