// The pictures embedded in the executable, found by their resource identifier: bitmaps 111 to
// 121, 124 and 142 to 144, and the window icon 123.
#pragma once

#include <cstddef>
#include <cstdint>

struct Resource {
    const uint8_t* data;
    size_t size;
};

constexpr int iconResourceId = 123;

// False when no resource has that identifier.
bool findResource(int id, Resource& resource);
