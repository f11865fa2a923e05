// The keys and pad inputs the player chose for each role, and which device the game reads. The
// defaults are the original's; the command line and the settings file change them before the
// input is set up. Keys are SDL key codes and pad buttons SDL's game-controller buttons, kept as
// plain numbers so that the rules and the command line need no SDL.
#pragma once

#include <cstdint>

namespace zema {

// auto: the pad when one is attached at start-up, else the keyboard (the original's choice).
// keyboard: pads are never opened. joystick: the pad is the device even before one is attached;
// its reads yield nothing until one is.
enum class InputChoice { Auto, Keyboard, Joystick };

// The four directions are read as held keys every play frame; fire, start and quit act on a
// key-down between frames, as Space, Enter and Esc do.
enum class KeyRole { Left, Right, Up, Down, Fire, Start, Quit };
constexpr int keyRoleCount = 7;
constexpr int maxKeysPerRole = 8;
// pad.quit: a button, or two held together.
constexpr int maxQuitButtons = 2;

struct KeyList {
    int32_t keys[maxKeysPerRole];
    int count;
};

struct Bindings {
    KeyList keys[keyRoleCount];
    int32_t padFire, padStart;  // pads SDL knows: game-controller buttons
    int32_t rawFire, rawStart;  // other pads: button indices from 0
    int32_t rawAxisX, rawAxisY; // other pads: axis indices from 0
    // Pads SDL knows: game-controller buttons that quit when all are held; none by default.
    int32_t padQuit[maxQuitButtons];
    int32_t padQuitCount;
    InputChoice input;
};

// Today's keys and pad: the arrows, Space, Return and keypad Enter, Escape; X fires and B starts;
// buttons 2 and 3 and axes 1 and 2 of other pads (counted from 1); no pad buttons quit.
Bindings defaultBindings();

// The bindings in force; defaultBindings() until start-up sets them.
extern Bindings bindings;

bool keyBound(KeyRole role, int32_t key);

// SDL's own names, as SDL_GetKeyFromName and SDL_GameControllerGetButtonFromString read them
// (case does not matter): 0 for a key name SDL does not know, -1 for a button name.
int32_t keyFromName(const char* name);
int32_t padButtonFromName(const char* name);
// The names SDL gives them back, which the two above read again.
const char* keyName(int32_t key);
const char* padButtonName(int32_t button);

// Why the key cannot be bound, or null when it can. The program keeps F12 and Print Screen for
// screenshots and Alt+Enter for the fullscreen switch; an Alt key cannot be bound either, as
// with it held Enter would switch instead of start. Enter itself can, and stays the switch
// with Alt.
const char* programKeyFault(int32_t key);

// F12 and Print Screen.
bool isScreenshotKey(int32_t key);

} // namespace zema
