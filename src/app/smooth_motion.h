// Smooth motion (--smooth): the game keeps its frame and 100 ms sleep; during the sleep the
// window shows pictures between the last two frames at the display's rate (smooth_schedule.h).
#pragma once

namespace zema {

// Makes the display keep the frames' pictures and the message loop show pictures between them
// in its sleep, count of them in each: the k-th at (k - 1) / count of the sleep, carried k / count
// of the way, the last the frame's own.
void startSmoothMotion(int count);

} // namespace zema
