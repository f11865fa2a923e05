// Smooth motion's arithmetic and its sleep, free of any platform: how many pictures a frame's
// sleep holds, and when each is shown, over a clock the caller gives.
#pragma once

#include <cstdint>

namespace zema {

// Pictures a frame's sleep holds at rate pictures a second: as many as fit, at least one.
int picturesPerSleep(int32_t rate);

// The rate shown: the display's, or the cap when it is lower (0: no cap).
int32_t smoothRate(int32_t displayRate, int32_t cap);

// What the sleep needs: the time in microseconds, a wait of whole milliseconds, and showing the
// picture part of the way from the frame before to the last (1: the last frame's own).
struct SleepClock {
    uint64_t (*now)();
    void (*delayMilliseconds)(uint32_t milliseconds);
    void (*show)(double part);
};

// A steady clock's microseconds, for SleepClock::now.
uint64_t steadyMicroseconds();

// The sleep after a frame, sleepMicroseconds long from when it is called: count pictures (at
// least one), the k-th shown no earlier than (k - 1) / count of the sleep and carried k / count of
// the way. A picture whose time has passed before the one after it is due is left out; the last,
// the frame's own, never is. Returns once the whole sleep has passed.
void sleepShowingPictures(const SleepClock& clock, int count, uint64_t sleepMicroseconds);

} // namespace zema
