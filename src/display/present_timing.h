// Time spent presenting frames, added up while switched on: the game's timing run splits a
// frame's cost between drawing and showing with it.
#pragma once

#include <cstdint>

namespace zema {

struct PresentTiming {
    bool on;
    int64_t nanoseconds; // in the display's present, in all
    long presents;
};

extern PresentTiming presentTiming;

} // namespace zema
