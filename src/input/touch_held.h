// The directions a touch screen's controls hold (the browser page's stick). The keyboard read
// adds them to the arrow keys, so a touch steers exactly as the arrows do. No platform here:
// whoever reads the touches fills it in between frames.
#pragma once

#include "input/input.h"

namespace zema {

extern KeyboardReading touchHeld;

// The arrows held on the keyboard together with the directions held by touch.
KeyboardReading withTouchHeld(const KeyboardReading& keys);

} // namespace zema
