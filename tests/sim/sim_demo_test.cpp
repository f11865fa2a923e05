// zema-sim's demo commands: device, seed, mode and expect, where each may stand, and the exit
// status and message when the expected record differs.
#include <gtest/gtest.h>

#include "sim_run.h"

namespace zema {
namespace {

bool mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A game with something in every field: a joystick start, steps, the beam, a sound or two.
const std::string stickGame = "frame s\nframes 3 rf\nspace\nframes 4 d\nframes 2 lu\n";

TEST(SimDemoCommands, DeviceIsTheSameAsTheOption) {
    const SimRun byOption = runSim("--joystick", stickGame);
    const SimRun byLine = runSim("", "device joystick\n" + stickGame);
    ASSERT_EQ(byOption.status, 0) << byOption.errors;
    ASSERT_EQ(byLine.status, 0) << byLine.errors;
    EXPECT_EQ(byLine.lines, byOption.lines);
    // The demo's own line wins over the option: with the keyboard the start button does nothing.
    const SimRun keyboard = runSim("--joystick", "device keyboard\n" + stickGame);
    ASSERT_EQ(keyboard.status, 0) << keyboard.errors;
    EXPECT_EQ(keyboard.lines, runSim("", stickGame).lines);
    EXPECT_EQ(jsonInt(keyboard.lines[0], "screenMode"), 1);
}

TEST(SimDemoCommands, SeedIsTheSameAsTheOption) {
    const std::string game = "enter\nframes 20 r\n";
    const SimRun byOption = runSim("--draws --seed 77", game);
    const SimRun byLine = runSim("--draws", "seed 77\n" + game);
    EXPECT_EQ(byLine.lines, byOption.lines);
    // Set after an Enter but still before the first frame, it seeds the draws as well.
    EXPECT_EQ(runSim("--draws", "enter\nseed 77\nframes 20 r\n").lines, byOption.lines);
    EXPECT_NE(runSim("--draws", "seed 78\n" + game).lines, byOption.lines);
    EXPECT_EQ(runSim("--draws --seed 5", "seed 4294967295\n" + game).lines,
              runSim("--draws --seed 4294967295", game).lines);
}

TEST(SimDemoCommands, ModeSizesTheViewFromTheNextFrameOn) {
    // Seeded: two runs in different seconds would wobble the craft differently.
    EXPECT_EQ(runSim("--draws --seed 1", "mode 800x600\nenter\nframes 2\n").lines,
              runSim("--draws --seed 1 --mode 800x600", "enter\nframes 2\n").lines);
    const SimRun run = runSim("--draws", "enter\nframe\nmode 640x480\nframe\nmode 1920x1080\n"
                                         "frame\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 3u);
    // The map's source rectangle and the energy bar's place follow W and H.
    EXPECT_TRUE(mentions(run.lines[0], "[\"imgMap\",[200,150,1224,918]"));
    EXPECT_TRUE(mentions(run.lines[0], "[\"imgEnergy\",[0,0,30,30],[25,1],[0,738]]"));
    EXPECT_TRUE(mentions(run.lines[1], "[\"imgMap\",[200,150,840,630]"));
    EXPECT_TRUE(mentions(run.lines[1], "[\"imgEnergy\",[0,0,30,30],[25,1],[0,450]]"));
    EXPECT_TRUE(mentions(run.lines[2], "[\"imgMap\",[200,150,2120,1230]"));
    // The rules do not depend on the view: without draws the lines are those of one size.
    EXPECT_EQ(runSim("", "enter\nframe\nmode 640x480\nframe\nframe\n").lines,
              runSim("", "enter\nframes 3\n").lines);
}

TEST(SimDemoCommands, BadLinesAndPlacesNameTheLine) {
    struct Case {
        const char* script;
        const char* named;
    };
    const Case cases[] = {
        {"device\n", "line 1: device needs keyboard or joystick"},
        {"device mouse\n", "line 1: device needs keyboard or joystick"},
        {"device joystick pad\n", "line 1: unexpected 'pad'"},
        {"seed\n", "line 1: seed needs"},
        {"seed -1\n", "line 1: seed needs"},
        {"seed 4294967296\n", "line 1: seed needs"},
        {"seed 12x\n", "line 1: seed needs"},
        {"mode\n", "line 1: mode needs WxH"},
        {"mode 0x600\n", "line 1: mode needs WxH"},
        {"mode 800x\n", "line 1: mode needs WxH"},
        {"mode 16385x600\n", "line 1: mode needs WxH"},
        {"mode 800x600x2\n", "line 1: mode needs WxH"},
        {"frame\ndevice joystick\n", "line 2: device must come before the first frame"},
        {"frames 2\n\nseed 3\n", "line 3: seed must come before the first frame"},
        {"expect {\"frame\":1}\n", "line 1: expect needs a frame before it"},
        {"frame\nexpect\n", "line 2: expect needs a frame record"},
        {"frame\nexpect {\"frame\":1\n", "line 2: expect needs a frame record"},
        {"frame\nexpect {\"frame\":1} x\n", "line 2: expect needs a frame record"},
        {"frame\nexpect [1]\n", "line 2: expect needs a frame record"},
        {"frame\nexpect {\"frame\":1}\nframe\n", "line 3: nothing may follow expect"},
        {"frame\nexpect {\"frame\":1}\nexpect {\"frame\":1}\n", "line 3: nothing may follow"},
        {"frame\nmode 800x600\nzoom 2\n", "line 3: unknown command 'zoom'"},
    };
    for (const Case& c : cases) {
        const SimRun run = runSim("", c.script);
        EXPECT_EQ(run.status, 2) << c.script;
        EXPECT_TRUE(mentions(run.errors, c.named)) << c.script << " gave: " << run.errors;
    }
    // A frames 0 line runs no frame: the device may still follow it.
    EXPECT_EQ(runSim("", "frames 0\ndevice joystick\nframe s\n").status, 0);
}

TEST(SimDemoExpect, EqualRecordExitsZero) {
    const SimRun game = runSim("", "device joystick\n" + stickGame);
    ASSERT_EQ(game.status, 0);
    const std::string demo = "device joystick\n" + stickGame + "expect " + game.lines.back() + "\n";
    const SimRun checked = runSim("", demo);
    EXPECT_EQ(checked.status, 0) << checked.errors;
    EXPECT_EQ(checked.errors, "");
    EXPECT_EQ(checked.lines, game.lines); // expect adds nothing to the output
    // The record is the compact one: draws in the output do not enter the comparison.
    EXPECT_EQ(runSim("--draws", demo).status, 0);
    // Blank lines and comments may follow it; spaces around it do not count.
    EXPECT_EQ(runSim("", "device joystick\n" + stickGame + "expect   " + game.lines.back() +
                             " \t\n\n# end\n")
                  .status,
              0);
}

TEST(SimDemoExpect, DifferentRecordExitsThreeNamingTheFirstKeyAndBothValues) {
    const SimRun game = runSim("", "enter\nframes 3 r\n");
    std::string record = game.lines.back();
    const std::string energy = "\"energy\":250";
    ASSERT_TRUE(mentions(record, energy)) << record;
    record.replace(record.find(energy), energy.size(), "\"energy\":245");
    // scrollY differs too, but comes before energy: it is the one named.
    const std::string scrollY = "\"scrollY\":150";
    ASSERT_TRUE(mentions(record, scrollY)) << record;
    record.replace(record.find(scrollY), scrollY.size(), "\"scrollY\":200");
    const SimRun run = runSim("", "enter\nframes 3 r\nexpect " + record + "\n");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.lines, game.lines);
    EXPECT_EQ(run.errors,
              "zema-sim: expect: \"scrollY\" differs: the demo has 200, this run has 150\n");

    const SimRun missing = runSim("", "frame\nexpect {\"frame\":1,\"lives\":3}\n");
    EXPECT_EQ(missing.status, 3);
    EXPECT_TRUE(mentions(missing.errors, "\"lives\" differs: the demo has 3, this run has no such"))
        << missing.errors;
    // Keys the demo leaves out count as differences too, after all of its own.
    const SimRun fewer = runSim("", "frame\nexpect {\"frame\":1}\n");
    EXPECT_EQ(fewer.status, 3);
    EXPECT_TRUE(mentions(fewer.errors, "\"screenMode\" differs: the demo has no such key"))
        << fewer.errors;
}

TEST(SimDemoExpect, RecordIsTheLastFrameEvenWhenKeysFollowIt) {
    // Enter after the last frame starts a game, Space fires: neither shows in the frame's record.
    const SimRun game = runSim("", "enter\nframes 12 r\n");
    const std::string expect = "expect " + game.lines.back() + "\n";
    EXPECT_EQ(runSim("", "enter\nframes 12 r\nspace\n" + expect).status, 0);
    const SimRun lost = runSim("", "frames 2\nenter\n" + expect);
    EXPECT_EQ(lost.status, 3); // a different game: its last frame is a title frame
}

TEST(SimDemoExpect, AfterEscOnlyExpectIsRead) {
    const SimRun game = runSim("", "enter\nframes 3 d\n");
    const std::string record = game.lines.back();
    EXPECT_EQ(runSim("", "enter\nframes 3 d\nesc\n\n# c\nexpect " + record + "\n").status, 0);
    const SimRun differs = runSim("", "enter\nframes 4 d\nesc\nexpect " + record + "\n");
    EXPECT_EQ(differs.status, 3);
    EXPECT_TRUE(mentions(differs.errors, "\"frame\" differs: the demo has 3, this run has 4"));
    // Anything else after esc ends the reading, as before demos: even an unknown line.
    EXPECT_EQ(runSim("", "frame\nesc\nbogus\nexpect {\"frame\":9}\n").status, 0);
    EXPECT_EQ(runSim("", "frame\nesc\nframe\nexpect {\"frame\":9}\n").status, 0);
}

} // namespace
} // namespace zema
