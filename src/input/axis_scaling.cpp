// Axis scaling and the D-pad as a stick; no platform underneath.
#include "input/axis_scaling.h"

namespace zema {

int32_t scaleAxis(int16_t raw, int32_t lowEnd) {
    const int32_t v = raw;
    // Integer division rounds toward zero, so nothing short of the raw ends gives +-1000; below
    // a low end of -32767, -32768 still reads -1000.
    return v < 0 ? v * axisEnd / -lowEnd : v * axisEnd / 32767;
}

int32_t dpadAxis(bool towardsMin, bool towardsMax, int32_t stick) {
    if (towardsMin && !towardsMax) return -axisEnd;
    if (towardsMax && !towardsMin) return axisEnd;
    return stick;
}

} // namespace zema
