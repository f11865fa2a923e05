// What the frame read from the input device, kept for a demo's recorder, and readings fed in
// the device's place while a demo plays. No platform here: the backends read the device.
#pragma once

#include "game/craft.h"

namespace zema {

struct FrameReadings {
    bool controlsRead;     // the play part read the device's controls
    ControlState controls; // what that read gave
    bool startRead;        // the title part read the joystick's start button
    bool start;            // what that read gave
};

// Cleared before each frame; the reads of the frame fill it in.
extern FrameReadings frameReadings;
void clearFrameReadings();

// While set, the reads give fedReadings' controls and start button and the device is not read.
extern bool readingsFed;
extern FrameReadings fedReadings;

} // namespace zema
