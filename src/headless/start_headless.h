// Start-up without a platform, for the simulator, the route planner, the tests and the
// benchmarks: the records as a fresh process holds them and the three headless seams, left as
// the game's own start-up leaves them before its first frame.
#pragma once

#include <cstdint>

namespace zema {

struct HeadlessStart {
    bool joystick = false; // the device the input set-up finds
    uint32_t width = 1024, height = 768;
    bool fixedSeed = true; // false: resetGame seeds from the clock, as the game does
    unsigned seed = 1;
    bool reset = true; // resetGame and the looping tune, as start-up does before the first frame
};

// Puts every record back to its start contents, starts the recording display, the scripted
// input and (unless reset is false) the new game and its tune; the display and sound records
// are left empty, so the tune's request is not among them.
void startHeadless(const HeadlessStart& start = {});

} // namespace zema
