// The player's own copy in the page: the kept copy played with from the start, and a chosen one
// checked by the desktop's own reader before the page keeps it (see own_copy.js).
#pragma once

#include <string>

namespace zema {

// Plays with the copy in folder (the page put the kept files there) when it is whole; when it
// is not, the page says why and the game's own pictures and sounds are played with.
void useKeptCopy(const std::string& folder);

} // namespace zema
