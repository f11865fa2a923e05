// The SDL display: the fullscreen window showing the compositor's back buffer.
#pragma once

#include <cstdint>

struct SDL_Window;

constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005);

// Lists the display modes, takes the last (largest) as W x H, makes the window fullscreen and
// loads the fifteen images. On a failure shows its message box (or writes the text to standard
// error when no box can be shown) and returns E_FAIL.
int32_t initDisplay(SDL_Window* window);
void releaseDisplay();
