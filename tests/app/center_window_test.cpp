// The window placed on a real (dummy) SDL desktop: its right and bottom edges decide.
#include <SDL.h>
#include <gtest/gtest.h>

#include "app/main_window.h"

namespace zema {

TEST(CenterWindow, PlacesAndShowsTheWindowOnTheDesktop) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Rect desktop;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &desktop), 0);
    SDL_Window* window =
        SDL_CreateWindow("ZEMA", 3, 5, 800, 600, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    int x = -1, y = -1;
    SDL_GetWindowPosition(window, &x, &y);
    ASSERT_EQ(x, 3); // SDL would centre a window of undefined place by itself
    ASSERT_EQ(y, 5);
    EXPECT_TRUE(centerWindow(window));
    SDL_GetWindowPosition(window, &x, &y);
    EXPECT_EQ(x, (desktop.x + desktop.w - 800) / 2);
    EXPECT_EQ(y, (desktop.y + desktop.h - 600) / 2);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN, 0u);
    SDL_DestroyWindow(window);
    SDL_Quit();
}

} // namespace zema
