// The game's icon, resource 123, as an SDL surface whose pure blue is transparent, like every
// other picture of the game.
#pragma once

struct SDL_Surface;

namespace zema {

// Null when the resource is missing or not a bitmap SDL can read; the caller frees the surface.
SDL_Surface* loadIconSurface();

} // namespace zema
