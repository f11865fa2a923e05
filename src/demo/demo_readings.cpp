// Between script letters and device readings.
#include "demo/demo_readings.h"

#include "input/axis_scaling.h"

namespace zema {

void heldReadings(const ScriptCommand& command, KeyboardReading& keys, JoystickReading& stick) {
    keys = {command.left, command.right, command.up, command.down};
    stick.x = command.left ? -axisEnd : command.right ? axisEnd : 0;
    stick.y = command.up ? -axisEnd : command.down ? axisEnd : 0;
    stick.fireButton = command.fire;
    stick.startButton = command.start;
}

FrameReadings heldFrameReadings(const ScriptCommand& command, bool joystick) {
    KeyboardReading keys;
    JoystickReading stick;
    heldReadings(command, keys, stick);
    FrameReadings readings = {};
    readings.controls = joystick ? controlsFromJoystick(stick) : controlsFromKeyboard(keys);
    readings.start = joystick && stick.startButton;
    return readings;
}

std::string heldWord(const FrameReadings& readings) {
    std::string word;
    if (readings.controlsRead) {
        const ControlState& c = readings.controls;
        if (c.left) word += 'l';
        if (c.right) word += 'r';
        if (c.up) word += 'u';
        if (c.down) word += 'd';
        if (c.fire) word += 'f';
    }
    if (readings.startRead && readings.start) word += 's';
    return word;
}

} // namespace zema
