// Alt+Enter and the screenshot key, on the SDL display.
#include "app/program_keys.h"

#include <SDL.h>

#include <cstdio>
#include <ctime>

#include "app/screenshot.h"
#include "app/user_folders.h"
#include "display/display_sdl.h"
#include "input/bindings.h"
#include "platform/files.h"

namespace zema {

namespace {

bool isEnter(SDL_Keycode key) {
    return key == SDLK_RETURN || key == SDLK_KP_ENTER;
}

// Saves the frame on screen into the screenshot folder; prints the file's path on standard
// output, or what went wrong on standard error. The game goes on either way.
void takeScreenshot() {
    const BackBuffer& frame = displayBackBuffer();
    const std::tm when = localTime(std::time(nullptr));
    std::string pathOrError;
    const std::string folder = usualScreenshotFolder();
    if (saveScreenshot(frame.pixels, frame.width, frame.height, frame.pitch, folder, when,
                       pathOrError)) {
        std::printf("%s\n", pathOrError.c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "zema: cannot save a screenshot: %s\n", pathOrError.c_str());
    }
}

} // namespace

bool handleProgramKey(const SDL_KeyboardEvent& key) {
    const SDL_Keycode code = key.keysym.sym;
    if (isEnter(code) && (key.keysym.mod & KMOD_ALT) != 0) {
        if (key.repeat == 0 && !displayToggleFullscreen())
            std::fprintf(stderr, "zema: cannot switch between window and fullscreen: %s\n",
                         SDL_GetError());
        return true;
    }
    if (isScreenshotKey(code)) {
        if (key.repeat == 0) takeScreenshot();
        return true;
    }
    return false;
}

} // namespace zema
