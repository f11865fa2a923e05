// Names of the image slots, as the simulator reports them.
#include "display/display.h"

namespace zema {

const char* imageSlotName(ImageSlot slot) {
#define ZEMA_PICTURE_NAME(slot, ...) #slot,
    static const char* const names[imageSlotCount] = {ZEMA_PICTURES(ZEMA_PICTURE_NAME)};
#undef ZEMA_PICTURE_NAME
    return slot >= 0 && slot < imageSlotCount ? names[slot] : "?";
}

} // namespace zema
