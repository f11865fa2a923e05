// The game window: borderless, 800 x 600, titled "ZEMA", centred and shown, with the game's
// icon. The display makes it fullscreen.
#pragma once

struct SDL_Window;

namespace zema {

extern SDL_Window* mainWindow;

// Starts SDL's video and creates, centres and shows the window. A window that cannot be made
// leaves mainWindow null; the display set-up then fails on it. A high-density window has a
// drawable of the screen's real pixels (for a view scaled to it); without, today's flags.
void createMainWindow(bool highDensity = false);
void destroyMainWindow();

// Moves the window to the centre of the desktop and shows it; always true.
bool centerWindow(SDL_Window* window);

} // namespace zema
