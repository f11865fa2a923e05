// The game's entry point: start-up in its fixed order, the message loop, and shutdown.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/demo_session.h"
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
    startDemoRun();
    if (demoTimed()) silenceSound();
    const int exitCode = finishDemoRun(runMessageLoop());
    // Reverse order of creation.
    releaseSound();
    releaseInput();
    releaseDisplay();
    destroyMainWindow();
    return exitCode;
}

} // namespace

} // namespace zema

int main(int argc, char** argv) {
    using namespace zema;
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    std::fputs(line.out.c_str(), stdout);
    std::fputs(line.err.c_str(), stderr);
    if (!line.run) return line.exitStatus;
    if (!openDemoRun(line.options.demo, line.options.demoPath)) return demoFault;
    SDL_SetMainReady();
    const int exitCode = runGame();
    // Gives the desktop its own display mode back, whichever way the game ended.
    SDL_Quit();
    return exitCode;
}
