// The pictures embedded in the executable, found by their resource identifier: the bitmaps of
// assets/picture_list.h and the window icon.
#pragma once

#include <cstddef>
#include <cstdint>

#include "assets/picture_list.h"

namespace zema {

struct Resource {
    const uint8_t* data;
    size_t size;
};

// False when no resource has that identifier.
bool findResource(int id, Resource& resource);

} // namespace zema
