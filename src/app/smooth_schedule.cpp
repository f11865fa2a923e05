// Smooth motion's schedule (smooth_schedule.h).
#include "app/smooth_schedule.h"

#include <algorithm>
#include <chrono>

#include "app/message_loop.h"

namespace zema {

namespace {

// The clock's waits count whole milliseconds: rounded up, so that nothing comes early.
void delayUntil(const SleepClock& clock, uint64_t when) {
    const uint64_t now = clock.now();
    if (now < when) clock.delayMilliseconds(static_cast<uint32_t>((when - now + 999) / 1000));
}

} // namespace

int picturesPerSleep(int32_t rate) {
    return std::max<int32_t>(1, rate * int32_t{frameSleepMs} / 1000);
}

int32_t smoothRate(int32_t displayRate, int32_t cap) {
    return cap > 0 ? std::min(displayRate, cap) : displayRate;
}

uint64_t steadyMicroseconds() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

void sleepShowingPictures(const SleepClock& clock, int count, uint64_t sleepMicroseconds) {
    count = std::max(1, count);
    const uint64_t start = clock.now();
    for (int k = 1; k <= count; ++k) {
        if (k < count && clock.now() >= start + sleepMicroseconds * k / count) continue;
        delayUntil(clock, start + sleepMicroseconds * (k - 1) / count);
        clock.show(double(k) / count);
    }
    delayUntil(clock, start + sleepMicroseconds);
}

} // namespace zema
