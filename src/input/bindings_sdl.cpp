// The bindings' defaults and names, in SDL's key codes and button names.
#include <SDL.h>

#include "input/bindings.h"

namespace zema {

Bindings defaultBindings() {
    Bindings defaults = {};
    const KeyList keys[keyRoleCount] = {{{SDLK_LEFT}, 1},  {{SDLK_RIGHT}, 1},
                                        {{SDLK_UP}, 1},    {{SDLK_DOWN}, 1},
                                        {{SDLK_SPACE}, 1}, {{SDLK_RETURN, SDLK_KP_ENTER}, 2},
                                        {{SDLK_ESCAPE}, 1}};
    for (int role = 0; role < keyRoleCount; ++role)
        defaults.keys[role] = keys[role];
    defaults.padFire = SDL_CONTROLLER_BUTTON_X;
    defaults.padStart = SDL_CONTROLLER_BUTTON_B;
    defaults.rawFire = 2;
    defaults.rawStart = 1;
    defaults.rawAxisX = 0;
    defaults.rawAxisY = 1;
    defaults.padQuitCount = 0;
    defaults.input = InputChoice::Auto;
    return defaults;
}

Bindings bindings = defaultBindings();

bool keyBound(KeyRole role, int32_t key) {
    const KeyList& list = bindings.keys[int(role)];
    for (int i = 0; i < list.count; ++i)
        if (list.keys[i] == key) return true;
    return false;
}

int32_t keyFromName(const char* name) {
    return SDL_GetKeyFromName(name);
}

int32_t padButtonFromName(const char* name) {
    return SDL_GameControllerGetButtonFromString(name);
}

const char* keyName(int32_t key) {
    return SDL_GetKeyName(key);
}

const char* padButtonName(int32_t button) {
    const char* name = SDL_GameControllerGetStringForButton(SDL_GameControllerButton(button));
    return name != nullptr ? name : "";
}

bool isScreenshotKey(int32_t key) {
    return key == SDLK_F12 || key == SDLK_PRINTSCREEN;
}

const char* programKeyFault(int32_t key) {
    if (isScreenshotKey(key)) return "is the program's screenshot key";
    if (key == SDLK_LALT || key == SDLK_RALT) return "would make Enter the program's Alt+Enter";
    return nullptr;
}

} // namespace zema
