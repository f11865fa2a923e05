// Turning a device's raw axis and D-pad into the -1000..+1000 stick values the controls read.
#pragma once

#include <cstdint>

namespace zema {

constexpr int32_t axisEnd = 1000;

// SDL's -32768..32767 to -1000..+1000. The range is lopsided, so each half is scaled by its own
// length: only lowEnd and 32767 reach the ends, one step short of them reads +-999. The browser's
// SDL gives a pad's low end as -32767 (the gamepad's -1 times 32767); there lowEnd is that.
int32_t scaleAxis(int16_t raw, int32_t lowEnd = -32768);

// A D-pad direction held counts as the stick held at that end; with neither (or both, which a
// pad cannot really report) the stick's own value stands.
int32_t dpadAxis(bool towardsMin, bool towardsMax, int32_t stick);

} // namespace zema
