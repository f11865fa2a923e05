// One frame of the game: draws a whole picture and, in play, advances the game one step.
#pragma once

namespace zema {

// Always returns 1.
int runFrame();

} // namespace zema
