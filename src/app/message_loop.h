// The message loop: one event at a time, never waiting; a frame and a 100 ms sleep whenever
// no event is waiting.
#pragma once

union SDL_Event;
struct SDL_KeyboardEvent;

#include <cstdint>

namespace zema {

// The game's whole pacing: a frame, then this long a sleep. Speeds are counted in frames.
constexpr uint32_t frameSleepMs = 100;

// What the program adds around the game's own loop; with all null the loop is the original's.
struct LoopHooks {
    // Sees every key-down first and returns true for the keys it takes (Alt+Enter, F12), which
    // the game then never sees.
    bool (*programKey)(const SDL_KeyboardEvent& key) = nullptr;
    // Runs before each frame, never during one.
    void (*beforeFrame)() = nullptr;
    // Runs after each frame, once it is on screen (with smooth motion, once it has been drawn:
    // its own picture comes at the end of the sleep).
    void (*afterFrame)() = nullptr;
    // Runs at the start of each pass, before its events are handled.
    void (*beforeEvents)() = nullptr;
    // Runs in place of the sleep after each frame, taking as long.
    void (*sleep)() = nullptr;
};
extern LoopHooks loopHooks;

// Enter (either one) starts a game, Space fires, Esc asks to quit; every key-down counts,
// auto-repeats included. A close request or SDL's quit asks to quit too.
void handleEvent(const SDL_Event& event);

// Like a posted quit message: the events already waiting are still handled, then the loop ends
// before another frame.
void postQuit();

// Starts a loop afresh: no quit posted.
void startMessageLoop();

// One pass of the loop without its sleep: handles every waiting event, then runs one frame
// unless a quit was posted (or a played demo has just ended, which posts it). False when no
// frame ran for either reason. The browser, which cannot sleep, calls it ten times a second.
bool runMessageLoopPass();

// Runs until a quit was posted; returns the quit's exit code, 0.
int runMessageLoop();

} // namespace zema
