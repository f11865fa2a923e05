// Scripted implementation of the input seam.
#include "input/input_headless.h"

#include "game/world.h"

namespace zema {

KeyboardReading scriptedKeyboard = {};
JoystickReading scriptedJoystick = {};
bool scriptedDeviceReadable = true;
bool scriptedQuitHeld = false;

void startHeadlessInput(bool joystick) {
    gameState.hasJoystick = joystick ? 1 : 0;
    scriptedKeyboard = {};
    scriptedJoystick = {};
    scriptedDeviceReadable = true;
    scriptedQuitHeld = false;
}

ControlState deviceControlState() {
    if (!scriptedDeviceReadable) return {};
    if (gameState.hasJoystick == 1) return controlsFromJoystick(scriptedJoystick);
    return controlsFromKeyboard(scriptedKeyboard);
}

bool deviceStartButton() {
    return gameState.hasJoystick == 1 && scriptedDeviceReadable && scriptedJoystick.startButton;
}

bool deviceQuitHeld() {
    return gameState.hasJoystick == 1 && scriptedQuitHeld;
}

} // namespace zema
