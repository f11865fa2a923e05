// The game's entry point: the command line, start-up in its fixed order, the message loop, and
// shutdown.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/demo_session.h"
#include "app/frame_report.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/program_keys.h"
#include "app/smooth_motion.h"
#include "app/smooth_schedule.h"
#include "app/user_folders.h"
#include "copy/own_copy.h"
#include "display/display_sdl.h"
#include "exit_status.h"
#include "game/world.h"
#include "input/bindings.h"
#include "input/input_sdl.h"
#include "sound/mixer.h"
#include "sound/sound_device.h"

namespace zema {

namespace {

// One line on standard error: what failed, and SDL's reason.
void reportFailure(const char* what, const char* hint = "") {
    std::fprintf(stderr, "zema: %s: %s%s\n", what, SDL_GetError(), hint);
}

// The files are opened in slot order, from the player's copy or by bare name in the working
// directory.
bool startSound() {
    if (!initSound()) {
        reportFailure("no audio device", " (zema --nosound plays without sound)");
        return false;
    }
    if (!createPrimaryBuffer()) {
        reportFailure("cannot start the sound output");
        return false;
    }
    for (int slot = 0; slot < soundSlotCount; ++slot) {
        const std::string path = soundPath(SoundSlot(slot));
        if (!loadWave(SoundSlot(slot), path.c_str())) {
            std::fprintf(stderr, "zema: cannot load sound file '%s': %s\n", path.c_str(),
                         SDL_GetError());
            return false;
        }
    }
    return true;
}

// A display that does not exist or a window larger than its display; exitUsage, or 0 to go on.
// Where SDL's video cannot start, the display's set-up reports that in its own words.
int checkDisplayChoice(const Options& options) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 0;
    std::vector<DisplaySize> displays;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds = {0, 0, 0, 0};
        SDL_GetDisplayBounds(i, &bounds);
        displays.push_back({bounds.w, bounds.h});
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    const std::string fault = displayChoiceFault(options, displays);
    std::fputs(fault.c_str(), stderr);
    return fault.empty() ? 0 : exitUsage;
}

int runGame(const Options& options) {
    displaySettings = {.displayIndex = options.displayIndex,
                       .windowed = options.windowed,
                       .windowWidth = options.windowWidth,
                       .windowHeight = options.windowHeight,
                       .viewWidth = options.viewWidth,
                       .viewHeight = options.viewHeight,
                       .scale = options.scale};
    // The original's start-up asks nothing of the displays before its window.
    if (options.windowed || options.displayIndex != 0 || options.viewWidth > 0)
        if (const int status = checkDisplayChoice(options); status != 0) return status;
    bindings = options.bindings;
    createMainWindow(options.viewWidth > 0);
    // The display reports its own failure; the others are reported here.
    if (initDisplay(mainWindow) < 0) return 0;
    if (initInput(mainWindow) < 0) {
        reportFailure("cannot set up the input");
        return 0;
    }
    if (!options.noSound && !startSound()) {
        releaseSound();
        return soundFailed;
    }
    setMixerVolume(options.volume, options.musicVolume, options.effectsVolume);
    resetGame();
    // Without sound the request reaches no device and changes nothing.
    playSound(sndBgm, true);
    loopHooks.programKey = handleProgramKey;
    loopHooks.beforeFrame = displayFollowWindow;
    loopHooks.afterFrame = reportFrameShown;
    loopHooks.beforeEvents = holdWhileAsked;
    openFrameReport();
    startDemoRun();
    if (demoTimed()) silenceSound();
    // A timed demo runs its frames back to back: no sleep to show pictures in.
    if (options.smooth && !demoTimed())
        startSmoothMotion(picturesPerSleep(smoothRate(displayRefreshRate(), options.smoothRate)));
    const int exitCode = finishDemoRun(runMessageLoop());
    closeFrameReport();
    // Reverse order of creation.
    releaseSound();
    releaseInput();
    releaseDisplay();
    destroyMainWindow();
    return exitCode;
}

// Where the game looks for a copy when --data names none: the working directory, where the
// original found its files, then the player's data folder.
std::vector<std::string> copySearchFolders() {
    std::vector<std::string> folders = {"."};
    if (const std::string usual = usualCopyFolder(); !usual.empty()) folders.push_back(usual);
    return folders;
}

} // namespace

} // namespace zema

int main(int argc, char** argv) {
    using namespace zema;
    reachStartingConsole();
    const CommandLine line =
        readOptions(std::vector<std::string>(argv + 1, argv + argc), usualSettingsPath());
    std::fputs(line.out.c_str(), stdout);
    std::fputs(line.err.c_str(), stderr);
    if (!line.run) return line.exitStatus;
    if (line.options.checkData) {
        int status = 0;
        std::fputs(copyReport(line.options.dataFolder, copySearchFolders(), status).c_str(),
                   stdout);
        return status;
    }
    // Before any window: a named folder that is not a whole copy ends the start here.
    std::string said;
    const bool copyChosen =
        chooseOwnCopy(line.options.dataFolder, copySearchFolders(), "zema", said);
    std::fputs(said.c_str(), stderr);
    if (!copyChosen) return copyRefused;
    if (!zema::openDemoRun(line.options.demo, line.options.demoPath)) return zema::demoFault;
    SDL_SetMainReady();
    const int exitCode = zema::runGame(line.options);
    // Gives the desktop its own display mode back, whichever way the game ended.
    SDL_Quit();
    return exitCode;
}
