// The Windows C runtime's linear congruential generator: the original drew its wobble from it,
// while glibc's rand is another generator that gives other numbers for the same seed.
#include "game/random.h"

#include <cstdint>

namespace zema {

namespace {

uint32_t state = 1; // the C runtime's state before any srand

} // namespace

void srand(unsigned seed) {
    state = seed;
}

int rand() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

} // namespace zema
