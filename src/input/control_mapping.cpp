// From a device reading to one frame's controls: arrows steer, the stick steers only at its
// very ends, and only the joystick's third button fires.
#include "input/axis_scaling.h"
#include "input/input.h"

namespace zema {

ControlState controlsFromKeyboard(const KeyboardReading& keys) {
    return {keys.left, keys.right, keys.up, keys.down, false};
}

ControlState controlsFromJoystick(const JoystickReading& stick) {
    return {stick.x == -axisEnd, stick.x == axisEnd, stick.y == -axisEnd, stick.y == axisEnd,
            stick.fireButton};
}

} // namespace zema
