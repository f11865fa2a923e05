// The SDL display: the fullscreen window showing the compositor's back buffer.
#pragma once

#include <cstdint>
#include <vector>

#include "display/display.h"
#include "render/compositor.h"
#include "render/view_placement.h"
#include "result.h"

struct SDL_Window;

namespace zema {

// Where and how the game is shown; set before initDisplay. The defaults are the original's:
// fullscreen at the last mode of display 0.
struct DisplaySettings {
    int32_t displayIndex = 0; // whose modes are listed and used
    bool windowed = false;    // a resizable window of windowWidth x windowHeight instead
    int32_t windowWidth = 1024;
    int32_t windowHeight = 768;
    // A view of its own (both sides above 0): the game sees viewWidth x viewHeight whatever the
    // window's or screen's size, and the picture is scaled to the window as scale says,
    // fullscreen on the desktop's own mode. 0: the view is the mode's, or the window's size.
    int32_t viewWidth = 0;
    int32_t viewHeight = 0;
    ViewScale scale = ViewScale::Fit;
    // Start-up failures go to standard error only and no message box is shown: a box waits for
    // a click, which a test or a script cannot give.
    bool messagesToStderrOnly = false;
    // The window's own framebuffer counts as unavailable, so start-up takes the fallback path
    // after its notice; for tests and measurements of that path.
    bool skipWindowSurface = false;
    // The view is the window's own size instead of the largest mode, and the window is not made
    // fullscreen: for the browser, where the window is the page's canvas and SDL lists only the
    // screen's size.
    bool followsWindow = false;
    // initDisplay loads no pictures: the caller loads each once it is made (the browser makes the
    // title's first, and the rest after the title shows).
    bool imagesLater = false;
};
extern DisplaySettings displaySettings;

// Lists the display modes, takes the last (largest) as W x H (or the view of its own), makes the
// window fullscreen (or a window, as displaySettings say) and loads the fifteen images (unless
// displaySettings.imagesLater is set). On a failure writes one line naming what failed and why to
// standard error, shows its message box (or writes the text to standard error too when no box can
// be shown) and returns E_FAIL.
//
// The window must not have had a window surface or renderer made for it before: the display
// turns SDL's OpenGL-backed framebuffer off, which only takes effect for the first one.
int32_t initDisplay(SDL_Window* window);
void releaseDisplay();

// Every 32-bit mode of the display in use, smallest first; the last one is the fullscreen mode.
extern std::vector<DisplayMode> displayModes;

enum class PresentPath {
    None,
    WindowSurface,    // the compositor draws into the window's own framebuffer
    SoftwareRenderer, // SDL's software renderer and a streaming texture: the fallback
};
PresentPath displayPresentPath();
// True when the back buffer is the window surface's own pixels (no copy at Present).
bool displayDrawsInPlace();
// The W x H picture being drawn; valid between initDisplay and releaseDisplay. Between frames it
// holds the frame on screen.
const BackBuffer& displayBackBuffer();

// Called before each frame, never during one, so that a frame sees one size throughout: in a
// window (and with displaySettings.followsWindow) the view (displayMode's Width and Height) takes
// the window's size, and the back buffer follows; fullscreen it is the fullscreen mode's. A view of
// its own stays as it is: only the picture's place in the window changes, at the present.
void displayFollowWindow();

// Between the window and fullscreen at the largest mode; the view follows at the next frame.
// False, with SDL_GetError saying why, when the switch was refused.
bool displayToggleFullscreen();
// The next frame is drawn and shown whole, even where it is the same as the one before.
void displayShowNextFrameWhole();

// Smooth motion: while on, the frames' own presents show nothing; their clears and draws are
// kept, and displayShowBetween shows the picture at fraction t of the way from the frame before
// the last to the last one (between_frames.h); at t = 1, the last frame's own picture.
void displaySetSmooth(bool on);
void displayShowBetween(double t);
// Pictures a second the display shows: its mode's refresh rate, 60 where it does not say.
int displayRefreshRate();

} // namespace zema
