// Names of the image slots, as the simulator reports them.
#include "assets/slot_names.h"
#include "display/display.h"

namespace zema {

#define ZEMA_PICTURE_NAME(slot, ...) #slot,
const char* imageSlotName(ImageSlot slot) {
    static const char* const names[] = {ZEMA_PICTURES(ZEMA_PICTURE_NAME)};
    return nameAt(names, slot);
}
#undef ZEMA_PICTURE_NAME

} // namespace zema
