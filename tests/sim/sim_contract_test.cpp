// zema-sim's contract: options, script errors, frame counting, Esc, the joystick's mapping
// and the exact JSON of each line.
#include <gtest/gtest.h>

#include <initializer_list>

#include "sim_run.h"

namespace zema {

namespace {

bool mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Each (frame index, key, value): that frame's record holds the value under the key.
struct Field {
    size_t line;
    const char* key;
    long value;
};
void expectFields(const SimRun& run, std::initializer_list<Field> fields) {
    for (const Field& f : fields) {
        ASSERT_LT(f.line, run.lines.size());
        EXPECT_EQ(jsonInt(run.lines[f.line], f.key), f.value) << "line " << f.line << " " << f.key;
    }
}

} // namespace

TEST(SimOptions, BadOptionsExitWithStatusTwo) {
    const char* bad[] = {
        "--bogus",      "--mode",         "--mode 1024",        "--mode x768",
        "--mode 0x768", "--mode 1024x-1", "--mode 99999x1",     "--seed",
        "--seed -1",    "--seed 12abc",   "--seed 99999999999", "--mode 1024x768x2",
        "frame"};
    for (const char* options : bad) {
        const SimRun run = runSim(options, "frame\n");
        EXPECT_EQ(run.status, 2) << options;
        EXPECT_TRUE(run.lines.empty()) << options;
        EXPECT_TRUE(mentions(run.errors, "zema-sim:")) << options;
    }
}

TEST(SimOptions, GoodOptionsAreAccepted) {
    const SimRun run = runSim("--joystick --draws --mode 640x480 --seed 4294967295", "frame\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(runSim("--help", "").status, 0);
}

TEST(SimScript, ErrorsNameTheLineAndStopAfterTheFramesBefore) {
    struct Case {
        const char* script;
        const char* line;
        size_t framesBefore;
    };
    const Case cases[] = {
        {"frame\nbogus\nframe\n", "line 2", 1},
        {"# comment\n\nframes 2\nframes\n", "line 4", 2},
        {"frames x\n", "line 1", 0},
        {"frames -1\n", "line 1", 0},
        {"frames 1000000001\n", "line 1", 0},
        {"frame lz\n", "line 1", 0},
        {"frame l r\n", "line 1", 0},
        {"enter now\n", "line 1", 0},
        {"frame\nframe\nframe\nFRAME\n", "line 4", 3},
        {"esc 1\n", "line 1", 0},
    };
    for (const Case& c : cases) {
        const SimRun run = runSim("", c.script);
        EXPECT_EQ(run.status, 2) << c.script;
        EXPECT_TRUE(mentions(run.errors, c.line)) << c.script << " gave: " << run.errors;
        EXPECT_EQ(run.lines.size(), c.framesBefore) << c.script;
    }
}

TEST(SimScript, LinesUpTo4096CharactersAreRead) {
    const SimRun fits = runSim("", "frame\n" + std::string(4091, ' ') + "frame\nframe\n");
    EXPECT_EQ(fits.status, 0) << fits.errors;
    EXPECT_EQ(fits.lines.size(), 3u);
    for (size_t length : {4097u, 5000u, 70000u}) {
        const SimRun run = runSim("", "frame\n" + std::string(length - 5, ' ') + "frame\n");
        EXPECT_EQ(run.status, 2) << length;
        EXPECT_TRUE(mentions(run.errors, "line 2")) << length;
        EXPECT_EQ(run.lines.size(), 1u) << length;
    }
}

TEST(SimScript, FramesCountFromOneAcrossCommands) {
    const SimRun run = runSim("", "frames 3\n  frame  \t\nframes 0\r\nframes 2 lr\nframe\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 7u);
    for (size_t i = 0; i < run.lines.size(); ++i)
        EXPECT_EQ(jsonInt(run.lines[i], "frame"), static_cast<long>(i + 1));
}

TEST(SimScript, EscEndsTheRun) {
    const SimRun run = runSim("", "frame\nesc\nframe\nbogus\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.lines.size(), 1u);
    EXPECT_TRUE(run.errors.empty());
}

TEST(SimScript, LastLineNeedsNoNewline) {
    const SimRun run = runSim("", "frame\nframes 2");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.lines.size(), 3u);
}

TEST(SimScript, EnterStartsAndSpaceFiresBetweenFrames) {
    const SimRun run = runSim("", "frame\nspace\nframe\nenter\nspace\nframe\nenter\nframe\n");
    ASSERT_EQ(run.lines.size(), 4u);
    // Fire is refused on the title screen; Enter during play restarts nothing.
    expectFields(run, {{1, "screenMode", 1},
                       {1, "shotTimer", 0},
                       {2, "screenMode", 0},
                       {2, "shotTimer", 9},
                       {3, "shotTimer", 8}});
}

TEST(SimJoystick, KeyboardBothWaysOnAnAxisMovesBoth) {
    const SimRun run = runSim("", "enter\nframe lr\nframe ud\n");
    ASSERT_EQ(run.lines.size(), 2u);
    expectFields(run, {{0, "scrollX", 200}, {0, "facingLeft", 0}, {1, "scrollY", 150}});
}

TEST(SimJoystick, LeftWinsOverRightAndUpOverDown) {
    const SimRun run = runSim("--joystick", "enter\nframe lr\nframe ud\nframe rl\nframe du\n");
    ASSERT_EQ(run.lines.size(), 4u);
    expectFields(run, {{0, "scrollX", 150},
                       {0, "facingLeft", 1},
                       {1, "scrollY", 100},
                       {2, "scrollX", 100},
                       {3, "scrollY", 50}});
}

TEST(SimJoystick, FireAndStartButtonsOnlyWithTheJoystick) {
    const SimRun keys = runSim("", "frame s\nenter\nframe f\n");
    ASSERT_EQ(keys.lines.size(), 2u);
    expectFields(keys, {{0, "screenMode", 1}, {1, "shotTimer", 0}});

    const SimRun stick = runSim("--joystick", "frame\nframe s\nframe f\nframe\n");
    ASSERT_EQ(stick.lines.size(), 4u);
    // The start button's frame runs its play part too.
    expectFields(
        stick,
        {{0, "screenMode", 1}, {1, "screenMode", 0}, {2, "shotTimer", 9}, {3, "shotTimer", 8}});
}

TEST(SimOutput, KeysComeInTheirFixedOrder) {
    const std::vector<std::string> keys = {"frame",   "screenMode", "gameOver",  "scrollX",
                                           "scrollY", "energy",     "shotTimer", "facingLeft",
                                           "enemies", "taken",      "open",      "sounds"};
    const SimRun plain = runSim("", "frame\n");
    ASSERT_EQ(plain.lines.size(), 1u);
    EXPECT_EQ(jsonKeys(plain.lines[0]), keys);
    std::vector<std::string> withDraws = keys;
    withDraws.push_back("draws");
    const SimRun drawn = runSim("--draws", "frame\n");
    ASSERT_EQ(drawn.lines.size(), 1u);
    EXPECT_EQ(jsonKeys(drawn.lines[0]), withDraws);
    EXPECT_EQ(drawn.lines[0].front(), '{');
    EXPECT_EQ(drawn.lines[0].back(), '}');
}

TEST(SimOutput, ProgramStartLine) {
    const SimRun run = runSim("", "frame\n");
    ASSERT_EQ(run.lines.size(), 1u);
    const std::string& line = run.lines[0];
    EXPECT_EQ(jsonInt(line, "screenMode"), 1);
    EXPECT_EQ(jsonInt(line, "gameOver"), 0);
    EXPECT_EQ(jsonInt(line, "scrollX"), 200); // start-up has already reset the game
    EXPECT_EQ(jsonInt(line, "scrollY"), 150);
    EXPECT_EQ(jsonInt(line, "energy"), 250);
    EXPECT_EQ(jsonRaw(line, "taken"), "\"" + std::string(50, '0') + "\"");
    EXPECT_EQ(jsonRaw(line, "open"), "\"0000000\"");
    EXPECT_EQ(jsonRaw(line, "sounds"), "[]"); // the background tune is not reported
    const std::string enemies = jsonRaw(line, "enemies");
    EXPECT_EQ(enemies.rfind("[[840,900,10,0,20],[1100,1200,0,-10,20],", 0), 0u);
    EXPECT_TRUE(enemies.ends_with(",[4000,4000,20,0,100]]"));
}

TEST(SimOutput, DrawsListDeviceOperationsAndDrawArguments) {
    const SimRun run = runSim("--draws --mode 800x600", "frame\n");
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(jsonRaw(run.lines[0], "draws"),
              "[[\"BeginScene\"],[\"Clear\"],[\"Present\"],"
              "[\"imgTitle\",[0,0,800,600],[1,1],[0,0]],[\"EndScene\"],[\"Present\"]]");
}

TEST(SimOutput, SeedMakesDrawsRepeat) {
    const std::string script = "enter\nframes 20 r\n";
    const SimRun a = runSim("--draws --seed 11", script);
    const SimRun b = runSim("--draws --seed 11", script);
    EXPECT_EQ(a.lines, b.lines);
    ASSERT_EQ(a.lines.size(), 20u);
    EXPECT_TRUE(mentions(a.lines[0], "[\"imgEnergy\",[0,0,30,30],[25,1],[0,738]]"));
}

TEST(SimOutput, SoundsAreListedByNameInOrder) {
    // The first step up and right from the start touches row 0.
    const SimRun run = runSim("", "enter\nframe ur\nframe\n");
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(jsonRaw(run.lines[0], "sounds"), "[]");
    EXPECT_EQ(jsonRaw(run.lines[1], "sounds"), "[\"sndGet\"]");
}

} // namespace zema
