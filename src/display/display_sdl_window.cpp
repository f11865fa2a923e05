// The SDL display's window and modes: the display's 32-bit modes, fullscreen at the largest or a
// window, the switch between them, the view's size between frames and the refresh rate.
#include <SDL.h>

#include "display/display_modes.h"
#include "display/display_sdl_state.h"

namespace zema {

std::vector<DisplayMode> listModes(int display) {
    std::vector<ListedMode> listed;
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
        const bool packed = !SDL_ISPIXELFORMAT_INDEXED(mode.format) &&
                            !SDL_ISPIXELFORMAT_FOURCC(mode.format) &&
                            mode.format != SDL_PIXELFORMAT_UNKNOWN;
        listed.push_back({mode.w, mode.h, mode.refresh_rate,
                          packed ? static_cast<int32_t>(SDL_BYTESPERPIXEL(mode.format)) : 0});
    }
    return adapterModeOrder(listed);
}

std::vector<DisplayMode> windowMode() {
    int w = 0, h = 0;
    SDL_GetWindowSize(sdlDisplay.gameWindow, &w, &h);
    if (w <= 0 || h <= 0) return {};
    return {{static_cast<uint32_t>(w), static_cast<uint32_t>(h), 0, formatX8R8G8B8}};
}

namespace {
void placeOnDisplay() {
    const int display = displaySettings.displayIndex;
    SDL_SetWindowPosition(sdlDisplay.gameWindow, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}
} // namespace

bool goFullscreen() {
    SDL_Window* window = sdlDisplay.gameWindow;
    SDL_DisplayMode wanted = {};
    wanted.format = SDL_PIXELFORMAT_RGB888;
    wanted.w = static_cast<int>(sdlDisplay.fullscreenMode.Width);
    wanted.h = static_cast<int>(sdlDisplay.fullscreenMode.Height);
    // Fullscreen goes to the display the window is on; the first display keeps the window where
    // start-up put it.
    if (displaySettings.displayIndex != 0) placeOnDisplay();
    // A view of its own is scaled to whatever the desktop is: no mode switch.
    if (ownView()) {
        if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
        sdlDisplay.fullscreen = true;
        return true;
    }
    if (SDL_SetWindowDisplayMode(window, &wanted) != 0 ||
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0)
        return false;
    sdlDisplay.fullscreen = true;
    return true;
}

bool goWindowed() {
    SDL_Window* window = sdlDisplay.gameWindow;
    if (SDL_SetWindowFullscreen(window, 0) != 0) return false;
    sdlDisplay.fullscreen = false;
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowResizable(window, SDL_TRUE);
    SDL_SetWindowSize(window, sdlDisplay.windowedWidth, sdlDisplay.windowedHeight);
    placeOnDisplay();
    return true;
}

void viewSize(uint32_t& width, uint32_t& height) {
    if (ownView()) {
        width = static_cast<uint32_t>(displaySettings.viewWidth);
        height = static_cast<uint32_t>(displaySettings.viewHeight);
        return;
    }
    width = sdlDisplay.fullscreenMode.Width;
    height = sdlDisplay.fullscreenMode.Height;
    if (sdlDisplay.fullscreen) return;
    int w = 0, h = 0;
    SDL_GetWindowSize(sdlDisplay.gameWindow, &w, &h);
    if (w > 0 && h > 0) {
        width = static_cast<uint32_t>(w);
        height = static_cast<uint32_t>(h);
    }
}

void displayFollowWindow() {
    if (!sdlDisplay.gameWindow || sdlDisplay.path == PresentPath::None) return;
    uint32_t width = 0, height = 0;
    viewSize(width, height);
    if (width == displayMode.Width && height == displayMode.Height) return;
    displayMode.Width = width;
    displayMode.Height = height;
    if (sdlDisplay.path == PresentPath::SoftwareRenderer) {
        makeStreamTexture();
        useOwnPixels();
    } else {
        refreshTarget();
    }
}

bool displayToggleFullscreen() {
    if (!sdlDisplay.gameWindow || sdlDisplay.path == PresentPath::None) {
        SDL_SetError("the display is not set up");
        return false;
    }
    if (!sdlDisplay.fullscreen) {
        SDL_GetWindowSize(sdlDisplay.gameWindow, &sdlDisplay.windowedWidth,
                          &sdlDisplay.windowedHeight);
        return goFullscreen();
    }
    return goWindowed();
}

int displayRefreshRate() {
    SDL_Window* window = sdlDisplay.gameWindow;
    SDL_DisplayMode mode = {};
    if (window && sdlDisplay.fullscreen && !ownView() &&
        SDL_GetWindowDisplayMode(window, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    const int display = window ? SDL_GetWindowDisplayIndex(window) : -1;
    if (SDL_GetDesktopDisplayMode(display >= 0 ? display : displaySettings.displayIndex, &mode) ==
            0 &&
        mode.refresh_rate > 0)
        return mode.refresh_rate;
    return 60;
}

} // namespace zema
