// The headless start-up.
#include "headless/start_headless.h"

#include "display/display_headless.h"
#include "game/world.h"
#include "input/input_headless.h"
#include "sound/sound_headless.h"

namespace zema {

void startHeadless(const HeadlessStart& start) {
    restoreStartContents();
    if (start.fixedSeed)
        useFixedSeed(start.seed);
    else
        useClockSeed();
    startHeadlessDisplay(start.width, start.height);
    startHeadlessInput(start.joystick);
    if (start.reset) {
        resetGame();
        playSound(sndBgm, true);
    }
    clearRecordedOps();
    clearRecordedSounds();
}

} // namespace zema
