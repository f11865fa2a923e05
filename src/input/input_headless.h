// The scripted headless input: the simulator and the tests say what is held in each frame.
#pragma once

#include "input/input.h"

namespace zema {

extern KeyboardReading scriptedKeyboard;
extern JoystickReading scriptedJoystick;
extern bool scriptedDeviceReadable; // false: the device cannot be read, no controls
extern bool scriptedQuitHeld;       // the pad's quit buttons held, read with the joystick only

// Chooses the device as the game's input set-up would, setting hasJoystick.
void startHeadlessInput(bool joystick);

} // namespace zema
