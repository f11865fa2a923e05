// The sleep after a frame on the SDL display, showing pictures between the last two frames
// (smooth_motion.h).
#include "app/smooth_motion.h"

#include <SDL.h>

#include "app/message_loop.h"
#include "app/smooth_schedule.h"
#include "display/display_sdl.h"

namespace zema {

namespace {

int pictureCount = 1;

const SleepClock sdlSleepClock = {steadyMicroseconds, [](uint32_t ms) { SDL_Delay(ms); },
                                  displayShowBetween};

// In place of the 100 ms sleep, and as long.
void sleepShowingFramePictures() {
    sleepShowingPictures(sdlSleepClock, pictureCount, uint64_t{frameSleepMs} * 1000);
}

} // namespace

void startSmoothMotion(int count) {
    pictureCount = count;
    displaySetSmooth(true);
    loopHooks.sleep = sleepShowingFramePictures;
}

} // namespace zema
