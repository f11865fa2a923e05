// The SDL display: the fullscreen window showing the compositor's back buffer.
#pragma once

#include <cstdint>
#include <vector>

#include "display/display.h"
#include "render/compositor.h"
#include "result.h"

struct SDL_Window;

namespace zema {

// Lists the display modes, takes the last (largest) as W x H, makes the window fullscreen and
// loads the fifteen images. On a failure shows its message box (or writes the text to standard
// error when no box can be shown) and returns E_FAIL.
//
// The window must not have had a window surface or renderer made for it before: the display
// turns SDL's OpenGL-backed framebuffer off, which only takes effect for the first one.
int32_t initDisplay(SDL_Window* window);
void releaseDisplay();

// Every 32-bit mode of display 0, smallest first; the last one is displayMode.
extern std::vector<DisplayMode> displayModes;

// When set, start-up failures go to standard error only and no message box is shown: a box
// waits for a click, which a test or a script cannot give.
extern bool displayMessagesToStderrOnly;

// When set, the window's own framebuffer counts as unavailable, so start-up takes the fallback
// path after its notice; for tests and measurements of that path.
extern bool displaySkipWindowSurface;

// When set, the view is the window's own size instead of the largest mode, and the window is
// not made fullscreen: for the browser, where the window is the page's canvas and SDL lists only
// the screen's size.
extern bool displayFollowsWindow;

// With displayFollowsWindow: takes the window's current size as W x H when it has changed, and
// sizes the back buffer to it. Called between frames, so that a frame sees one size throughout.
void displayMatchWindowSize();

enum class PresentPath {
    None,
    WindowSurface,    // the compositor draws into the window's own framebuffer
    SoftwareRenderer, // SDL's software renderer and a streaming texture: the fallback
};
PresentPath displayPresentPath();
// True when the back buffer is the window surface's own pixels (no copy at Present).
bool displayDrawsInPlace();
// The W x H picture being drawn; valid between initDisplay and releaseDisplay.
const BackBuffer& displayBackBuffer();

} // namespace zema
