// Time spent presenting frames, added up while switched on: the game's timing run splits a
// frame's cost between drawing and showing with it.
#pragma once

#include <cstdint>

namespace zema {

struct PresentTiming {
    bool on;
    int64_t nanoseconds; // in the display's present, in all
    long presents;
    // The page's measurement of drawing alone: frames end without being shown, so that nothing
    // runs between one frame's draws and the next, as in the native compositor's benchmark.
    bool unshown;
};

extern PresentTiming presentTiming;

} // namespace zema
