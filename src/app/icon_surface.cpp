// Reading the icon resource into a surface.
#include "app/icon_surface.h"

#include <SDL.h>

#include "render/copy_pictures.h"
#include "render/resources.h"

namespace zema {

SDL_Surface* loadIconSurface() {
    const IconPixels& own = copyPictures.icon;
    if (!own.argb.empty()) {
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormat(0, own.width, own.height, 32, SDL_PIXELFORMAT_ARGB8888);
        if (surface == nullptr) return nullptr;
        for (int y = 0; y < own.height; ++y)
            SDL_memcpy(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch,
                       &own.argb[size_t(y) * size_t(own.width)], size_t(own.width) * 4);
        return surface;
    }
    Resource icon;
    if (!findResource(iconResourceId, icon)) {
        SDL_SetError("no resource %d", iconResourceId);
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(icon.data, static_cast<int>(icon.size));
    SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
    if (surface == nullptr) return nullptr;
    SDL_SetColorKey(surface, SDL_TRUE, SDL_MapRGB(surface->format, 0, 0, 255));
    return surface;
}

} // namespace zema
