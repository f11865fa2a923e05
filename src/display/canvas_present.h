// The page's present: only the changed rectangles of the picture go onto the canvas. SDL's own
// update copies the whole window surface into an ImageData and puts all of it, every picture.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "render/compositor.h"

namespace zema {

enum class CanvasCopy {
    NotCopied, // the window surface is not one the canvas reads: nothing done
    Copied,    // the window surface holds the picture; SDL's own update must show it
    Shown,     // and its changed rectangles are on the canvas
};

// Copies the rectangles of pixels (ARGB, surface->w x surface->h, rows of surface->w) into the
// window surface, red and blue swapped and opaque as the canvas keeps them, and puts those
// rectangles on the page's canvas; count -1: the whole picture. The rest of the surface keeps
// the picture the last call left there, shown whole when the surface or the canvas is new.
CanvasCopy copyToCanvas(SDL_Surface* surface, const uint32_t* pixels, const PixelRect* rects,
                        int count);

} // namespace zema
