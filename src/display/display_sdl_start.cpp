// The display seam on SDL2, its start-up and release: a fullscreen window showing the
// compositor's W x H back buffer. The window's own framebuffer is the fast path (no OpenGL
// anywhere); SDL's software renderer is the fallback, in the place of the original's reference
// rasteriser. A step that fails says so as the original did, in its own words.
#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "display/display_sdl_state.h"
#include "render/images.h"

namespace zema {

std::vector<DisplayMode> displayModes;
DisplaySettings displaySettings;
SdlDisplay sdlDisplay;

namespace {
const char textCreateFailed[] = "Direct3Dの作成に失敗しました";
const char textRetryNotice[] =
    "HALモードでDIRECT3Dデバイスを作成できません\nREFモードで再試行します";
const char textDeviceFailed[] = "DIRECT3Dデバイスの作成に失敗しました";
const char textTextureFailed[] = "テクスチャの作成に失敗しました";
const char emptyCaption[] = "";
const char* const noCaption = nullptr; // the system's own title is shown instead

// Any change to the window (shown, exposed, resized, moved...) may have lost its picture.
int watchWindow(void*, SDL_Event* event) {
    if (event->type == SDL_WINDOWEVENT) displayShowNextFrameWhole();
    return 0;
}

void report(const char* text, const char* caption, Uint32 kind) {
    const char* title = caption ? caption : "Error";
    if (displaySettings.messagesToStderrOnly ||
        SDL_ShowSimpleMessageBox(kind, title, text, nullptr) != 0)
        std::fprintf(stderr, "%s\n", text);
}

// The line names what failed and SDL's reason, taken before the box can overwrite it.
int32_t fail(const char* text, const char* caption, const char* what) {
    const char* reason = SDL_GetError();
    std::fprintf(stderr, "zema: %s: %s\n", what, *reason != '\0' ? reason : "no reason given");
    report(text, caption, SDL_MESSAGEBOX_ERROR);
    return E_FAIL;
}

bool probeWindowSurface() {
    return !displaySettings.skipWindowSurface &&
           SDL_GetWindowSurface(sdlDisplay.gameWindow) != nullptr;
}

bool probeSoftwareRenderer() {
    sdlDisplay.renderer = SDL_CreateRenderer(sdlDisplay.gameWindow, -1, SDL_RENDERER_SOFTWARE);
    return sdlDisplay.renderer != nullptr;
}
} // namespace

int32_t initDisplay(SDL_Window* window) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return fail(textCreateFailed, emptyCaption, "cannot start SDL's video");
    sdlDisplay.gameWindow = window;
    // A window that cannot be shown cannot carry a device.
    if (!window) return fail(textDeviceFailed, noCaption, "cannot create the game window");
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) == 0) {
        SDL_SetError("the window is not shown");
        return fail(textDeviceFailed, noCaption, "cannot show the game window");
    }

    // SDL's default framebuffer goes through OpenGL, which kills the process where Mesa's
    // drivers are missing; both paths here end in the window's plain framebuffer instead.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    sdlDisplay.path = PresentPath::WindowSurface;
    if (!probeWindowSurface()) {
        report(textRetryNotice, noCaption, SDL_MESSAGEBOX_WARNING);
        sdlDisplay.path = PresentPath::SoftwareRenderer;
        if (!probeSoftwareRenderer()) {
            sdlDisplay.path = PresentPath::None;
            return fail(textDeviceFailed, noCaption, "cannot draw into the game window");
        }
    }

    const int display = displaySettings.displayIndex;
    displayModes = displaySettings.followsWindow ? windowMode() : listModes(display);
    if (displayModes.empty()) {
        const char* driver = SDL_GetCurrentVideoDriver();
        SDL_SetError("display %d has no 32-bit mode (video driver '%s')", display,
                     driver ? driver : "none");
        return fail(textDeviceFailed, noCaption, "cannot set up the display");
    }
    const DisplayMode& largest = sdlDisplay.fullscreenMode;
    sdlDisplay.fullscreenMode = displayModes.back();
    displayMode = largest;
    if (ownView()) viewSize(displayMode.Width, displayMode.Height);
    // The window is never larger than the largest mode (a size given on the command line was
    // checked against the display already).
    sdlDisplay.windowedWidth = std::min<int>(displaySettings.windowWidth, int(largest.Width));
    sdlDisplay.windowedHeight = std::min<int>(displaySettings.windowHeight, int(largest.Height));

    if (displaySettings.followsWindow) {
        sdlDisplay.fullscreen = false; // the window is the page's canvas, whatever its size
    } else if (displaySettings.windowed) {
        if (!goWindowed()) return fail(textDeviceFailed, noCaption, "cannot open the window");
        viewSize(displayMode.Width, displayMode.Height);
    } else if (!goFullscreen()) {
        return fail(textDeviceFailed, noCaption, "cannot go fullscreen");
    }
    if (!makeBackBuffer())
        return fail(textDeviceFailed, noCaption, "cannot get a picture for the window");
    SDL_AddEventWatch(watchWindow, nullptr);

    const int failedSlot = displaySettings.imagesLater ? -1 : loadImages();
    if (failedSlot >= 0) {
        SDL_SetError("picture %s cannot be read or is not of its size",
                     imageSlotName(ImageSlot(failedSlot)));
        return fail(textTextureFailed, emptyCaption, "cannot load the pictures");
    }
    return 0;
}

void releaseDisplay() {
    releaseImages();
    SDL_DelEventWatch(watchWindow, nullptr);
    releasePresenting();
    sdlDisplay.fullscreen = false;
    sdlDisplay.path = PresentPath::None;
    sdlDisplay.gameWindow = nullptr;
}

} // namespace zema
