// The SDL input: the first joystick SDL reports, read through its game-controller layout when
// SDL knows one, or the keyboard's bound keys when there is no joystick at start-up (or the
// device the player chose).
#include "input/input_sdl.h"

#include <SDL.h>

#include "game/world.h"
#include "input/axis_scaling.h"
#include "input/bindings.h"
#include "input/input.h"
#include "input/touch_held.h"
#include "result.h"

namespace zema {

namespace {

#ifdef __EMSCRIPTEN__
// The browser's SDL gives a pad's -1..+1 times 32767: its low end is one short of the desktop's.
constexpr int32_t rawAxisLow = -32767;
#else
constexpr int32_t rawAxisLow = -32768;
#endif

int32_t readAxis(int16_t raw) {
    return scaleAxis(raw, rawAxisLow);
}

bool subsystemStarted = false;
// At most one of these is open: a pad SDL knows the layout of is read as a controller.
SDL_GameController* controllerDevice = nullptr;
SDL_Joystick* joystickDevice = nullptr;

void closeJoystick() {
    if (controllerDevice != nullptr) SDL_GameControllerClose(controllerDevice);
    if (joystickDevice != nullptr) SDL_JoystickClose(joystickDevice);
    controllerDevice = nullptr;
    joystickDevice = nullptr;
}

bool openFirstJoystick() {
    if (SDL_NumJoysticks() < 1) return false;
    if (SDL_IsGameController(0)) {
        controllerDevice = SDL_GameControllerOpen(0);
        return controllerDevice != nullptr;
    }
    joystickDevice = SDL_JoystickOpen(0);
    return joystickDevice != nullptr;
}

bool joystickAttached() {
    if (controllerDevice != nullptr) return SDL_GameControllerGetAttached(controllerDevice);
    if (joystickDevice != nullptr) return SDL_JoystickGetAttached(joystickDevice);
    return false;
}

// Before every read, as the device may have been lost since the last one: a pad unplugged and
// plugged in again (or another one in its place) is opened anew.
bool acquireJoystick() {
    SDL_JoystickUpdate();
    if (joystickAttached()) return true;
    closeJoystick();
    return openFirstJoystick();
}

bool controllerButton(SDL_GameControllerButton button) {
    return SDL_GameControllerGetButton(controllerDevice, button) != 0;
}

JoystickReading readController() {
    const int32_t x =
        readAxis(SDL_GameControllerGetAxis(controllerDevice, SDL_CONTROLLER_AXIS_LEFTX));
    const int32_t y =
        readAxis(SDL_GameControllerGetAxis(controllerDevice, SDL_CONTROLLER_AXIS_LEFTY));
    return {dpadAxis(controllerButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                     controllerButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), x),
            dpadAxis(controllerButton(SDL_CONTROLLER_BUTTON_DPAD_UP),
                     controllerButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN), y),
            controllerButton(SDL_GameControllerButton(bindings.padStart)),
            controllerButton(SDL_GameControllerButton(bindings.padFire))};
}

// A pad without a known layout: axes and buttons by index.
JoystickReading readRawJoystick() {
    return {readAxis(SDL_JoystickGetAxis(joystickDevice, bindings.rawAxisX)),
            readAxis(SDL_JoystickGetAxis(joystickDevice, bindings.rawAxisY)),
            SDL_JoystickGetButton(joystickDevice, bindings.rawStart) != 0,
            SDL_JoystickGetButton(joystickDevice, bindings.rawFire) != 0};
}

bool readJoystick(JoystickReading& reading) {
    if (!acquireJoystick()) return false;
    reading = controllerDevice != nullptr ? readController() : readRawJoystick();
    return true;
}

// The keyboard state is brought up to date by the message loop's event pump before each frame.
// Bindings name keys by what they type; the key state is kept by place on the keyboard, so each
// read asks where the key is in the layout in use now.
bool anyKeyHeld(KeyRole role) {
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    const KeyList& list = bindings.keys[int(role)];
    for (int i = 0; i < list.count; ++i) {
        const SDL_Scancode place = SDL_GetScancodeFromKey(list.keys[i]);
        if (place != SDL_SCANCODE_UNKNOWN && keys[place] != 0) return true;
    }
    return false;
}

// A touch screen's held directions count as the direction keys held.
KeyboardReading readKeyboard() {
    return withTouchHeld({anyKeyHeld(KeyRole::Left), anyKeyHeld(KeyRole::Right),
                          anyKeyHeld(KeyRole::Up), anyKeyHeld(KeyRole::Down)});
}

} // namespace

bool deviceQuitHeld() {
    // Without a chord the pad is never touched between frames, as the original never did.
    if (bindings.padQuitCount == 0 || gameState.hasJoystick != 1) return false;
    if (!acquireJoystick() || controllerDevice == nullptr) return false;
    for (int i = 0; i < bindings.padQuitCount; ++i)
        if (!controllerButton(SDL_GameControllerButton(bindings.padQuit[i]))) return false;
    return true;
}

int32_t initInput(SDL_Window* /*window: SDL's devices belong to the process, not a window*/) {
    // The joystick is read even while another window has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return E_FAIL;
    subsystemStarted = true;
    const bool padAttached = SDL_NumJoysticks() >= 1;
    gameState.hasJoystick = bindings.input == InputChoice::Joystick ||
                                    (bindings.input == InputChoice::Auto && padAttached)
                                ? 1
                                : 0;
    // A joystick that then fails to open is not noticed here: its reads fail, the keyboard is
    // not tried. Without one yet, the first read after one is attached opens it.
    if (gameState.hasJoystick == 1 && padAttached) openFirstJoystick();
    return 0;
}

void releaseInput() {
    closeJoystick();
    if (subsystemStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    subsystemStarted = false;
}

ControlState deviceControlState() {
    if (gameState.hasJoystick == 0) return controlsFromKeyboard(readKeyboard());
    JoystickReading reading;
    if (gameState.hasJoystick == 1 && readJoystick(reading)) return controlsFromJoystick(reading);
    return {};
}

bool deviceStartButton() {
    if (gameState.hasJoystick != 1) return false;
    JoystickReading reading;
    return readJoystick(reading) && reading.startButton;
}

} // namespace zema
