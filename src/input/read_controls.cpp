// The per-frame read: one reading of the device, then its controls in the fixed order.
#include "input/input.h"

namespace zema {

void readControls() {
    applyControls(readControlState());
}

} // namespace zema
