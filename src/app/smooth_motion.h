// Smooth motion (--smooth): the game keeps its frame and 100 ms sleep; during the sleep the
// window shows pictures between the last two frames at the display's rate.
#pragma once

#include <cstdint>

namespace zema {

// Pictures a frame's sleep holds at rate pictures a second: as many as fit, at least one.
int picturesPerSleep(int32_t rate);

// The rate shown: the display's, or the cap when it is lower (0: no cap).
int32_t smoothRate(int32_t displayRate, int32_t cap);

// Makes the display keep the frames' pictures and the message loop show pictures between them
// in its sleep, count of them in each: the k-th at (k - 1) / count of the sleep, carried k / count
// of the way, the last the frame's own.
void startSmoothMotion(int count);

} // namespace zema
