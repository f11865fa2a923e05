// Reading the icon resource into a surface.
#include "app/icon_surface.h"

#include <SDL.h>

#include "render/resources.h"

namespace zema {

SDL_Surface* loadIconSurface() {
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
