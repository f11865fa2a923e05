// The program's keys on the SDL display under SDL's dummy driver: F12 and Print Screen save the
// frame on screen, Alt+Enter switches to fullscreen and back, repeats do nothing, and the game's
// own keys go by.
#include "app/program_keys.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "display/display_sdl.h"
#include "frame/frame.h"
#include "game/world.h"
#include "png/png_writer.h"
#include "test_files.h"

namespace zema {
namespace {

SDL_KeyboardEvent keyDown(SDL_Keycode key, Uint16 mod = KMOD_NONE, bool repeat = false) {
    SDL_KeyboardEvent event = {};
    event.type = SDL_KEYDOWN;
    event.state = SDL_PRESSED;
    event.repeat = repeat ? 1 : 0;
    event.keysym.sym = key;
    event.keysym.mod = mod;
    return event;
}

class ProgramKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(dataHome.empty());
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        displaySettings.messagesToStderrOnly = true;
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window = SDL_CreateWindow("ZEMA", 0, 0, 800, 600, 0);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        restoreStartContents();
        useFixedSeed(1);
        displaySettings.windowed = true;
        displaySettings.windowWidth = 640;
        displaySettings.windowHeight = 480;
        ASSERT_EQ(initDisplay(window), 0);
        gameState.screenMode = ModeTitle;
        runFrame();
    }
    void TearDown() override {
        releaseDisplay();
        displaySettings = {};
        SDL_DestroyWindow(window);
        SDL_Quit();
        unsetenv("XDG_DATA_HOME");
    }

    // Sends the key and returns what it printed on standard output, one path a line.
    std::string press(const SDL_KeyboardEvent& key, bool& taken) {
        testing::internal::CaptureStdout();
        taken = handleProgramKey(key);
        return testing::internal::GetCapturedStdout();
    }
    bool windowIsFullscreen() const { return SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN; }

    ScratchFolder scratch{"zema-keys"};
    const std::string& dataHome = scratch.path();
    SDL_Window* window = nullptr;
};

TEST_F(ProgramKeys, F12AndPrintScreenSaveTheFrameOnScreen) {
    const BackBuffer& frame = displayBackBuffer();
    ASSERT_EQ(frame.width, 640);
    const std::vector<uint8_t> expected =
        encodePng(frame.pixels, frame.width, frame.height, frame.pitch);
    const std::string folder = dataHome + "/zema/screenshots/";
    for (SDL_Keycode key : {SDLK_F12, SDLK_PRINTSCREEN}) {
        bool taken = false;
        const std::string printed = press(keyDown(key), taken);
        EXPECT_TRUE(taken);
        ASSERT_EQ(printed.rfind(folder + "zema-", 0), 0u) << printed;
        ASSERT_EQ(printed.back(), '\n');
        EXPECT_EQ(fileBytes(printed.substr(0, printed.size() - 1)), expected) << printed;
    }
    // A held key's repeats are taken and save nothing more.
    bool taken = false;
    EXPECT_EQ(press(keyDown(SDLK_F12, KMOD_NONE, true), taken), "");
    EXPECT_TRUE(taken);
}

TEST_F(ProgramKeys, AFolderThatCannotBeMadeIsReportedAndTheKeyIsStillTaken) {
    const std::string blocker = dataHome + "/file";
    std::ofstream(blocker) << "not a folder";
    setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    testing::internal::CaptureStderr();
    bool taken = false;
    EXPECT_EQ(press(keyDown(SDLK_F12), taken), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zema: cannot save a screenshot: " + blocker + "/zema: Not a directory\n");
    EXPECT_TRUE(taken);
}

TEST_F(ProgramKeys, AltEnterSwitchesAndHeldRepeatsDoNothing) {
    bool taken = false;
    ASSERT_FALSE(windowIsFullscreen());
    EXPECT_EQ(press(keyDown(SDLK_RETURN, KMOD_LALT), taken), "");
    EXPECT_TRUE(taken);
    EXPECT_TRUE(windowIsFullscreen());
    press(keyDown(SDLK_RETURN, KMOD_LALT, true), taken);
    EXPECT_TRUE(taken);
    EXPECT_TRUE(windowIsFullscreen()) << "a repeat switched again";
    press(keyDown(SDLK_KP_ENTER, KMOD_RALT), taken);
    EXPECT_TRUE(taken);
    EXPECT_FALSE(windowIsFullscreen());
    // The view follows at the next frame, not before.
    EXPECT_EQ(displayMode.Width, 640u);
}

TEST_F(ProgramKeys, TheGamesKeysGoBy) {
    bool taken = true;
    for (SDL_Keycode key : {SDLK_RETURN, SDLK_KP_ENTER, SDLK_SPACE, SDLK_ESCAPE, SDLK_LEFT}) {
        EXPECT_EQ(press(keyDown(key), taken), "");
        EXPECT_FALSE(taken) << SDL_GetKeyName(key);
    }
    // Alt with another key is not the program's either.
    press(keyDown(SDLK_SPACE, KMOD_LALT), taken);
    EXPECT_FALSE(taken);
    EXPECT_FALSE(windowIsFullscreen());
}

} // namespace
} // namespace zema
