// A game played in-process over the display and sound recorders, with whichever input the test
// links, and written down by the demo recorder exactly as the game does it; the frame lines
// zema-sim would print are gathered on the way, to compare with its replay.
#pragma once

#include <string>
#include <vector>

#include "demo/demo_recorder.h"

namespace zema {

class RecordedGame {
  public:
    // Fresh records, a W x H view, the start-up's reset; the device is the one in use
    // (gameState.hasJoystick).
    void start(unsigned seed, uint32_t width = 1024, uint32_t height = 768);
    // Enter or Space between frames, handled and written down.
    void key(ScriptCommandKind key);
    // Runs frames with the input as it stands.
    void frames(int count = 1);
    // The demo's whole text, ended by esc or not.
    std::string finish(bool endedByEsc);

    std::vector<std::string> lines; // each frame's line, without its newline
    DemoRecorder recorder;

  private:
    std::string text;
    LastFrameRecord last;
    long frameCount = 0;
};

// The slots of the sounds the headless recorder holds.
int recordedSoundSlots(SoundSlot* out);

} // namespace zema
