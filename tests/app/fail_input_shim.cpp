// Preloaded by the end-to-end test of a failed input set-up: SDL refuses to start its game
// controller subsystem, as it would on a machine where that cannot start; everything else goes
// to SDL itself.
#include <SDL.h>
#include <dlfcn.h>

extern "C" int SDL_InitSubSystem(Uint32 flags) {
    if ((flags & SDL_INIT_GAMECONTROLLER) != 0)
        return SDL_SetError("game controllers refused by the test");
    using InitSubSystem = int (*)(Uint32);
    static const InitSubSystem real =
        reinterpret_cast<InitSubSystem>(dlsym(RTLD_NEXT, "SDL_InitSubSystem"));
    return real != nullptr ? real(flags) : SDL_SetError("SDL_InitSubSystem not found");
}
