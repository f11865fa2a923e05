// Looking up a slot's name in a list made from an asset list.
#pragma once

#include <cstddef>

namespace zema {

// The name at slot, or "?" for a slot outside the list.
template <size_t N> const char* nameAt(const char* const (&names)[N], int slot) {
    return slot >= 0 && static_cast<size_t>(slot) < N ? names[slot] : "?";
}

} // namespace zema
