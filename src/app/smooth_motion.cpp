// The sleep after a frame on the SDL display, showing pictures between the last two frames
// (smooth_motion.h).
#include "app/smooth_motion.h"

#include <SDL.h>

#include "app/frame_report.h"
#include "app/message_loop.h"
#include "app/smooth_schedule.h"
#include "display/display_sdl.h"

namespace zema {

namespace {

int pictureCount = 1;

// A picture part of the way is one between frames; the last (1) is the frame's own.
void showPicture(double part) {
    displayShowBetween(part);
    if (part < 1) reportPictureBetween();
}

const SleepClock sdlSleepClock = {steadyMicroseconds, [](uint32_t ms) { SDL_Delay(ms); },
                                  showPicture};

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
