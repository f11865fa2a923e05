// From a device reading to one frame's controls: arrows steer, the stick steers only at its
// very ends, and only the joystick's third button fires.
#include "input/input.h"

namespace zema {

ControlState controlsFromKeyboard(const KeyboardReading& keys) {
    return {keys.left, keys.right, keys.up, keys.down, false};
}

ControlState controlsFromJoystick(const JoystickReading& stick) {
    return {stick.x == -1000, stick.x == 1000, stick.y == -1000, stick.y == 1000, stick.fireButton};
}

} // namespace zema
