// Creating, placing and destroying the game window.
#include "app/main_window.h"

#include <SDL.h>

#include "app/icon_surface.h"

namespace zema {

SDL_Window* mainWindow = nullptr;

namespace {

constexpr int windowWidth = 800;
constexpr int windowHeight = 600;

// A missing or unreadable icon leaves SDL's default; the game does not depend on it.
void setWindowIcon(SDL_Window* window) {
    SDL_Surface* icon = loadIconSurface();
    if (icon == nullptr) return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

} // namespace

void createMainWindow(bool highDensity) {
    mainWindow = nullptr;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    const Uint32 flags =
        SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | (highDensity ? SDL_WINDOW_ALLOW_HIGHDPI : 0);
    mainWindow = SDL_CreateWindow("ZEMA", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                  windowWidth, windowHeight, flags);
    if (mainWindow == nullptr) return;
    // The game reads keys, never text; an input method left on could keep Space or Enter.
    SDL_StopTextInput();
    setWindowIcon(mainWindow);
    centerWindow(mainWindow);
    SDL_ShowWindow(mainWindow);
}

void destroyMainWindow() {
    if (mainWindow != nullptr) SDL_DestroyWindow(mainWindow);
    mainWindow = nullptr;
}

} // namespace zema
