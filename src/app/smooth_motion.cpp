// The sleep after a frame, showing pictures between the last two frames (smooth_motion.h).
#include "app/smooth_motion.h"

#include <SDL.h>

#include <algorithm>

#include "app/message_loop.h"
#include "display/display_sdl.h"

namespace zema {

namespace {

int pictureCount = 1;

uint64_t nowMicroseconds() {
    return SDL_GetPerformanceCounter() * 1000000 / SDL_GetPerformanceFrequency();
}

// SDL_Delay counts whole milliseconds: rounded up, so that nothing comes early.
void delayUntil(uint64_t when) {
    const uint64_t now = nowMicroseconds();
    if (now < when) SDL_Delay(static_cast<Uint32>((when - now + 999) / 1000));
}

// In place of the 100 ms sleep, and as long. A picture whose time has passed before the one after
// it is due is left out; the last, the frame's own, never is.
void sleepShowingPictures() {
    const uint64_t start = nowMicroseconds();
    const uint64_t sleep = uint64_t{frameSleepMs} * 1000;
    for (int k = 1; k <= pictureCount; ++k) {
        if (k < pictureCount && nowMicroseconds() >= start + sleep * k / pictureCount) continue;
        delayUntil(start + sleep * (k - 1) / pictureCount);
        displayShowBetween(double(k) / pictureCount);
    }
    delayUntil(start + sleep);
}

} // namespace

int picturesPerSleep(int32_t rate) {
    return std::max<int32_t>(1, rate * int32_t{frameSleepMs} / 1000);
}

int32_t smoothRate(int32_t displayRate, int32_t cap) {
    return cap > 0 ? std::min(displayRate, cap) : displayRate;
}

void startSmoothMotion(int count) {
    pictureCount = std::max(1, count);
    displaySetSmooth(true);
    loopHooks.sleep = sleepShowingPictures;
}

} // namespace zema
