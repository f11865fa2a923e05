// The game's pseudo-random generator: the Windows C runtime's own, written out so that a seed
// gives the same sequence, and so the same wobble, on every platform the game runs on.
#pragma once

namespace zema {

// Sets the generator's state (the C runtime's srand).
void srand(unsigned seed);

// The next number, 0..32767 (the C runtime's rand).
int rand();

} // namespace zema
