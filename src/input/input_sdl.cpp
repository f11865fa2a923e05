// The SDL input: the first joystick SDL reports, read through its game-controller layout when
// SDL knows one, or the keyboard's arrow keys when there is no joystick at start-up.
#include "input/input_sdl.h"

#include <SDL.h>

#include "game/world.h"
#include "input/axis_scaling.h"
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
            controllerButton(SDL_CONTROLLER_BUTTON_B), controllerButton(SDL_CONTROLLER_BUTTON_X)};
}

// A pad without a known layout: axes 0 and 1, buttons by index.
JoystickReading readRawJoystick() {
    return {readAxis(SDL_JoystickGetAxis(joystickDevice, 0)),
            readAxis(SDL_JoystickGetAxis(joystickDevice, 1)),
            SDL_JoystickGetButton(joystickDevice, 1) != 0,
            SDL_JoystickGetButton(joystickDevice, 2) != 0};
}

bool readJoystick(JoystickReading& reading) {
    if (!acquireJoystick()) return false;
    reading = controllerDevice != nullptr ? readController() : readRawJoystick();
    return true;
}

// The keyboard state is brought up to date by the message loop's event pump before each frame;
// a touch screen's held directions count as arrows held.
KeyboardReading readKeyboard() {
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    return withTouchHeld({keys[SDL_SCANCODE_LEFT] != 0, keys[SDL_SCANCODE_RIGHT] != 0,
                          keys[SDL_SCANCODE_UP] != 0, keys[SDL_SCANCODE_DOWN] != 0});
}

} // namespace

int32_t initInput(SDL_Window* /*window: SDL's devices belong to the process, not a window*/) {
    // The joystick is read even while another window has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return E_FAIL;
    subsystemStarted = true;
    gameState.hasJoystick = SDL_NumJoysticks() >= 1 ? 1 : 0;
    // A joystick that then fails to open is not noticed here: its reads fail, the keyboard is
    // not tried.
    if (gameState.hasJoystick == 1) openFirstJoystick();
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
