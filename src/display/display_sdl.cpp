// The display seam on SDL2: a fullscreen window showing the compositor's W x H back buffer.
// The window's own framebuffer is the fast path (no OpenGL anywhere); SDL's software renderer
// is the fallback, in the place of the original's reference rasteriser.
#include "display/display_sdl.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

#include "display/display_modes.h"
#ifdef __EMSCRIPTEN__
#include "display/canvas_present.h"
#endif
#include "display/present_timing.h"
#include "render/between_frames.h"
#include "render/frame_repaint.h"
#include "render/images.h"
#include "render/pixel_rows.h"
#include "render/pixel_vector.h"
#include "render/view_scaler.h"

namespace zema {

std::vector<DisplayMode> displayModes;
DisplaySettings displaySettings;

namespace {
const char textCreateFailed[] = "Direct3Dの作成に失敗しました";
const char textRetryNotice[] =
    "HALモードでDIRECT3Dデバイスを作成できません\nREFモードで再試行します";
const char textDeviceFailed[] = "DIRECT3Dデバイスの作成に失敗しました";
const char textTextureFailed[] = "テクスチャの作成に失敗しました";
const char emptyCaption[] = "";
const char* const noCaption = nullptr; // the system's own title is shown instead

SDL_Window* gameWindow = nullptr;
PresentPath path = PresentPath::None;
SDL_Renderer* renderer = nullptr;
SDL_Texture* streamTexture = nullptr;
PixelVector ownPixels; // the back buffer when it cannot be the window's own pixels
SDL_Surface* ownSurface = nullptr;
BackBuffer backBuffer = {};
bool inPlace = false;
bool fullscreen = false;
DisplayMode fullscreenMode = {};
// The size the window takes when the game leaves fullscreen.
int windowedWidth = 0;
int windowedHeight = 0;
// A frame's clear and draws are kept until it is shown (frame_repaint.h): a frame that differs
// from the one before only in places is drawn again, and shown, only there.
BackBuffer composited = {}; // the back buffer the last frame was composited into
// The window may not show the last picture, and a new window surface may sit where the old one
// was: the next frame is drawn and shown whole.
bool showWhole = true;
PixelRect changedRects[maxRepaintRects];
int changedCount = -1; // of the frame composited last; -1: everywhere

// Smooth motion: the frame being run's clears and draws, and the last two frames'. Every frame
// ends with EndScene and Present; a title frame also presents inside its scene.
bool smooth = false;
bool sceneEnded = false;
FrameDraws issued, frameBefore, lastFrame, betweenFrames;

// With a view of its own the back buffer is always pixels of its own, scaled into the window
// surface at present; the bars around the picture are filled when its place or the surface
// changes, and nothing else writes there.
ScalePlan scalePlan;
const SDL_Surface* barsSurface = nullptr;
int barsSurfaceWidth = 0, barsSurfaceHeight = 0;
PictureRect barsRect = {};
constexpr uint32_t barColour = 0xFF000000;

bool ownView() {
    return displaySettings.viewWidth > 0 && displaySettings.viewHeight > 0;
}

// Without pixels (the window between sizes) the kept frame is dropped, as its draws were.
void compositeKept() {
    const bool intact = !showWhole && composited.pixels == backBuffer.pixels &&
                        composited.width == backBuffer.width &&
                        composited.height == backBuffer.height &&
                        composited.pitch == backBuffer.pitch;
    const int changed = compositeKeptFrame(backBuffer, intact, changedRects);
    composited = backBuffer;
    // Frames composited since the last present add up: any but the last counts everywhere.
    changedCount = changedCount == 0 ? changed : -1;
}

// Any change to the window (shown, exposed, resized, moved...) may have lost its picture.
int watchWindow(void*, SDL_Event* event) {
    if (event->type == SDL_WINDOWEVENT) showWhole = true;
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

bool drawableInPlace(const SDL_Surface* surface) {
    return !ownView() && surface && surface->w == static_cast<int>(displayMode.Width) &&
           surface->h == static_cast<int>(displayMode.Height) && surface->pitch % 4 == 0 &&
           (surface->format->format == SDL_PIXELFORMAT_ARGB8888 ||
            surface->format->format == SDL_PIXELFORMAT_RGB888);
}

void useOwnPixels() {
    const int w = static_cast<int>(displayMode.Width), h = static_cast<int>(displayMode.Height);
    if (!ownSurface || ownSurface->w != w || ownSurface->h != h) {
        ownPixels.assign(static_cast<size_t>(w) * h, 0xFF0000FF);
        if (ownSurface) SDL_FreeSurface(ownSurface);
        ownSurface = SDL_CreateRGBSurfaceWithFormatFrom(ownPixels.data(), w, h, 32, w * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    }
    backBuffer = {ownPixels.data(), w, h, w};
    inPlace = false;
}

// The window surface goes away whenever the window changes size; the back buffer follows it
// there, or falls back to pixels of its own while the window is not W x H.
void refreshTarget() {
    if (path != PresentPath::WindowSurface) return;
    SDL_Surface* surface = SDL_GetWindowSurface(gameWindow);
    if (drawableInPlace(surface)) {
        backBuffer = {static_cast<uint32_t*>(surface->pixels), surface->w, surface->h,
                      surface->pitch / 4};
        inPlace = true;
    } else if (inPlace || !backBuffer.pixels ||
               backBuffer.width != static_cast<int32_t>(displayMode.Width) ||
               backBuffer.height != static_cast<int32_t>(displayMode.Height)) {
        useOwnPixels();
    }
}

bool probeWindowSurface() {
    return !displaySettings.skipWindowSurface && SDL_GetWindowSurface(gameWindow) != nullptr;
}

bool probeSoftwareRenderer() {
    renderer = SDL_CreateRenderer(gameWindow, -1, SDL_RENDERER_SOFTWARE);
    return renderer != nullptr;
}

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

void placeOnDisplay() {
    const int display = displaySettings.displayIndex;
    SDL_SetWindowPosition(gameWindow, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}

bool goFullscreen() {
    SDL_DisplayMode wanted = {};
    wanted.format = SDL_PIXELFORMAT_RGB888;
    wanted.w = static_cast<int>(fullscreenMode.Width);
    wanted.h = static_cast<int>(fullscreenMode.Height);
    // Fullscreen goes to the display the window is on; the first display keeps the window where
    // start-up put it.
    if (displaySettings.displayIndex != 0) placeOnDisplay();
    // A view of its own is scaled to whatever the desktop is: no mode switch.
    if (ownView()) {
        if (SDL_SetWindowFullscreen(gameWindow, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
        fullscreen = true;
        return true;
    }
    if (SDL_SetWindowDisplayMode(gameWindow, &wanted) != 0 ||
        SDL_SetWindowFullscreen(gameWindow, SDL_WINDOW_FULLSCREEN) != 0)
        return false;
    fullscreen = true;
    return true;
}

// A framed, resizable window of the last windowed size, centred on the display.
bool goWindowed() {
    if (SDL_SetWindowFullscreen(gameWindow, 0) != 0) return false;
    fullscreen = false;
    SDL_SetWindowBordered(gameWindow, SDL_TRUE);
    SDL_SetWindowResizable(gameWindow, SDL_TRUE);
    SDL_SetWindowSize(gameWindow, windowedWidth, windowedHeight);
    placeOnDisplay();
    return true;
}

// The view's size for the next frame: a view of its own whatever the window; otherwise the
// window's own in a window, the mode's fullscreen.
void viewSize(uint32_t& width, uint32_t& height) {
    if (ownView()) {
        width = static_cast<uint32_t>(displaySettings.viewWidth);
        height = static_cast<uint32_t>(displaySettings.viewHeight);
        return;
    }
    width = fullscreenMode.Width;
    height = fullscreenMode.Height;
    if (fullscreen) return;
    int w = 0, h = 0;
    SDL_GetWindowSize(gameWindow, &w, &h);
    if (w > 0 && h > 0) {
        width = static_cast<uint32_t>(w);
        height = static_cast<uint32_t>(h);
    }
}

bool makeStreamTexture() {
    if (streamTexture) SDL_DestroyTexture(streamTexture);
    streamTexture = SDL_CreateTexture(
        renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
        static_cast<int>(displayMode.Width), static_cast<int>(displayMode.Height));
    return streamTexture != nullptr;
}

// The one mode of a display that follows its window: the window's size now.
std::vector<DisplayMode> windowMode() {
    int w = 0, h = 0;
    SDL_GetWindowSize(gameWindow, &w, &h);
    if (w <= 0 || h <= 0) return {};
    return {{static_cast<uint32_t>(w), static_cast<uint32_t>(h), 0, formatX8R8G8B8}};
}

bool makeBackBuffer() {
    backBuffer = {};
    if (path == PresentPath::WindowSurface) {
        if (!SDL_GetWindowSurface(gameWindow)) return false;
        refreshTarget();
        return true;
    }
    if (!makeStreamTexture()) return false;
    useOwnPixels();
    return ownSurface != nullptr;
}
} // namespace

int32_t initDisplay(SDL_Window* window) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return fail(textCreateFailed, emptyCaption, "cannot start SDL's video");
    gameWindow = window;
    // A window that cannot be shown cannot carry a device.
    if (!window) return fail(textDeviceFailed, noCaption, "cannot create the game window");
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) == 0) {
        SDL_SetError("the window is not shown");
        return fail(textDeviceFailed, noCaption, "cannot show the game window");
    }

    // SDL's default framebuffer goes through OpenGL, which kills the process where Mesa's
    // drivers are missing; both paths here end in the window's plain framebuffer instead.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    path = PresentPath::WindowSurface;
    if (!probeWindowSurface()) {
        report(textRetryNotice, noCaption, SDL_MESSAGEBOX_WARNING);
        path = PresentPath::SoftwareRenderer;
        if (!probeSoftwareRenderer()) {
            path = PresentPath::None;
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
    fullscreenMode = displayModes.back();
    displayMode = fullscreenMode;
    if (ownView()) viewSize(displayMode.Width, displayMode.Height);
    // The window is never larger than the largest mode (a size given on the command line was
    // checked against the display already).
    windowedWidth = std::min<int>(displaySettings.windowWidth, int(fullscreenMode.Width));
    windowedHeight = std::min<int>(displaySettings.windowHeight, int(fullscreenMode.Height));

    if (displaySettings.followsWindow) {
        fullscreen = false; // the window is the page's canvas, whatever its size
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
    forgetKeptFrames();
    displaySetSmooth(false);
    composited = {};
    changedCount = -1;
    showWhole = true;
    if (streamTexture) SDL_DestroyTexture(streamTexture);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (ownSurface) SDL_FreeSurface(ownSurface);
    streamTexture = nullptr;
    renderer = nullptr;
    ownSurface = nullptr;
    ownPixels = {};
    backBuffer = {};
    inPlace = false;
    fullscreen = false;
    scalePlan = {};
    barsSurface = nullptr;
    path = PresentPath::None;
    gameWindow = nullptr;
}

void displayFollowWindow() {
    if (!gameWindow || path == PresentPath::None) return;
    uint32_t width = 0, height = 0;
    viewSize(width, height);
    if (width == displayMode.Width && height == displayMode.Height) return;
    displayMode.Width = width;
    displayMode.Height = height;
    if (path == PresentPath::SoftwareRenderer) {
        makeStreamTexture();
        useOwnPixels();
    } else {
        refreshTarget();
    }
}

bool displayToggleFullscreen() {
    if (!gameWindow || path == PresentPath::None) {
        SDL_SetError("the display is not set up");
        return false;
    }
    if (!fullscreen) {
        SDL_GetWindowSize(gameWindow, &windowedWidth, &windowedHeight);
        return goFullscreen();
    }
    return goWindowed();
}

void displayShowNextFrameWhole() {
    showWhole = true;
}

bool displayIsFullscreen() {
    return fullscreen;
}

int displayRefreshRate() {
    SDL_DisplayMode mode = {};
    if (gameWindow && fullscreen && !ownView() &&
        SDL_GetWindowDisplayMode(gameWindow, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    const int display = gameWindow ? SDL_GetWindowDisplayIndex(gameWindow) : -1;
    if (SDL_GetDesktopDisplayMode(display >= 0 ? display : displaySettings.displayIndex, &mode) ==
            0 &&
        mode.refresh_rate > 0)
        return mode.refresh_rate;
    return 60;
}

PresentPath displayPresentPath() {
    return path;
}

bool displayDrawsInPlace() {
    return inPlace;
}

const BackBuffer& displayBackBuffer() {
    compositeKept();
    return backBuffer;
}

void displayBeginScene() {
    refreshTarget();
}

void displayEndScene() {
    sceneEnded = true;
}

void displayClear(uint32_t colour) {
    refreshTarget();
    if (smooth)
        addFrameClear(issued, colour);
    else
        keepClear(backBuffer, colour);
}

namespace {
// The back buffer scaled into the window surface, whatever its pixel size (on a high-density
// screen the drawable's, larger than the window's size in points).
void showScaled() {
    SDL_Surface* surface = SDL_GetWindowSurface(gameWindow);
    if (!surface || !ownSurface) return;
    const PictureRect rect = placeView(surface->w, surface->h, backBuffer.width, backBuffer.height,
                                       displaySettings.scale);
    const bool direct =
        surface->pitch % 4 == 0 && (surface->format->format == SDL_PIXELFORMAT_ARGB8888 ||
                                    surface->format->format == SDL_PIXELFORMAT_RGB888);
    if (!direct) { // another pixel order: SDL converts, by nearest neighbour
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        SDL_Rect to = {rect.x, rect.y, rect.width, rect.height};
        SDL_BlitScaled(ownSurface, nullptr, surface, &to);
        SDL_UpdateWindowSurface(gameWindow);
        return;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    BackBuffer target = {static_cast<uint32_t*>(surface->pixels), surface->w, surface->h,
                         surface->pitch / 4};
    if (surface != barsSurface || surface->w != barsSurfaceWidth ||
        surface->h != barsSurfaceHeight || rect.x != barsRect.x || rect.y != barsRect.y ||
        rect.width != barsRect.width || rect.height != barsRect.height) {
        fillOutside(target, rect, barColour);
        barsSurface = surface;
        barsSurfaceWidth = surface->w;
        barsSurfaceHeight = surface->h;
        barsRect = rect;
    }
    scaleView(scalePlan, backBuffer, target, rect);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(gameWindow);
}

// The fallback's renderer places the view as the window surface would.
void copyStreamTexture() {
    if (!ownView()) {
        SDL_RenderCopy(renderer, streamTexture, nullptr, nullptr);
        return;
    }
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    const PictureRect rect =
        placeView(w, h, backBuffer.width, backBuffer.height, displaySettings.scale);
    const SDL_Rect to = {rect.x, rect.y, rect.width, rect.height};
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, streamTexture, nullptr, &to);
}

const SDL_Rect* sdlRects() {
    static SDL_Rect rects[maxRepaintRects];
    for (int i = 0; i < changedCount; ++i) {
        const PixelRect& r = changedRects[i];
        rects[i] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    return rects;
}

// A window that keeps its pixels red first (the page's canvas) gets the back buffer's rows with
// red and blue swapped by the row kernels: SDL's blit converts them one pixel at a time, 4.9 ms a
// 1920 x 1080 frame in the page. False, with nothing done, for any other window surface.
bool copySwappingRedBlue(SDL_Surface* surface) {
    const uint32_t format = surface->format->format;
    if ((format != SDL_PIXELFORMAT_ABGR8888 && format != SDL_PIXELFORMAT_BGR888) ||
        surface->w != ownSurface->w || surface->h != ownSurface->h || surface->pitch % 4 != 0 ||
        (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0))
        return false;
    for (int y = 0; y < surface->h; ++y)
        rowKernels().swapRedBlueOpaque(
            static_cast<uint32_t*>(surface->pixels) + y * (surface->pitch / 4),
            ownPixels.data() + static_cast<size_t>(y) * surface->w, surface->w);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return true;
}

void showBackBuffer() {
    if (path == PresentPath::WindowSurface && ownView()) {
        refreshTarget();
        showScaled();
    } else if (path == PresentPath::WindowSurface) {
        refreshTarget();
        if (!inPlace && ownSurface) {
            SDL_Surface* surface = SDL_GetWindowSurface(gameWindow);
            if (!surface) return;
#ifdef __EMSCRIPTEN__
            // The page puts only what changed on its canvas.
            if (surface->w == ownSurface->w && surface->h == ownSurface->h) {
                const CanvasCopy copy =
                    copyToCanvas(surface, ownPixels.data(), changedRects, changedCount);
                if (copy == CanvasCopy::Shown) return;
                if (copy == CanvasCopy::Copied) {
                    SDL_UpdateWindowSurface(gameWindow);
                    return;
                }
            }
#endif
            const bool copied = copySwappingRedBlue(surface);
            if (!copied && surface->w == ownSurface->w && surface->h == ownSurface->h)
                SDL_BlitSurface(ownSurface, nullptr, surface, nullptr);
            else if (!copied)
                SDL_BlitScaled(ownSurface, nullptr, surface, nullptr);
        }
        // In place, only what changed since the last present needs showing.
        if (!inPlace || changedCount < 0 ||
            SDL_UpdateWindowSurfaceRects(gameWindow, sdlRects(), changedCount) != 0)
            SDL_UpdateWindowSurface(gameWindow);
    } else if (path == PresentPath::SoftwareRenderer) {
        SDL_UpdateTexture(streamTexture, nullptr, backBuffer.pixels, backBuffer.pitch * 4);
        copyStreamTexture();
        SDL_RenderPresent(renderer);
    }
}
} // namespace

namespace {
void presentKept() {
    compositeKept();
    if (showWhole) changedCount = -1;
    showWhole = false;
    if (presentTiming.unshown) return;
    if (!presentTiming.on) {
        showBackBuffer();
        changedCount = 0;
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    showBackBuffer();
    changedCount = 0;
    presentTiming.nanoseconds += std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count();
    ++presentTiming.presents;
}
} // namespace

void displayPresent() {
    refreshTarget();
    if (!smooth) {
        presentKept();
    } else if (sceneEnded) { // the frame has ended: its draws are the last frame's
        std::swap(frameBefore, lastFrame);
        std::swap(lastFrame, issued);
        issued.count = 0;
    }
    sceneEnded = false;
}

void displaySetSmooth(bool on) {
    smooth = on;
    sceneEnded = false;
    issued.count = frameBefore.count = lastFrame.count = 0;
}

void displayShowBetween(double t) {
    if (!smooth) return;
    refreshTarget();
    if (!backBuffer.pixels) return;
    drawsBetween(frameBefore, lastFrame, t, betweenFrames);
    for (int i = 0; i < betweenFrames.count; ++i) {
        const FrameOp& op = betweenFrames.ops[i];
        if (op.clear)
            keepClear(backBuffer, op.colour);
        else
            keepDraw(backBuffer, op.slot, op.source, op.scaling, op.translation, op.colour);
    }
    presentKept();
}

void drawImage(ImageSlot slot, SourceRect source, Vector2 scaling, Vector2 /*rotationCentre*/,
               float /*rotation*/, Vector2 translation, uint32_t colour) {
    refreshTarget();
    if (!backBuffer.pixels) return;
    if (smooth)
        addFrameDraw(issued, slot, source, scaling, translation, colour);
    else
        keepDraw(backBuffer, slot, source, scaling, translation, colour);
}

} // namespace zema
