// The settings editors' part: the player's file changed in place with the rest kept byte for
// byte, and the option table walked as rows, each stepped and reset through the file.
#include <gtest/gtest.h>

#include "app/setting_rows.h"
#include "app/settings_edit.h"

namespace zema {
namespace {

// Comments, a line the game refuses, a blank line, Windows line ends and no last line end.
const std::string playersFile =
    "# mine\r\nvolume = 50\r\nfoo = bar\r\n\r\n  key.fire=Space\r\nvolume = 500\r\n# end";

struct EditCase {
    const char* what;
    std::string text;
    const char* name;  // null: withDefaults
    const char* value; // null: withoutSetting
    std::string gives;
};

const EditCase editCases[] = {
    {"changed where it stands, the refused line of it too", playersFile, "volume", "70",
     "# mine\r\n# volume = 50\r\nfoo = bar\r\n\r\n  key.fire=Space\r\nvolume = 70\r\n# end"},
    {"a key changed in place", playersFile, "key.fire", "F",
     "# mine\r\nvolume = 50\r\nfoo = bar\r\n\r\nkey.fire = F\r\nvolume = 500\r\n# end"},
    {"a new one at the end under its help", playersFile, "smooth", "30",
     playersFile + "\r\n\r\n# show motion between frames at the display's rate, or at most HZ a "
                   "second\r\nsmooth = 30\r\n"},
    {"into an empty file", "", "view", "800x600",
     "# a view of W x H pixels, scaled to the window or screen\nview = 800x600\n"},
    {"reset: its lines made comments", playersFile, "volume", nullptr,
     "# mine\r\n# volume = 50\r\nfoo = bar\r\n\r\n  key.fire=Space\r\n# volume = 500\r\n# end"},
    {"all reset: the unknown line kept", playersFile, nullptr, nullptr,
     "# mine\r\n# volume = 50\r\nfoo = bar\r\n\r\n#   key.fire=Space\r\n# volume = 500\r\n# end"},
    {"no after a size does not leave the size", "window = 800x600\nwindow = yes\n", "window", "no",
     "# window = 800x600\nwindow = no\n"},
    {"added after a blank first line", "\n", "key.quit", "Q",
     "\n\n# keys that quit (default Escape)\nkey.quit = Q\n"},
};

TEST(SettingsEdit, ChangesInPlaceAndKeepsTheRest) {
    for (const EditCase& c : editCases) {
        SCOPED_TRACE(c.what);
        const std::string edited = c.name == nullptr    ? withDefaults(c.text)
                                   : c.value == nullptr ? withoutSetting(c.text, c.name)
                                                        : withSetting(c.text, c.name, c.value);
        EXPECT_EQ(edited, c.gives);
    }
    // Each refused line is told by its number and changes nothing; the good ones are in force.
    std::vector<std::string> faults;
    const CommandLine line = readSettingsLeniently(playersFile, "f.conf", faults);
    EXPECT_EQ(faults, (std::vector<std::string>{"f.conf:3: unknown setting 'foo'",
                                                "f.conf:6: invalid volume '500': 0 to 100"}));
    EXPECT_EQ(line.options.volume, 50);
    EXPECT_TRUE(line.run);
}

// A 1024 x 768 display with two modes.
const RowContext context = {{{1024, 768}}, {"1024x768", "800x600"}};

struct KindCase {
    const char* name;
    RowKind kind;
};
const KindCase kindCases[] = {{"window", RowKind::Size},   {"fullscreen", RowKind::Toggle},
                              {"scale", RowKind::Choice},  {"smooth", RowKind::Rate},
                              {"display", RowKind::Count}, {"volume", RowKind::Volume},
                              {"key.fire", RowKind::Keys}, {"pad.start", RowKind::PadButton},
                              {"pad.axes", RowKind::Text}, {"pad.fire-button", RowKind::Count}};

TEST(SettingRows, EverySettingIsARowInTheTablesOrder) {
    const std::vector<const OptionSpec*> rows = settingRows();
    size_t next = 0;
    for (const OptionSpec& spec : optionSpecs()) {
        if (!spec.setting) continue;
        ASSERT_LT(next, rows.size());
        EXPECT_EQ(rows[next++], &spec);
        // With no file each shows what --write-config writes for it, or its default.
        const std::string shown = shownRowValue(spec, CommandLine{});
        const std::string written = settingsText(CommandLine{});
        EXPECT_TRUE(written.find(std::string("\n") + spec.name + " = " + shown + "\n") !=
                        std::string::npos ||
                    rowValue(spec, CommandLine{}).empty())
            << spec.name << " shows " << shown;
        // A step from the defaults, up or else down, is written to the file, read back by the
        // game's own reader and shown; the reset comes back to the default.
        std::string value;
        if (!steppedRowValue("", spec, 1, context, value) &&
            !steppedRowValue("", spec, -1, context, value))
            continue;
        const std::string text = withRowValue("", spec, value);
        const CommandLine read = parseSettings(text, "f.conf");
        EXPECT_TRUE(read.run) << read.err;
        EXPECT_EQ(rowValue(spec, read), value) << text;
        EXPECT_EQ(shownRowValue(spec, settingsInForce(withRowValue(text, spec, ""))), shown);
    }
    EXPECT_EQ(next, rows.size());
    for (const KindCase& c : kindCases) {
        EXPECT_EQ(rowKind(*findLongOption(c.name)), c.kind) << c.name;
        EXPECT_EQ(takesPadButtonNumber(*findLongOption(c.name)),
                  c.kind == RowKind::Count && c.name[0] == 'p')
            << c.name;
    }
}

struct StepCase {
    const char* text;
    const char* name;
    int direction;
    const char* gives; // null: no step
};
const StepCase stepCases[] = {
    {"", "volume", -1, "90"},
    {"volume = 45", "volume", 1, "50"},
    {"volume = 45", "volume", -1, "40"},
    {"volume = 100", "volume", 1, nullptr},
    {"volume = 0", "volume", -1, nullptr},
    {"", "display", 1, nullptr},
    {"", "display", -1, nullptr},
    {"", "pad.fire-button", 1, "4"},
    {"pad.fire-button = 32", "pad.fire-button", 1, nullptr},
    {"", "scale", 1, "integer"},
    {"", "scale", -1, "stretch"},
    {"scale = stretch", "scale", 1, ""},
    {"scale = fit", "scale", 1, "integer"},
    {"", "input", 1, "keyboard"},
    {"", "window", 1, "yes"},
    {"window = yes", "window", 1, "1024x768"},
    {"", "window", -1, "800x600"},
    {"", "view", 1, "1024x768"},
    {"view = 800x600", "view", 1, ""},
    {"smooth = 120", "smooth", 1, "no"},
    {"", "fullscreen", 1, nullptr},
    {"", "nosound", 1, "yes"},
    {"", "pad.fire", 1, "y"},
    {"", "pad.fire", -1, "b"},
    {"", "key.fire", 1, nullptr},
    {"", "pad.axes", 1, nullptr},
};

TEST(SettingRows, AStepGivesTheNextValueTakenOrNone) {
    for (const StepCase& c : stepCases) {
        SCOPED_TRACE(std::string(c.text) + ", " + c.name + " " + std::to_string(c.direction));
        std::string value = "unchanged";
        const bool stepped =
            steppedRowValue(c.text, *findLongOption(c.name), c.direction, context, value);
        EXPECT_EQ(stepped, c.gives != nullptr);
        EXPECT_EQ(value, c.gives != nullptr ? c.gives : value);
    }
    EXPECT_EQ(rowValueFault("", *findLongOption("view"), "2000x2000", context),
              "a 2000x2000 view does not fit display 0 (1024x768)");
    EXPECT_EQ(rowValueFault("", *findLongOption("volume"), "500", context),
              "invalid volume '500': 0 to 100");
    EXPECT_EQ(rowValueFault("", *findLongOption("volume"), "", context), "");
    EXPECT_EQ(withRowValue("volume = 100\n", *findLongOption("volume"), "100"), "volume = 100\n");
    EXPECT_EQ(withRowValue("volume = 500\n", *findLongOption("volume"), ""), "# volume = 500\n");
}

} // namespace
} // namespace zema
