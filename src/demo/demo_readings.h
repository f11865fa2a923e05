// A script line's held controls as device readings, and the frame's readings as held controls:
// the one mapping that zema-sim, the demo player and the recorder share.
#pragma once

#include <string>

#include "demo/script_line.h"
#include "input/input.h"
#include "input/input_tap.h"

namespace zema {

// The readings a frame line stands for. A stick axis points one way at a time: left wins over
// right, up over down.
void heldReadings(const ScriptCommand& command, KeyboardReading& keys, JoystickReading& stick);

// What the device's reads give for a frame line, with the joystick or the keyboard in use.
FrameReadings heldFrameReadings(const ScriptCommand& command, bool joystick);

// The word of lrudfs for what the frame read: the directions and fire from the play part's
// read, s from the title part's start button. Empty when nothing was held.
std::string heldWord(const FrameReadings& readings);

} // namespace zema
