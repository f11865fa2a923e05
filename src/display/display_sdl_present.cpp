// The SDL display's presenting: the back buffer the compositor draws into (the window surface's
// own pixels where it can, pixels of its own otherwise), the frame's clears and draws kept until
// it is shown, and the present that puts what changed in the window; smooth motion's pictures
// between frames.
#include <SDL.h>

#include <chrono>
#include <utility>

#include "display/display_sdl_state.h"
#ifdef __EMSCRIPTEN__
#include "display/canvas_present.h"
#endif
#include "display/present_timing.h"
#include "render/between_frames.h"
#include "render/frame_repaint.h"
#include "render/pixel_rows.h"
#include "render/pixel_vector.h"
#include "render/view_scaler.h"

namespace zema {

namespace {
SDL_Texture* streamTexture = nullptr;
PixelVector ownPixels; // the back buffer when it cannot be the window's own pixels
SDL_Surface* ownSurface = nullptr;
BackBuffer backBuffer = {};
bool inPlace = false;
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

bool drawableInPlace(const SDL_Surface* surface) {
    return !ownView() && surface && surface->w == static_cast<int>(displayMode.Width) &&
           surface->h == static_cast<int>(displayMode.Height) && surface->pitch % 4 == 0 &&
           (surface->format->format == SDL_PIXELFORMAT_ARGB8888 ||
            surface->format->format == SDL_PIXELFORMAT_RGB888);
}

// The back buffer scaled into the window surface, whatever its pixel size (on a high-density
// screen the drawable's, larger than the window's size in points).
void showScaled() {
    SDL_Surface* surface = SDL_GetWindowSurface(sdlDisplay.gameWindow);
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
        SDL_UpdateWindowSurface(sdlDisplay.gameWindow);
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
    SDL_UpdateWindowSurface(sdlDisplay.gameWindow);
}

// The fallback's renderer places the view as the window surface would.
void copyStreamTexture() {
    SDL_Renderer* renderer = sdlDisplay.renderer;
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
    SDL_Window* window = sdlDisplay.gameWindow;
    if (sdlDisplay.path == PresentPath::WindowSurface && ownView()) {
        refreshTarget();
        showScaled();
    } else if (sdlDisplay.path == PresentPath::WindowSurface) {
        refreshTarget();
        if (!inPlace && ownSurface) {
            SDL_Surface* surface = SDL_GetWindowSurface(window);
            if (!surface) return;
#ifdef __EMSCRIPTEN__
            // The page puts only what changed on its canvas.
            if (surface->w == ownSurface->w && surface->h == ownSurface->h) {
                const CanvasCopy copy =
                    copyToCanvas(surface, ownPixels.data(), changedRects, changedCount);
                if (copy == CanvasCopy::Shown) return;
                if (copy == CanvasCopy::Copied) {
                    SDL_UpdateWindowSurface(window);
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
            SDL_UpdateWindowSurfaceRects(window, sdlRects(), changedCount) != 0)
            SDL_UpdateWindowSurface(window);
    } else if (sdlDisplay.path == PresentPath::SoftwareRenderer) {
        SDL_UpdateTexture(streamTexture, nullptr, backBuffer.pixels, backBuffer.pitch * 4);
        copyStreamTexture();
        SDL_RenderPresent(sdlDisplay.renderer);
    }
}

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

void refreshTarget() {
    if (sdlDisplay.path != PresentPath::WindowSurface) return;
    SDL_Surface* surface = SDL_GetWindowSurface(sdlDisplay.gameWindow);
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

bool makeStreamTexture() {
    if (streamTexture) SDL_DestroyTexture(streamTexture);
    streamTexture = SDL_CreateTexture(
        sdlDisplay.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
        static_cast<int>(displayMode.Width), static_cast<int>(displayMode.Height));
    return streamTexture != nullptr;
}

bool makeBackBuffer() {
    backBuffer = {};
    if (sdlDisplay.path == PresentPath::WindowSurface) {
        if (!SDL_GetWindowSurface(sdlDisplay.gameWindow)) return false;
        refreshTarget();
        return true;
    }
    if (!makeStreamTexture()) return false;
    useOwnPixels();
    return ownSurface != nullptr;
}

void releasePresenting() {
    forgetKeptFrames();
    displaySetSmooth(false);
    composited = {};
    changedCount = -1;
    showWhole = true;
    if (streamTexture) SDL_DestroyTexture(streamTexture);
    if (sdlDisplay.renderer) SDL_DestroyRenderer(sdlDisplay.renderer);
    if (ownSurface) SDL_FreeSurface(ownSurface);
    streamTexture = nullptr;
    sdlDisplay.renderer = nullptr;
    ownSurface = nullptr;
    ownPixels = {};
    backBuffer = {};
    inPlace = false;
    scalePlan = {};
    barsSurface = nullptr;
}

void displayShowNextFrameWhole() {
    showWhole = true;
}

PresentPath displayPresentPath() {
    return sdlDisplay.path;
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
