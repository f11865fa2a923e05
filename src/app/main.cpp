// The game's entry point: start-up in its fixed order, the message loop, and shutdown.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include "app/main_window.h"
#include "app/message_loop.h"
#include "display/display_sdl.h"
#include "game/world.h"
#include "input/input_sdl.h"
#include "sound/sound_device.h"

namespace zema {

namespace {

// The files are opened by bare name in the working directory, in slot order.
bool startSound() {
    if (!initSound() || !createPrimaryBuffer()) return false;
    for (int slot = 0; slot < soundSlotCount; ++slot)
        if (!loadWave(SoundSlot(slot), soundFileName(SoundSlot(slot)))) return false;
    return true;
}

int runGame() {
    createMainWindow();
    // The display shows its own message; a failed input set-up ends the game silently.
    if (initDisplay(mainWindow) < 0) return 0;
    if (initInput(mainWindow) < 0) return 0;
    if (!startSound()) {
        releaseSound();
        return -1;
    }
    resetGame();
    playSound(sndBgm, true);
    const int exitCode = runMessageLoop();
    // Reverse order of creation.
    releaseSound();
    releaseInput();
    releaseDisplay();
    destroyMainWindow();
    return exitCode;
}

} // namespace

} // namespace zema

// The command line is not read.
int main() {
    using namespace zema;
    SDL_SetMainReady();
    const int exitCode = runGame();
    // Gives the desktop its own display mode back, whichever way the game ended.
    SDL_Quit();
    return exitCode;
}
