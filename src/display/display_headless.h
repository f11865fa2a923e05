// The headless display: records every operation of a frame, in order, so that the simulator
// and the tests can look at exactly what the frame issued.
#pragma once

#include "display/display.h"

namespace zema {

enum class DisplayOpKind { BeginScene, Clear, EndScene, Present, Draw };

struct DisplayOp {
    DisplayOpKind kind;
    ImageSlot slot;
    SourceRect source;
    Vector2 scaling;
    Vector2 rotationCentre;
    float rotation;
    Vector2 translation;
    uint32_t colour; // the draw's colour, or the clear colour
};

// A play frame issues at most 129 draws and 4 device operations; a joystick start adds 4 more.
constexpr int maxRecordedOps = 256;
extern DisplayOp recordedOps[maxRecordedOps];
extern int recordedOpCount;
extern int droppedOpCount; // operations past the end of the record, counted, not kept

// Sets the display mode; the headless display cannot fail.
void startHeadlessDisplay(uint32_t width, uint32_t height);
void clearRecordedOps();

} // namespace zema
