// The SDL input: the first joystick, or the keyboard when there is none.
#pragma once

#include <cstdint>

struct SDL_Window;

namespace zema {

// 0 on success, a negative status on failure. Sets hasJoystick.
int32_t initInput(SDL_Window* window);
void releaseInput();

} // namespace zema
