// The input seam: one frame's controls from the device in use (the joystick, or the keyboard
// when there is none), and the joystick's start button on the title screen. The SDL input and
// the scripted headless input each implement deviceControlState and deviceStartButton; the two
// reads go through input_tap, which notes them for demos.
#pragma once

#include <cstdint>

#include "game/craft.h"

namespace zema {

// A device that cannot be read in a frame yields no controls.
ControlState readControlState();

// True while the joystick's second button is held; always false with the keyboard.
bool readStartButton();

// The device's own reads, by the backend in use.
ControlState deviceControlState();
bool deviceStartButton();
// True while every button of pad.quit is held on the pad that steers; always false with the
// keyboard or with no pad.quit, when nothing is read.
bool deviceQuitHeld();

// Reads the device and applies its controls; called once per play frame.
void readControls();

// One reading of each device, as the backends fill it in before mapping.
struct KeyboardReading {
    bool left, right, up, down;
};

struct JoystickReading {
    int32_t x, y;     // -1000 .. +1000; only the very ends steer
    bool startButton; // the second button
    bool fireButton;  // the third button
};

ControlState controlsFromKeyboard(const KeyboardReading& keys);
ControlState controlsFromJoystick(const JoystickReading& stick);

} // namespace zema
