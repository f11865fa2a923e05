// The touch controls' three calls from the page, and the held fire's repeat.
#include "web_touch.h"

#include <SDL.h>
#include <emscripten.h>

#include "input/touch_held.h"

namespace zema {

namespace {
bool fireHeld = false;
bool fireDownSincePass = false; // the press itself stands for this frame's Space

// The key-down the keyboard would send, into SDL's queue for the message loop; the keyboard's
// state is left alone, so a real key held at the same time is not disturbed.
void pushKeyDown(SDL_Keycode key, bool repeat) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    SDL_PushEvent(&event);
}
} // namespace

void repeatHeldFire() {
    if (fireHeld && !fireDownSincePass) pushKeyDown(SDLK_SPACE, true);
    fireDownSincePass = false;
}

} // namespace zema

using namespace zema;

extern "C" {

// The directions the stick holds now: a diagonal holds two.
EMSCRIPTEN_KEEPALIVE void zemaTouchSteer(int left, int right, int up, int down) {
    touchHeld = {left != 0, right != 0, up != 0, down != 0};
}

// Fire touched (a Space key-down at once) or let go.
EMSCRIPTEN_KEEPALIVE void zemaTouchFire(int held) {
    if (held && !fireHeld) {
        pushKeyDown(SDLK_SPACE, false);
        fireDownSincePass = true;
    }
    fireHeld = held != 0;
}

// Start touched: an Enter key-down.
EMSCRIPTEN_KEEPALIVE void zemaTouchStart() {
    pushKeyDown(SDLK_RETURN, false);
}
}
