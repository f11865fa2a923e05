// zema-setup's devices as the editor's actions: the keys, SDL's game controllers and plain
// joysticks (a pad alone drives every row and button), and the mouse over the window's layout.
#pragma once

#include <SDL.h>

#include "setup_view.h"

namespace zema {

// The editor with what its window and devices keep between events.
struct SetupSession {
    SetupEditor editor;
    SetupLayout layout = {};     // the last picture's, where the mouse points
    int firstShown = 0;          // the list's scroll
    int stickX = 0, stickY = 0;  // -1, 0 or 1: where the sticks last stood
    SDL_JoystickID swallow = -1; // this pad's press was taken as its number already: its game
                                 // controller's twin of that press goes by (for one batch)
};

// Opens the pad at this device index: as a game controller when SDL knows it, else plainly.
void openPad(int index);

SetupOutcome handleSetupEvent(SetupSession& session, const SDL_Event& event);

} // namespace zema
