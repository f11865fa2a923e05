// Build-time tool: writes the game's icon (resource 123) as a PNG for the desktop entry.
// Usage: zema-icon OUTPUT.png
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstdio>
#include <vector>

#include "app/icon_surface.h"
#include "png/png_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zema-icon OUTPUT.png\n");
        return 2;
    }
    SDL_Surface* icon = zema::loadIconSurface();
    if (icon == nullptr) {
        std::fprintf(stderr, "zema-icon: the icon resource cannot be read: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(icon, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(icon);
    if (rgba == nullptr) {
        std::fprintf(stderr, "zema-icon: %s\n", SDL_GetError());
        return 1;
    }
    std::vector<uint8_t> pixels(static_cast<size_t>(rgba->w) * rgba->h * 4);
    for (int y = 0; y < rgba->h; ++y)
        SDL_memcpy(pixels.data() + static_cast<size_t>(y) * rgba->w * 4,
                   static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch,
                   static_cast<size_t>(rgba->w) * 4);
    const std::vector<uint8_t> png = zema::encodeRgbaPng(
        pixels.data(), static_cast<uint32_t>(rgba->w), static_cast<uint32_t>(rgba->h));
    SDL_FreeSurface(rgba);
    std::FILE* out = std::fopen(argv[1], "wb");
    if (png.empty() || out == nullptr) {
        std::fprintf(stderr, "zema-icon: cannot write %s\n", argv[1]);
        if (out != nullptr) std::fclose(out);
        return 1;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), out) == png.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
