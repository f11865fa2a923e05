// The failure value that the display's and the input's start-up steps return, as the original's
// platform interfaces did; success is 0.
#pragma once

#include <cstdint>

namespace zema {

constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005);

} // namespace zema
