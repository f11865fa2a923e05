// The message loop and the three keys.
#include "app/message_loop.h"

#include <SDL.h>

#include "app/demo_session.h"
#include "frame/frame.h"
#include "game/craft.h"

namespace zema {

LoopHooks loopHooks;

namespace {

bool quitPosted = false;
constexpr Uint32 frameSleepMs = 100; // the game's whole pacing: speeds are counted in frames

void handleKeyDown(SDL_Keycode key) {
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (liveGameKey(GameKey::Enter)) startGame();
        break;
    case SDLK_SPACE:
        if (liveGameKey(GameKey::Space)) fireShot();
        break;
    case SDLK_ESCAPE:
        if (liveGameKey(GameKey::Esc)) postQuit();
        break;
    default:
        break;
    }
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
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        handleEvent(event);
    if (quitPosted) return false;
    if (loopHooks.beforeFrame) loopHooks.beforeFrame();
    if (!demoBeforeFrame()) return false; // the demo has ended: the quit is posted
    runFrame();
    demoAfterFrame();
    return true;
}

void startMessageLoop() {
    quitPosted = false;
}

int runMessageLoop() {
    startMessageLoop();
    while (runMessageLoopPass())
        if (demoFramesPaced()) SDL_Delay(frameSleepMs);
    return 0;
}

} // namespace zema
