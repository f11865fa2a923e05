// The page's present, on the canvas SDL's Emscripten framebuffer draws on: its 2D context is
// the one SDL made (Module.SDL2.ctx, for Module.canvas), and the ImageData put is a view of the
// window surface's own pixels in the program's memory, so nothing is copied twice.
#include "display/canvas_present.h"

#include <emscripten.h>

#include <algorithm>

#include "render/frame_repaint.h"
#include "render/pixel_rows.h"

namespace zema {

namespace {

// Puts the rectangles (left, top, width, height each) of the surface's pixels on the canvas,
// all of it when the canvas or its context is not the one the last call put on. 0 when SDL has
// no context for this canvas of this size yet: its own update then shows the picture.
// clang-format off
EM_JS(int, putCanvasRects, (const void* pixels, int width, int height, const int* rects,
                            int count), {
    var canvas = Module['canvas'];
    var sdl = Module['SDL2'];
    if (!canvas || !sdl || sdl.ctxCanvas !== canvas || !sdl.ctx || canvas.width !== width ||
        canvas.height !== height)
        return 0;
    var shown = Module['zemaCanvasShown'] || (Module['zemaCanvasShown'] = {});
    var bytes = width * height * 4;
    if (!shown.image || shown.image.data.buffer !== HEAPU8.buffer || shown.pixels !== pixels ||
        shown.image.width !== width || shown.image.height !== height) {
        shown.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, bytes), width,
                                    height);
        shown.pixels = pixels;
    }
    if (count < 0 || shown.ctx !== sdl.ctx || shown.width !== width || shown.height !== height) {
        sdl.ctx.putImageData(shown.image, 0, 0);
        shown.ctx = sdl.ctx;
        shown.width = width;
        shown.height = height;
        return 1;
    }
    for (var i = 0; i < count; ++i) {
        var r = (rects >> 2) + i * 4;
        sdl.ctx.putImageData(shown.image, 0, 0, HEAP32[r], HEAP32[r + 1], HEAP32[r + 2],
                             HEAP32[r + 3]);
    }
    return 1;
});
// clang-format on

// The surface the last call drew into: another one holds none of the picture yet.
const void* lastPixels = nullptr;
int lastWidth = 0, lastHeight = 0;

} // namespace

CanvasCopy copyToCanvas(SDL_Surface* surface, const uint32_t* pixels, const PixelRect* rects,
                        int count) {
    const uint32_t format = surface->format->format;
    if ((format != SDL_PIXELFORMAT_ABGR8888 && format != SDL_PIXELFORMAT_BGR888) ||
        surface->pitch != surface->w * 4 ||
        (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0))
        return CanvasCopy::NotCopied;
    const int w = surface->w, h = surface->h;
    if (surface->pixels != lastPixels || w != lastWidth || h != lastHeight) count = -1;
    const PixelRect whole = {0, 0, w, h};
    if (count < 0) rects = &whole;
    int boxes[4 * maxRepaintRects];
    int shownCount = 0;
    for (int i = 0; i < (count < 0 ? 1 : std::min(count, maxRepaintRects)); ++i) {
        const int left = std::max(rects[i].left, 0), right = std::min(rects[i].right, w);
        const int top = std::max(rects[i].top, 0), bottom = std::min(rects[i].bottom, h);
        if (left >= right || top >= bottom) continue;
        // The canvas takes red first, and opaque, as SDL's own copy makes every pixel.
        for (int y = top; y < bottom; ++y)
            rowKernels().swapRedBlueOpaque(static_cast<uint32_t*>(surface->pixels) + y * w + left,
                                           pixels + static_cast<size_t>(y) * w + left,
                                           right - left);
        int* box = boxes + 4 * shownCount++;
        box[0] = left, box[1] = top, box[2] = right - left, box[3] = bottom - top;
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    lastPixels = surface->pixels;
    lastWidth = w;
    lastHeight = h;
    if (count == 0) return CanvasCopy::Shown;
    return putCanvasRects(surface->pixels, w, h, boxes, count < 0 ? -1 : shownCount) != 0
               ? CanvasCopy::Shown
               : CanvasCopy::Copied;
}

} // namespace zema
