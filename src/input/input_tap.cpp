// The seam's two reads: from the device (or from a playing demo), noted for the recorder.
#include "input/input_tap.h"

#include "input/input.h"

namespace zema {

FrameReadings frameReadings = {};
bool readingsFed = false;
FrameReadings fedReadings = {};

void clearFrameReadings() {
    frameReadings = {};
}

ControlState readControlState() {
    const ControlState state = readingsFed ? fedReadings.controls : deviceControlState();
    frameReadings.controlsRead = true;
    frameReadings.controls = state;
    return state;
}

bool readStartButton() {
    const bool held = readingsFed ? fedReadings.start : deviceStartButton();
    frameReadings.startRead = true;
    frameReadings.start = held;
    return held;
}

} // namespace zema
