// The demo player: loading with zema-sim's rules (errors name the line), the steps it gives,
// and a demo played in-process with its readings fed in place of the device, frame for frame
// as zema-sim plays it.
#include "demo/demo_player.h"

#include <gtest/gtest.h>

#include "demo/frame_record.h"
#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "input/input_headless.h"
#include "recorded_game.h"
#include "sim_run.h"
#include "sound/sound_headless.h"

namespace zema {
namespace {

std::string loadError(const std::string& text) {
    Demo demo;
    std::string error;
    EXPECT_FALSE(loadDemo(text, demo, error)) << text;
    return error;
}

void expectFrameReadings(const DemoStep& step, ControlState controls, bool start) {
    ASSERT_EQ(step.kind, DemoStepKind::Frame);
    const ControlState& read = step.readings.controls;
    EXPECT_EQ(read.left, controls.left);
    EXPECT_EQ(read.right, controls.right);
    EXPECT_EQ(read.up, controls.up);
    EXPECT_EQ(read.down, controls.down);
    EXPECT_EQ(read.fire, controls.fire);
    EXPECT_EQ(step.readings.start, start);
}

TEST(DemoLoad, HeaderAndCommands) {
    Demo demo;
    std::string error;
    ASSERT_TRUE(loadDemo("# a demo\ndevice joystick\nseed 42\nmode 800x600\nenter\nframes 3 rf\n"
                         "space\nmode 640x480\nframe\nesc\n\nexpect {\"frame\":4}",
                         demo, error))
        << error;
    EXPECT_TRUE(demo.joystick);
    EXPECT_TRUE(demo.seeded);
    EXPECT_EQ(demo.seed, 42u);
    EXPECT_EQ(demo.commands.size(), 4u); // enter, frames, space, frame
    EXPECT_EQ(demo.frames, 4);
    EXPECT_TRUE(demo.expects);
    EXPECT_EQ(demo.expectedRecord, "{\"frame\":4}");

    ASSERT_TRUE(loadDemo("frame\n", demo, error));
    EXPECT_FALSE(demo.joystick);
    EXPECT_FALSE(demo.seeded);
    EXPECT_FALSE(demo.expects);
}

TEST(DemoLoad, BrokenTruncatedAndUnknownLinesAreNamed) {
    EXPECT_EQ(loadError("frame\nframe\nwarp 3\n"), "line 3: unknown command 'warp'");
    EXPECT_EQ(loadError("frames 2\nframe\nexpect {\"frame\":3,\"scr"),
              "line 3: expect needs a frame record, a JSON object such as {\"frame\":1,...}");
    EXPECT_EQ(loadError("fram"), "line 1: unknown command 'fram'");
    EXPECT_EQ(loadError("frame q\n"), "line 1: unknown control 'q' (held controls are lrudfs)");
    EXPECT_EQ(loadError("frame\nseed 1\n"), "line 2: seed must come before the first frame");
    EXPECT_EQ(loadError("frame\nexpect {\"frame\":1}\nframe\n"),
              "line 3: nothing may follow expect, the last line");
    // A number's digits are bounded, leading zeros and all.
    EXPECT_EQ(loadError("seed " + std::string(20, '0') + "1\n"),
              "line 1: seed needs a whole number from 0 to 4294967295");
    EXPECT_EQ(loadError("frames 00000000001\n"),
              "line 1: frames needs a count from 0 to 1000000000");
    EXPECT_EQ(loadError("frame\n" + std::string(4097, ' ') + "\n"),
              "line 2: line longer than 4096 characters");
}

TEST(DemoLoad, AfterEscOnlyExpectIsReadAsInTheSimulator) {
    Demo demo;
    std::string error;
    ASSERT_TRUE(loadDemo("frame\nesc\nframe\nbogus\n", demo, error)) << error;
    EXPECT_EQ(demo.frames, 1);
    EXPECT_FALSE(demo.expects);
    ASSERT_TRUE(loadDemo("frame\nesc\n# end\nexpect {\"frame\":1}\nbogus\n", demo, error));
    EXPECT_TRUE(demo.expects);
    EXPECT_EQ(demo.frames, 1);
}

TEST(DemoPlay, StepsComeInOrderWithTheDevicesReadings) {
    Demo demo;
    std::string error;
    ASSERT_TRUE(loadDemo("device joystick\nenter\nframes 2 lrs\nspace\nframes 0\nframe udf\n", demo,
                         error));
    DemoPlayer player;
    startPlaying(player, demo);
    EXPECT_EQ(nextDemoStep(player).kind, DemoStepKind::Enter);
    // One way per axis on the stick: left wins over right, up over down.
    for (int i = 0; i < 2; ++i)
        expectFrameReadings(nextDemoStep(player), {true, false, false, false, false}, true);
    EXPECT_EQ(nextDemoStep(player).kind, DemoStepKind::Space);
    expectFrameReadings(nextDemoStep(player), {false, false, true, false, true}, false);
    EXPECT_EQ(nextDemoStep(player).kind, DemoStepKind::End);
    EXPECT_EQ(nextDemoStep(player).kind, DemoStepKind::End);
    EXPECT_EQ(player.framesPlayed, 3);

    // The keyboard takes both ways and has neither fire nor start.
    ASSERT_TRUE(loadDemo("frame lrfs\n", demo, error));
    startPlaying(player, demo);
    const DemoStep keys = nextDemoStep(player);
    EXPECT_TRUE(keys.readings.controls.left);
    EXPECT_TRUE(keys.readings.controls.right);
    EXPECT_FALSE(keys.readings.controls.fire);
    EXPECT_FALSE(keys.readings.start);
}

// Plays a demo as the game does, with its readings fed; returns each frame's line.
std::vector<std::string> playFed(const Demo& demo) {
    restoreStartContents();
    startHeadlessDisplay(1024, 768);
    startHeadlessInput(!demo.joystick); // the demo's device wins over the one at start-up
    gameState.hasJoystick = demo.joystick ? 1 : 0;
    if (demo.seeded) useFixedSeed(demo.seed);
    resetGame();
    readingsFed = true;
    DemoPlayer player;
    startPlaying(player, demo);
    std::vector<std::string> lines;
    static char line[maxFrameLineLength];
    SoundSlot slots[maxRecordedSounds];
    while (playToNextFrame(player)) {
        clearRecordedOps();
        clearRecordedSounds();
        runFrame();
        const size_t n = formatFrameLine(line, player.framesPlayed, slots,
                                         recordedSoundSlots(slots), nullptr, 0);
        lines.emplace_back(line, n - 1);
    }
    readingsFed = false;
    return lines;
}

TEST(DemoPlay, FedReadingsPlayTheSameGameAsTheSimulator) {
    const std::string joystickDemo = "device joystick\nseed 9\nframes 2\nframe s\nframes 6 rf\n"
                                     "frames 4 d\nspace\nframes 8 lu\nframes 3 ud\n";
    const std::string keyboardDemo = "enter\nframes 5 r\nspace\nframes 3 dl\nframes 4 lr\nenter\n"
                                     "frames 2 u\nesc\nframes 9 r\n";
    for (const std::string& text : {joystickDemo, keyboardDemo}) {
        Demo demo;
        std::string error;
        ASSERT_TRUE(loadDemo(text, demo, error)) << error;
        const SimRun sim = runSim("", text);
        ASSERT_EQ(sim.status, 0) << sim.errors;
        EXPECT_EQ(playFed(demo), sim.lines) << text;
    }
}

} // namespace
} // namespace zema
