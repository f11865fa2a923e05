// What the SDL display's files share: the window and the state of its modes, and the steps each
// file takes for the others. Start-up (display_sdl_start.cpp) sets it up and releases it, the
// window's file (display_sdl_window.cpp) switches modes, and presenting (display_sdl_present.cpp)
// owns the back buffer and how it reaches the window. Only those three include it.
#pragma once

#include <cstdint>
#include <vector>

#include "display/display_sdl.h"

struct SDL_Renderer;

namespace zema {

// The display between initDisplay and releaseDisplay.
struct SdlDisplay {
    SDL_Window* gameWindow = nullptr;
    PresentPath path = PresentPath::None;
    SDL_Renderer* renderer = nullptr; // the fallback path's
    bool fullscreen = false;
    DisplayMode fullscreenMode = {};
    // The size the window takes when the game leaves fullscreen.
    int windowedWidth = 0;
    int windowedHeight = 0;
};
extern SdlDisplay sdlDisplay;

// A view of its own: the game's view keeps its size and the picture is scaled to the window.
inline bool ownView() {
    return displaySettings.viewWidth > 0 && displaySettings.viewHeight > 0;
}

// The window and its modes.
std::vector<DisplayMode> listModes(int display);
// The one mode of a display that follows its window: the window's size now.
std::vector<DisplayMode> windowMode();
bool goFullscreen();
// A framed, resizable window of the last windowed size, centred on the display.
bool goWindowed();
// The view's size for the next frame: a view of its own whatever the window; otherwise the
// window's own in a window, the mode's fullscreen.
void viewSize(uint32_t& width, uint32_t& height);

// The back buffer and its way to the window.
// The window surface goes away whenever the window changes size; the back buffer follows it
// there, or falls back to pixels of its own while the window is not W x H.
void refreshTarget();
void useOwnPixels();
bool makeStreamTexture();
// The first back buffer, on the path chosen; false when the path cannot give one.
bool makeBackBuffer();
// Forgets the frames kept and frees the back buffer, the texture and the renderer.
void releasePresenting();

} // namespace zema
