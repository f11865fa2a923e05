// The SDL display under SDL's dummy driver (one 1024 x 768 mode) and with no display at all:
// start-up, the mode in use, and whole frames read back from the window's framebuffer.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "display/display_sdl.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "render/images.h"
#include "render/resources.h"
#include "test_bitmap.h"

namespace zema {

namespace {
const std::string deviceMessage = "DIRECT3Dデバイスの作成に失敗しました";

void useDriver(const char* driver) {
    setenv("SDL_VIDEODRIVER", driver, 1);
}

class DummyDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        useDriver("dummy");
        displaySettings.messagesToStderrOnly = true; // a box would wait for a click
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window =
            SDL_CreateWindow("ZEMA", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600, 0);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        restoreStartContents();
        useFixedSeed(1);
    }
    void TearDown() override {
        releaseDisplay();
        displaySettings = {};
        if (window) SDL_DestroyWindow(window);
        SDL_Quit();
    }

    bool windowIsFullscreen() const { return SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN; }

    // The framebuffer as the window shows it, 0xRRGGBB; after readRenderer, what the fallback
    // path's renderer shows.
    uint32_t shown(int x, int y) {
        if (!rendered.empty()) return rendered[static_cast<size_t>(y) * 1024 + x] & 0xFFFFFF;
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        const auto* row = reinterpret_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
        return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
    }

    void readRenderer() {
        rendered.assign(1024 * 768, 0);
        SDL_Renderer* renderer = SDL_GetRenderer(window);
        ASSERT_NE(renderer, nullptr);
        ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, rendered.data(),
                                       1024 * 4),
                  0)
            << SDL_GetError();
    }
    std::vector<uint32_t> rendered;

    // Resizes the window: the view keeps its size until the step between frames (a frame sees
    // one size throughout), then takes the window's.
    void resizeAndFollow(int width, int height) {
        const DisplayMode before = displayMode;
        SDL_SetWindowSize(window, width, height);
        SDL_PumpEvents();
        EXPECT_EQ(displayMode.Width, before.Width) << "the view changed outside the step";
        EXPECT_EQ(displayMode.Height, before.Height) << "the view changed outside the step";
        displayFollowWindow();
        EXPECT_EQ(displayMode.Width, static_cast<uint32_t>(width));
        EXPECT_EQ(displayMode.Height, static_cast<uint32_t>(height));
    }

    // One frame of the title screen: the title, or after a lost game the game-over picture.
    static void runTitleFrame(bool lostGame) {
        gameState.screenMode = ModeTitle;
        gameState.gameOver = lostGame ? 1 : 0;
        runFrame();
    }

    // initDisplay without the window's framebuffer; what it wrote to standard error in notice.
    int32_t initOnTheFallbackPath(std::string& notice) {
        displaySettings.skipWindowSurface = true;
        testing::internal::CaptureStderr();
        const int32_t status = initDisplay(window);
        displaySettings.skipWindowSurface = false;
        notice = testing::internal::GetCapturedStderr();
        return status;
    }

    // Counts the framebuffer pixels that differ from the picture drawn at (left, top) on blue.
    int mismatchesWithPictureAt(int id, int left, int top) {
        Resource resource = {};
        EXPECT_TRUE(findResource(id, resource));
        const TestBitmap picture = readTestBitmap(resource.data, resource.size);
        int wrong = 0;
        for (int y = 0; y < 768; ++y)
            for (int x = 0; x < 1024; ++x) {
                const bool inside =
                    x >= left && y >= top && x < left + picture.width && y < top + picture.height;
                const uint32_t expected =
                    inside ? pixelColour(picture, x - left, y - top) : pureBlue;
                if (shown(x, y) != expected && ++wrong <= 3)
                    ADD_FAILURE() << "(" << x << ", " << y << ") shows " << std::hex << shown(x, y)
                                  << " not " << expected;
            }
        return wrong;
    }

    // One pixel of an embedded picture, 0xRRGGBB.
    uint32_t pixelOfPictureAt(int id, int x, int y) {
        Resource resource = {};
        EXPECT_TRUE(findResource(id, resource));
        return pixelColour(readTestBitmap(resource.data, resource.size), x, y);
    }

    SDL_Window* window = nullptr;
};
} // namespace

TEST_F(DummyDisplay, StartsAtTheDriversOnlyModeDrawingIntoTheWindowsOwnPixels) {
    ASSERT_EQ(initDisplay(window), 0);
    EXPECT_EQ(displayMode.Width, 1024u);
    EXPECT_EQ(displayMode.Height, 768u);
    ASSERT_EQ(displayModes.size(), 1u);
    EXPECT_EQ(displayPresentPath(), PresentPath::WindowSurface);
    EXPECT_TRUE(displayDrawsInPlace());
    EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
    for (int slot = 0; slot < imageSlotCount; ++slot)
        EXPECT_NE(imageTextures[slot], nullptr);
}

TEST_F(DummyDisplay, TitleFrameShowsTheTitleAt112By84OnBlue) {
    ASSERT_EQ(initDisplay(window), 0);
    runTitleFrame(false);
    EXPECT_EQ(mismatchesWithPictureAt(imageTable[imgTitle].resourceId, 112, 84), 0);
}

// As the browser starts: the display loads no picture, and the title's alone makes the title.
TEST_F(DummyDisplay, WithThePicturesLeftToTheCallerTheTitleAloneMakesTheTitleFrame) {
    displaySettings.imagesLater = true;
    ASSERT_EQ(initDisplay(window), 0);
    for (int slot = 0; slot < imageSlotCount; ++slot)
        EXPECT_EQ(imageTextures[slot], nullptr);
    ASSERT_TRUE(loadImage(imgTitle));
    runTitleFrame(false);
    EXPECT_EQ(mismatchesWithPictureAt(imageTable[imgTitle].resourceId, 112, 84), 0);
}

TEST_F(DummyDisplay, AfterALostGameTheGameOverPictureStandsAt337By234) {
    ASSERT_EQ(initDisplay(window), 0);
    runTitleFrame(true);
    EXPECT_EQ(mismatchesWithPictureAt(imageTable[imgGameOver].resourceId, 337, 234), 0);
}

TEST_F(DummyDisplay, PlayFrameShowsTheMapFromTheViewOrigin) {
    ASSERT_EQ(initDisplay(window), 0);
    startGame();
    runFrame();
    Resource resource = {};
    ASSERT_TRUE(findResource(113, resource));
    const TestBitmap map = readTestBitmap(resource.data, resource.size);
    // The top left corner holds nothing but map: walls 0 and 1 at the view origin (200, 150).
    int wrong = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x)
            wrong += shown(x, y) != pixelColour(map, 200 + x, 150 + y);
    EXPECT_EQ(wrong, 0);
    // The energy bar: 750 pixels of opaque tile along the bottom, then the blue clear colour.
    EXPECT_NE(shown(10, 768 - 15), pureBlue);
    EXPECT_NE(shown(740, 768 - 15), pureBlue);
    EXPECT_EQ(shown(1000, 768 - 15), pureBlue);
}

TEST_F(DummyDisplay, ReleasedDisplayCanBeSetUpAgain) {
    ASSERT_EQ(initDisplay(window), 0);
    releaseDisplay();
    for (int slot = 0; slot < imageSlotCount; ++slot)
        EXPECT_EQ(imageTextures[slot], nullptr);
    EXPECT_EQ(displayPresentPath(), PresentPath::None);
    ASSERT_EQ(initDisplay(window), 0);
    gameState.screenMode = ModeTitle;
    runFrame();
    EXPECT_EQ(shown(0, 0), pureBlue);
}

// The window leaving fullscreen drops its framebuffer: the back buffer moves to pixels of its
// own, shown scaled into the smaller window, and moves back when the window is W x H again.
TEST_F(DummyDisplay, FollowsTheWindowSurfaceWhenTheWindowChangesSize) {
    ASSERT_EQ(initDisplay(window), 0);
    gameState.screenMode = ModeTitle;
    runFrame();
    ASSERT_EQ(SDL_SetWindowFullscreen(window, 0), 0);
    SDL_SetWindowSize(window, 512, 384);
    SDL_PumpEvents();
    runFrame();
    EXPECT_FALSE(displayDrawsInPlace());
    EXPECT_EQ(displayBackBuffer().width, 1024);
    SDL_Surface* small = SDL_GetWindowSurface(window);
    ASSERT_EQ(small->w, 512);
    EXPECT_EQ(shown(10, 10), pureBlue);
    EXPECT_NE(shown(256, 192), pureBlue) << "the title, scaled to half size";
    ASSERT_EQ(SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN), 0);
    SDL_PumpEvents();
    runFrame();
    EXPECT_TRUE(displayDrawsInPlace());
    EXPECT_EQ(mismatchesWithPictureAt(imageTable[imgTitle].resourceId, 112, 84), 0);
}

// In a window the view is the window's size, and follows it when asked between frames; fullscreen
// it is the largest mode whatever the window did.
TEST_F(DummyDisplay, InAWindowTheViewFollowsTheWindowBetweenFrames) {
    displaySettings.windowed = true;
    displaySettings.windowWidth = 640;
    displaySettings.windowHeight = 480;
    ASSERT_EQ(initDisplay(window), 0);
    EXPECT_FALSE(windowIsFullscreen());
    EXPECT_EQ(displayMode.Width, 640u);
    EXPECT_EQ(displayMode.Height, 480u);
    ASSERT_EQ(displayModes.back().Width, 1024u);
    gameState.screenMode = ModeTitle;
    runFrame();
    EXPECT_TRUE(displayDrawsInPlace());
    EXPECT_EQ(displayBackBuffer().width, 640);

    resizeAndFollow(700, 500);
    runFrame();
    EXPECT_TRUE(displayDrawsInPlace());
    EXPECT_EQ(displayBackBuffer().width, 700);
    EXPECT_EQ(displayBackBuffer().height, 500);
    // The title, 800 x 600, centred on the 700 x 500 view: its middle is the window's middle.
    EXPECT_EQ(shown(0, 0), pixelOfPictureAt(imageTable[imgTitle].resourceId, 50, 50));
    EXPECT_EQ(shown(349, 249), pixelOfPictureAt(imageTable[imgTitle].resourceId, 399, 299));
}

TEST_F(DummyDisplay, AWindowLargerThanTheLargestModeIsMadeToFit) {
    displaySettings.windowed = true;
    displaySettings.windowWidth = 1500;
    displaySettings.windowHeight = 700;
    ASSERT_EQ(initDisplay(window), 0);
    EXPECT_EQ(displayMode.Width, 1024u);
    EXPECT_EQ(displayMode.Height, 700u);
}

TEST_F(DummyDisplay, ToggleGoesFullscreenAtTheLargestModeAndBackToTheLastWindowSize) {
    displaySettings.windowed = true;
    displaySettings.windowWidth = 640;
    displaySettings.windowHeight = 480;
    ASSERT_EQ(initDisplay(window), 0);
    SDL_SetWindowSize(window, 600, 400);
    ASSERT_TRUE(displayToggleFullscreen()) << SDL_GetError();
    EXPECT_TRUE(windowIsFullscreen());
    displayFollowWindow();
    EXPECT_EQ(displayMode.Width, 1024u);
    EXPECT_EQ(displayMode.Height, 768u);
    gameState.screenMode = ModeTitle;
    runFrame();
    EXPECT_EQ(mismatchesWithPictureAt(imageTable[imgTitle].resourceId, 112, 84), 0);

    ASSERT_TRUE(displayToggleFullscreen()) << SDL_GetError();
    EXPECT_FALSE(windowIsFullscreen());
    displayFollowWindow();
    EXPECT_EQ(displayMode.Width, 600u);
    EXPECT_EQ(displayMode.Height, 400u);
}

TEST_F(DummyDisplay, FullscreenByDefaultTheViewStaysTheLargestMode) {
    ASSERT_EQ(initDisplay(window), 0);
    EXPECT_TRUE(windowIsFullscreen());
    displayFollowWindow();
    EXPECT_EQ(displayMode.Width, 1024u);
    EXPECT_EQ(displayMode.Height, 768u);
    // Leaving fullscreen gives the default window, which fits the mode.
    ASSERT_TRUE(displayToggleFullscreen());
    displayFollowWindow();
    EXPECT_EQ(displayMode.Width, 1024u);
    EXPECT_EQ(displayMode.Height, 768u);
    EXPECT_FALSE(windowIsFullscreen());
}

// The browser's canvas is the window: the view is the window's size, the window is not made
// fullscreen, and a new size is taken when asked, between frames, with the title centred in it.
TEST_F(DummyDisplay, FollowingTheWindowTakesItsSizeBetweenFrames) {
    displaySettings.followsWindow = true;
    ASSERT_EQ(initDisplay(window), 0);
    EXPECT_EQ(displayMode.Width, 800u);
    EXPECT_EQ(displayMode.Height, 600u);
    ASSERT_EQ(displayModes.size(), 1u);
    EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
    resizeAndFollow(1024, 768);
    ASSERT_EQ(displayModes.size(), 1u);
    runTitleFrame(false);
    EXPECT_EQ(displayBackBuffer().width, 1024);
    EXPECT_EQ(displayBackBuffer().height, 768);
    EXPECT_EQ(mismatchesWithPictureAt(imageTable[imgTitle].resourceId, 112, 84), 0);
}

// The same on the fallback path: the streaming texture and the back buffer take the new size.
TEST_F(DummyDisplay, FollowingTheWindowOnTheFallbackPathResizesItsBackBuffer) {
    displaySettings.followsWindow = true;
    std::string notice;
    ASSERT_EQ(initOnTheFallbackPath(notice), 0);
    ASSERT_EQ(displayPresentPath(), PresentPath::SoftwareRenderer);
    resizeAndFollow(1024, 768);
    EXPECT_EQ(displayBackBuffer().width, 1024);
    EXPECT_EQ(displayBackBuffer().height, 768);
    runTitleFrame(false);
    readRenderer();
    // The title stands at (112, 84) on blue.
    EXPECT_EQ(mismatchesWithPictureAt(imageTable[imgTitle].resourceId, 112, 84), 0);
}

// Without the window's framebuffer: the HAL/REF notice, then SDL's software renderer shows the
// same picture.
TEST_F(DummyDisplay, FallbackPathGivesTheNoticeAndShowsTheSamePicture) {
    std::string notice;
    const int32_t status = initOnTheFallbackPath(notice);
    EXPECT_EQ(notice, "HALモードでDIRECT3Dデバイスを作成できません\nREFモードで再試行します\n");
    ASSERT_EQ(status, 0);
    EXPECT_EQ(displayPresentPath(), PresentPath::SoftwareRenderer);
    EXPECT_FALSE(displayDrawsInPlace());
    runTitleFrame(true);
    readRenderer();
    EXPECT_EQ(mismatchesWithPictureAt(imageTable[imgGameOver].resourceId, 337, 234), 0);
}

TEST_F(DummyDisplay, HiddenWindowFailsWithTheDeviceMessage) {
    SDL_Window* hidden = SDL_CreateWindow("ZEMA", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
    ASSERT_NE(hidden, nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(initDisplay(hidden), E_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zema: cannot show the game window: the window is not shown\n" + deviceMessage +
                  "\n");
    releaseDisplay();
    SDL_DestroyWindow(hidden);
}

TEST(DisplayWithoutVideo, FailsWithTheCreateMessage) {
    displaySettings.messagesToStderrOnly = true;
    ASSERT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    testing::internal::CaptureStderr();
    SDL_SetError("video is off");
    EXPECT_EQ(initDisplay(nullptr), E_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zema: cannot start SDL's video: video is off\nDirect3Dの作成に失敗しました\n");
}

// With no display SDL falls back to its offscreen driver, whose only mode is 0 x 0: no mode to
// use. No message box can be shown either, so the text goes to standard error by itself.
TEST(DisplayWithoutScreen, OffscreenDriverFailsWithTheDeviceMessageOnStandardError) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    displaySettings.messagesToStderrOnly = false;
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    EXPECT_STREQ(SDL_GetCurrentVideoDriver(), "offscreen");
    SDL_Window* window = SDL_CreateWindow("ZEMA", 0, 0, 800, 600, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    testing::internal::CaptureStderr();
    EXPECT_EQ(initDisplay(window), E_FAIL);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.find("zema: cannot set up the display: display 0 has no 32-bit mode (video "
                       "driver 'offscreen')\n"),
              0u)
        << err;
    EXPECT_NE(err.find(deviceMessage + "\n"), std::string::npos) << err;
    EXPECT_TRUE(displayModes.empty());
    releaseDisplay();
    SDL_DestroyWindow(window);
    SDL_Quit();
}

} // namespace zema
