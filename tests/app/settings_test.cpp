// The settings file: one table of lines and what each gives, then the file against the command
// line and --write-config read back.
#include <gtest/gtest.h>

#include <fstream>

#include "app/command_line.h"

namespace zema {
namespace {

// A good line and the line --write-config then writes for it, or a bad one and its fault.
struct LineCase {
    const char* line;
    bool good;
    const char* gives;
};

const LineCase lineCases[] = {
    {"  window=800x600  ", true, "window = 800x600"},
    {"display = 1\r", true, "display = 1"},
    {"music-volume=0", true, "music-volume = 0"},
    {"input = keyboard", true, "input = keyboard"},
    {"key.right = Right,d", true, "key.right = Right, D"},
    {"key.start = keypad enter", true, "key.start = Keypad Enter"},
    {"pad.fire = A", true, "pad.fire = a"},
    {"pad.axes = 3 , 4", true, "pad.axes = 3,4"},
    {"pad.quit = Back + START", true, "pad.quit = back+start"},
    {"pad.quit = A+guide", true, "pad.quit = a+guide"},
    {"pad.quit = none", true, "pad.quit = none"},
    {"smooth = yes", true, "smooth = yes"},
    {"smooth = 30", true, "smooth = 30"},
    {"smooth = no", true, "smooth = no"},
    {"data = /games/my copy", true, "data = /games/my copy"},
    {"windw = 800x600", false, "unknown setting 'windw'"},
    {"fullscreen", false, "no '=' in 'fullscreen' (a setting is 'name = value')"},
    {"record = x.demo", false, "'record' is a command-line option only, not a setting"},
    {"check-data = yes", false, "'check-data' is a command-line option only, not a setting"},
    {"data =", false, "--data needs a folder"},
    {"fullscreen = maybe", false, "'fullscreen' takes yes or no, not 'maybe'"},
    {"window =", false, "'window' takes yes, no or a value, not ''"},
    {"window = 0x600", false, "invalid window size '0x600': expected WxH, for example 1024x768"},
    {"volume = 101", false, "invalid volume '101': 0 to 100"},
    {"smooth = 0", false, "invalid rate '0': yes, no or 1 to 1000 pictures a second"},
    {"input = pad", false, "invalid input 'pad': expected auto, keyboard or joystick"},
    {"key.left = Left, Lefty", false, "no key is named 'Lefty'"},
    {"key.left = Left,", false, "a key name is missing in 'Left,'"},
    {"key.fire = F12", false, "cannot bind 'F12': it is the program's screenshot key"},
    {"key.fire = Left Alt", false,
     "cannot bind 'Left Alt': it would make Enter the program's Alt+Enter"},
    {"key.up = a,b,c,d,e,f,g,h,i", false, "at most 8 keys for one role"},
    {"pad.start = B2", false, "no pad button is named 'B2'"},
    {"pad.fire-button = 0", false, "invalid button number '0': 1 to 32"},
    {"pad.axes = 1", false, "invalid axes '1': expected X,Y, each 1 to 32"},
    {"pad.quit = back+", false,
     "invalid buttons 'back+': expected none, a button, or two joined by '+'"},
    {"pad.quit = a+b+x", false,
     "invalid buttons 'a+b+x': expected none, a button, or two joined by '+'"},
    {"pad.quit = back+stop", false, "no pad button is named 'stop'"},
};

TEST(SettingsFile, EachLineGivesItsSettingOrItsFault) {
    for (const LineCase& c : lineCases) {
        const CommandLine line = parseSettings(std::string("# a comment\n\n") + c.line, "f.conf");
        SCOPED_TRACE(c.line);
        EXPECT_EQ(line.run, c.good);
        if (c.good)
            EXPECT_NE(settingsText(line).find(std::string("\n") + c.gives + "\n"),
                      std::string::npos);
        else
            EXPECT_EQ(line.err, std::string("zema: f.conf:3: ") + c.gives + "\n");
    }
}

TEST(SettingsFile, CommandLineWinsAndWrittenSettingsReadBackTheSame) {
    const std::string path = testing::TempDir() + "/zema-settings-test.conf";
    std::ofstream(path) << "window = 800x600\nkey.right = D\n";
    const CommandLine line =
        readOptions({"--config", path, "--window=640x480", "--write-config"}, "");
    EXPECT_EQ(line.exitStatus, 0);
    EXPECT_NE(line.out.find("\nwindow = 640x480\n"), std::string::npos) << line.out;
    EXPECT_NE(line.out.find("\nkey.right = D\n"), std::string::npos);
    // Where the file lives, on one line; a setting never given, as a comment of its value's kind.
    EXPECT_TRUE(line.out.starts_with(
        "# ZEMA's settings, as 'zema --write-config' printed them. One 'name = value' a\n"
        "# line; options given on the command line win over these. The game reads them from\n"
        "# $XDG_CONFIG_HOME/zema/zema.conf (~/.config/zema/zema.conf) or --config=FILE.\n\n"))
        << line.out;
    EXPECT_NE(line.out.find("\n# scale = HOW\n"), std::string::npos);
    EXPECT_EQ(settingsText(parseSettings(line.out, path)), line.out);

    const CommandLine missing = readOptions({"--config=" + path + ".none"}, "");
    EXPECT_EQ(missing.exitStatus, exitUsage);
    EXPECT_EQ(missing.err, "zema: " + path +
                               ".none: cannot read the settings: No such file or "
                               "directory\n");
    // A missing usual file is no fault: the options are the command line's alone.
    EXPECT_TRUE(readOptions({}, settingsFilePath(path.c_str(), nullptr)).run);
    EXPECT_EQ(settingsFilePath("", "/home/p"), "/home/p/.config/zema/zema.conf");
}

} // namespace
} // namespace zema
