// The touch controls' held directions, added to the keyboard's.
#include "input/touch_held.h"

namespace zema {

KeyboardReading touchHeld = {};

KeyboardReading withTouchHeld(const KeyboardReading& keys) {
    return {keys.left || touchHeld.left, keys.right || touchHeld.right, keys.up || touchHeld.up,
            keys.down || touchHeld.down};
}

} // namespace zema
