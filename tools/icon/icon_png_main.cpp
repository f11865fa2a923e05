// Build-time tool: writes the game's icon (resource 123) as a PNG for the desktop entry, or as a
// Windows icon file (the same PNG in an .ico) for the program's own icon resource.
// Usage: zema-icon OUTPUT.png|OUTPUT.ico
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/icon_surface.h"
#include "png/png_writer.h"

namespace {

void addLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// An icon file holding one picture, the PNG whole (Windows reads PNG icons since Vista).
std::vector<uint8_t> iconFile(const std::vector<uint8_t>& png, int width, int height) {
    std::vector<uint8_t> out;
    addLittleEndian(out, 0, 2);                                    // reserved
    addLittleEndian(out, 1, 2);                                    // an icon
    addLittleEndian(out, 1, 2);                                    // one picture
    out.push_back(static_cast<uint8_t>(width >= 256 ? 0 : width)); // 0 stands for 256
    out.push_back(static_cast<uint8_t>(height >= 256 ? 0 : height));
    addLittleEndian(out, 0, 2);  // no palette, reserved
    addLittleEndian(out, 1, 2);  // planes
    addLittleEndian(out, 32, 2); // bits per pixel
    addLittleEndian(out, static_cast<uint32_t>(png.size()), 4);
    addLittleEndian(out, 22, 4); // the picture follows these 22 bytes
    out.insert(out.end(), png.begin(), png.end());
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zema-icon OUTPUT.png|OUTPUT.ico\n");
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
    std::vector<uint8_t> png = zema::encodeRgbaPng(pixels.data(), static_cast<uint32_t>(rgba->w),
                                                   static_cast<uint32_t>(rgba->h));
    const std::string name = argv[1];
    if (!png.empty() && name.size() > 4 && name.compare(name.size() - 4, 4, ".ico") == 0)
        png = iconFile(png, rgba->w, rgba->h);
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
