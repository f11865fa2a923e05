// Playing a demo: the whole script read and checked first, then given out step by step, the
// key-downs between frames and each frame's readings, for the game to feed in place of its
// devices. The recorder and the player are platform-free: the input seam notes what each frame
// read and, while a demo plays, gives the demo's readings instead of the device's
// (input/input_tap.h); the rules and the frame are untouched. The format is zema-sim's script.
#pragma once

#include <string>
#include <vector>

#include "demo/script_line.h"
#include "input/input_tap.h"

namespace zema {

struct Demo {
    bool joystick = false;
    bool seeded = false;
    unsigned seed = 0;
    std::vector<ScriptCommand> commands; // enter, space and frame lines, in order; esc ends them
    bool expects = false;
    std::string expectedRecord;
    long frames = 0;
};

// Reads a demo's whole text with zema-sim's rules. False with "line N: reason" in error when a
// line is not valid or stands where it may not; a last line without its newline counts.
bool loadDemo(const std::string& text, Demo& demo, std::string& error);

enum class DemoStepKind { Enter, Space, Frame, End };

struct DemoStep {
    DemoStepKind kind;
    FrameReadings readings; // for Frame: what the device's reads give
};

struct DemoPlayer {
    const Demo* demo = nullptr;
    size_t next = 0;       // the command being played
    long framesDone = 0;   // of that command's frames
    long framesPlayed = 0; // in all
};

void startPlaying(DemoPlayer& player, const Demo& demo);
// The next step; End once the demo's commands are used up (or it met esc), for ever after.
DemoStep nextDemoStep(DemoPlayer& player);

// Plays the steps up to the next frame as the game takes them: Enter and Space start the game
// and fire at once (beforeKey, when given, runs first), and the frame's readings are put in
// fedReadings for its reads. False at the demo's end.
bool playToNextFrame(DemoPlayer& player, void (*beforeKey)() = nullptr);

} // namespace zema
