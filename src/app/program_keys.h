// The program's own keys, beside the game's: Alt+Enter switches between the window and
// fullscreen, F12 or Print Screen saves the frame on screen as a PNG.
#pragma once

struct SDL_KeyboardEvent;

namespace zema {

// True for a key it takes, which the game then never sees; auto-repeats of these keys are taken
// and do nothing.
bool handleProgramKey(const SDL_KeyboardEvent& key);

} // namespace zema
