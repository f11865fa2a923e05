// The settings file: one table of lines and what each gives, then the file against the command
// line and --write-config read back.
#include <gtest/gtest.h>

#include <fstream>

#include "app/command_line.h"

namespace zema {
namespace {

struct LineCase {
    const char* line;
    const char* fault; // empty for a good line
    bool (*holds)(const Options&);
};

const LineCase lineCases[] = {
    {"window = 800x600", "", [](const Options& o) { return o.windowed && o.windowWidth == 800; }},
    {"  window=yes  ", "", [](const Options& o) { return o.windowed && !o.windowSizeGiven; }},
    {"window = no", "", [](const Options& o) { return !o.windowed; }},
    {"nosound = yes", "", [](const Options& o) { return o.noSound; }},
    {"display = 1\r", "", [](const Options& o) { return o.displayIndex == 1; }},
    {"volume = 0", "", [](const Options& o) { return o.volume == 0 && o.musicVolume == 100; }},
    {"effects-volume = 40", "", [](const Options& o) { return o.effectsVolume == 40; }},
    {"input = keyboard", "",
     [](const Options& o) { return o.bindings.input == InputChoice::Keyboard; }},
    {"key.right = Right, d", "",
     [](const Options& o) { return o.bindings.keys[int(KeyRole::Right)].count == 2; }},
    {"key.start = Keypad Enter", "",
     [](const Options& o) { return o.bindings.keys[int(KeyRole::Start)].count == 1; }},
    {"pad.fire = A", "", [](const Options& o) { return o.bindings.padFire == 0; }},
    {"pad.start-button = 1", "", [](const Options& o) { return o.bindings.rawStart == 0; }},
    {"pad.axes = 3 , 4", "", [](const Options& o) { return o.bindings.rawAxisY == 3; }},
    {"windw = 800x600", "unknown setting 'windw'", nullptr},
    {"fullscreen", "no '=' in 'fullscreen' (a setting is 'name = value')", nullptr},
    {"= 3", "unknown setting ''", nullptr},
    {"record = x.demo", "'record' is a command-line option only, not a setting", nullptr},
    {"fullscreen = maybe", "'fullscreen' takes yes or no, not 'maybe'", nullptr},
    {"window =", "'window' takes yes, no or a value, not ''", nullptr},
    {"window = 0x600", "invalid window size '0x600': expected WxH, for example 1024x768", nullptr},
    {"volume = 101", "invalid volume '101': 0 to 100", nullptr},
    {"input = pad", "invalid input 'pad': expected auto, keyboard or joystick", nullptr},
    {"key.left = Left, Lefty", "no key is named 'Lefty'", nullptr},
    {"key.left = Left,", "a key name is missing in 'Left,'", nullptr},
    {"key.fire = F12", "cannot bind 'F12': it is the program's screenshot key", nullptr},
    {"key.fire = Left Alt",
     "cannot bind 'Left Alt': it is taken by Alt+Enter, the program's "
     "switch between window and fullscreen",
     nullptr},
    {"key.up = a,b,c,d,e,f,g,h,i", "at most 8 keys for one role", nullptr},
    {"pad.start = B2",
     "no game-controller button is named 'B2' (a, b, x, y, back, start, "
     "leftshoulder...)",
     nullptr},
    {"pad.fire-button = 0", "invalid button number '0': 1 to 32", nullptr},
    {"pad.axes = 1", "invalid axes '1': expected X,Y, each 1 to 32", nullptr},
};

TEST(SettingsFile, EachLineGivesItsOptionOrItsFault) {
    for (const LineCase& c : lineCases) {
        const CommandLine line = parseSettings(std::string("# a comment\n\n") + c.line, "f.conf");
        SCOPED_TRACE(c.line);
        if (*c.fault == '\0') {
            EXPECT_TRUE(line.run) << line.err;
            EXPECT_TRUE(c.holds(line.options));
        } else {
            EXPECT_FALSE(line.run);
            EXPECT_EQ(line.exitStatus, exitUsage);
            EXPECT_EQ(line.err, std::string("zema: f.conf:3: ") + c.fault + "\n");
        }
    }
}

TEST(SettingsFile, CommandLineWinsAndWrittenSettingsReadBackTheSame) {
    const std::string path = testing::TempDir() + "/zema-settings-test.conf";
    std::ofstream(path) << "window = 800x600\nkey.right = D\nvolume = 30\n";
    const CommandLine line =
        readOptions({"--config", path, "--window=640x480", "--write-config"}, nullptr, nullptr);
    EXPECT_FALSE(line.run);
    EXPECT_EQ(line.exitStatus, 0);
    EXPECT_NE(line.out.find("\nwindow = 640x480\n"), std::string::npos) << line.out;
    EXPECT_NE(line.out.find("\nkey.right = D\n"), std::string::npos);
    EXPECT_NE(line.out.find("\nvolume = 30\n"), std::string::npos);
    EXPECT_EQ(settingsText(parseSettings(line.out, path)), line.out);

    const CommandLine missing = readOptions({"--config=" + path + ".none"}, nullptr, nullptr);
    EXPECT_EQ(missing.exitStatus, exitUsage);
    EXPECT_EQ(missing.err, "zema: " + path +
                               ".none: cannot read the settings: No such file or "
                               "directory\n");
    // A missing usual file is no fault: the options are the command line's alone.
    EXPECT_TRUE(readOptions({}, path.c_str(), nullptr).run);
    EXPECT_EQ(settingsFilePath("", "/home/p"), "/home/p/.config/zema/zema.conf");
}

} // namespace
} // namespace zema
