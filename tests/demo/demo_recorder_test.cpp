// The recorder against the scripted input: games played in-process and written down, then
// replayed by zema-sim, which must print the same frames and find the expected record equal.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include <fstream>
#include <sstream>

#include "display/display.h"
#include "game/world.h"
#include "input/input_headless.h"
#include "recorded_game.h"
#include "sim_run.h"

namespace zema {
namespace {

// Each (index, text): the demo's line at that index.
void expectLinesAt(const std::vector<std::string>& lines,
                   std::initializer_list<std::pair<size_t, const char*>> wanted) {
    for (const auto& [index, text] : wanted) {
        ASSERT_LT(index, lines.size());
        EXPECT_EQ(lines[index], text) << "line " << index;
    }
}

std::vector<std::string> demoLines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

void expectReplaysTheSame(const std::string& demo, const RecordedGame& game) {
    const SimRun replay = runSim("", demo);
    EXPECT_EQ(replay.status, 0) << replay.errors << "\n" << demo;
    EXPECT_EQ(replay.errors, "");
    EXPECT_EQ(replay.lines, game.lines);
}

TEST(DemoRecorder, KeyboardGameReplaysFrameForFrame) {
    startHeadlessInput(false);
    RecordedGame game;
    game.start(1234);
    game.frames(2); // the title screen reads nothing
    game.key(ScriptCommandKind::Enter);
    scriptedKeyboard = {false, true, false, false};
    game.frames(5);
    game.key(ScriptCommandKind::Space);
    scriptedKeyboard = {false, false, false, true};
    game.frames(3);
    scriptedKeyboard = {true, true, true, false}; // left and right both: both are taken
    game.frames(2);
    scriptedKeyboard = {};
    game.key(ScriptCommandKind::Space);
    game.key(ScriptCommandKind::Space);
    game.frames(4);
    scriptedDeviceReadable = false; // a read that fails gives no controls
    scriptedKeyboard = {false, true, false, false};
    game.frames(1);
    scriptedDeviceReadable = true;
    game.key(ScriptCommandKind::Enter); // after the last frame: not in its record
    const std::string demo = game.finish(true);

    const std::vector<std::string> lines = demoLines(demo);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0].rfind("# ", 0), 0u);
    const size_t n = lines.size();
    expectLinesAt(lines, {{1, "device keyboard"},
                          {2, "seed 1234"},
                          {3, "mode 1024x768"},
                          {4, "frame"},
                          {6, "enter"},
                          {7, "frame r"},
                          {12, "space"},
                          {13, "frame d"},
                          {16, "frame lru"},
                          {n - 4, "frame"}, // the failed read
                          {n - 3, "enter"},
                          {n - 2, "esc"}});
    EXPECT_EQ(lines.back(), "expect " + game.lines.back());
    EXPECT_EQ(game.recorder.frames, 17);
    expectReplaysTheSame(demo, game);
}

TEST(DemoRecorder, JoystickGameWritesStartAndFireAndReplays) {
    startHeadlessInput(true);
    RecordedGame game;
    game.start(99);
    // Fields: x, y, start, fire. On the title screen only the start button is read.
    scriptedJoystick = {1000, 0, false, true};
    game.frames(1);
    scriptedJoystick = {0, 0, true, true}; // start: the same frame plays, fire is read there
    game.frames(1);
    scriptedJoystick = {1000, -1000, true, false}; // start is not read in play
    game.frames(3);
    scriptedJoystick = {-999, 1000, false, false}; // one step short of an end: no move
    game.frames(2);
    scriptedJoystick = {-1000, 0, false, false};
    game.frames(2);
    const std::string demo = game.finish(false);
    const std::vector<std::string> lines = demoLines(demo);
    ASSERT_EQ(lines.size(), 14u) << demo;
    expectLinesAt(lines, {{1, "device joystick"},
                          {4, "frame"},
                          {5, "frame fs"},
                          {6, "frame ru"},
                          {9, "frame d"},
                          {11, "frame l"}});
    EXPECT_EQ(lines[13], "expect " + game.lines.back()); // closed, not Esc: no esc line
    EXPECT_EQ(jsonInt(game.lines[1], "screenMode"), 0);
    expectReplaysTheSame(demo, game);
}

TEST(DemoRecorder, ViewSizeChangesAreWrittenBeforeTheirFrame) {
    startHeadlessInput(false);
    RecordedGame game;
    game.start(3, 1920, 1080);
    game.key(ScriptCommandKind::Enter);
    game.frames(2);
    displayMode.Width = 800;
    displayMode.Height = 600;
    game.frames(2);
    displayMode.Width = 1920;
    displayMode.Height = 1080;
    game.frames(1);
    const std::vector<std::string> lines = demoLines(game.finish(false));
    const std::vector<std::string> middle(lines.begin() + 3, lines.end() - 1);
    const std::vector<std::string> expected = {"mode 1920x1080", "enter",          "frame",
                                               "frame",          "mode 800x600",   "frame",
                                               "frame",          "mode 1920x1080", "frame"};
    EXPECT_EQ(middle, expected);
}

TEST(DemoRecorder, ClearedGameRecordedAndCheckedByTheSimulator) {
    // The committed clearing script, played in-process and recorded: the demo replays to the same
    // 1986 frames, and an edited expected record is caught.
    std::ifstream in(std::string(ZEMA_REPLAY_DIR) + "/clear_game.script");
    ASSERT_TRUE(in);
    startHeadlessInput(false);
    RecordedGame game;
    game.start(7);
    for (std::string line; std::getline(in, line);) {
        if (line == "enter") game.key(ScriptCommandKind::Enter);
        if (line == "space") game.key(ScriptCommandKind::Space);
        std::istringstream words(line);
        std::string command, h;
        int count = 1;
        words >> command;
        if (command == "frames") words >> count;
        if (command != "frame" && command != "frames") continue;
        words >> h;
        auto has = [&](char c) { return h.find(c) != std::string::npos; };
        scriptedKeyboard = {has('l'), has('r'), has('u'), has('d')};
        game.frames(count);
    }
    const std::string demo = game.finish(true);
    ASSERT_EQ(game.lines.size(), 1986u);
    EXPECT_EQ(jsonInt(game.lines.back(), "screenMode"), 1); // cleared: back on the title
    expectReplaysTheSame(demo, game);

    std::string edited = demo;
    const size_t energy = edited.rfind("\"energy\":");
    ASSERT_NE(energy, std::string::npos);
    edited.insert(energy + 9, 1, '1'); // a digit before the energy: another value
    const SimRun run = runSim("", edited);
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.errors.find("\"energy\" differs"), std::string::npos) << run.errors;
}

} // namespace
} // namespace zema
