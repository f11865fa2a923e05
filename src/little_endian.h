// Numbers as the Windows formats store them (bitmaps, WAV files, executables and their icons):
// least significant byte first, read byte by byte so that neither alignment nor the machine's own
// order matters.
#pragma once

#include <cstdint>

namespace zema {

inline uint16_t read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

} // namespace zema
