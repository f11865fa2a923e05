// The message loop and the three keys (start, fire, quit) as they are bound, and the pad's quit
// buttons.
#include "app/message_loop.h"

#include <SDL.h>

#include "app/demo_session.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "input/bindings.h"
#include "input/input.h"

namespace zema {

LoopHooks loopHooks;

namespace {

bool quitPosted = false;

// A key bound to more than one of them does each, in this order.
void handleKeyDown(SDL_Keycode key) {
    if (keyBound(KeyRole::Start, key) && liveGameKey(GameKey::Enter)) startGame();
    if (keyBound(KeyRole::Fire, key) && liveGameKey(GameKey::Space)) fireShot();
    if (keyBound(KeyRole::Quit, key) && liveGameKey(GameKey::Esc)) postQuit();
}

} // namespace

void postQuit() {
    quitPosted = true;
}

void handleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
        if (loopHooks.programKey && loopHooks.programKey(event.key)) break;
        handleKeyDown(event.key.keysym.sym);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) postQuit();
        break;
    case SDL_QUIT:
        postQuit();
        break;
    default:
        break;
    }
}

bool runMessageLoopPass() {
    if (loopHooks.beforeEvents) loopHooks.beforeEvents();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        handleEvent(event);
    // The pad's quit buttons held together quit as the quit key does, between frames too.
    if (deviceQuitHeld() && liveGameKey(GameKey::Esc)) postQuit();
    if (quitPosted) return false;
    if (loopHooks.beforeFrame) loopHooks.beforeFrame();
    if (!demoBeforeFrame()) return false; // the demo has ended: the quit is posted
    runFrame();
    demoAfterFrame();
    if (loopHooks.afterFrame) loopHooks.afterFrame();
    return true;
}

void startMessageLoop() {
    quitPosted = false;
}

int runMessageLoop() {
    startMessageLoop();
    while (runMessageLoopPass()) {
        if (!demoFramesPaced()) continue;
        if (loopHooks.sleep)
            loopHooks.sleep();
        else
            SDL_Delay(frameSleepMs);
    }
    return 0;
}

} // namespace zema
