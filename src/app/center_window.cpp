// Placing the game window in the middle of the desktop.
#include <SDL.h>

#include "app/main_window.h"
#include "app/window_place.h"

namespace zema {

bool centerWindow(SDL_Window* window) {
    SDL_Rect desktop = {0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &desktop);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    const WindowPlace place =
        centeredWindowPlace(desktop.x + desktop.w, desktop.y + desktop.h, width, height);
    SDL_SetWindowPosition(window, place.x, place.y);
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    return true;
}

} // namespace zema
