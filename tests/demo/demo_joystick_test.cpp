// A joystick game recorded in-process through the SDL input and SDL's virtual joystick (a
// standard game controller: B starts, X fires, the left stick and the D-pad steer), written to a
// file and checked by zema-sim.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "game/world.h"
#include "input/input_sdl.h"
#include "recorded_game.h"
#include "sim_run.h"

namespace zema {
namespace {

class DemoJoystick : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
        padIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
        ASSERT_GE(padIndex, 0) << SDL_GetError();
        pad = SDL_JoystickOpen(padIndex);
        ASSERT_NE(pad, nullptr) << SDL_GetError();
    }
    void TearDown() override {
        releaseInput();
        if (pad != nullptr) SDL_JoystickClose(pad);
        if (padIndex >= 0) SDL_JoystickDetachVirtual(padIndex);
        SDL_Quit();
    }
    void set(Sint16 x, Sint16 y, bool start, bool fire) {
        ASSERT_EQ(SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, x), 0);
        ASSERT_EQ(SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, y), 0);
        ASSERT_EQ(SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_B, start), 0);
        ASSERT_EQ(SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_X, fire), 0);
    }
    void dpad(SDL_GameControllerButton button, bool down) {
        ASSERT_EQ(SDL_JoystickSetVirtualButton(pad, button, down), 0);
    }

    int padIndex = -1;
    SDL_Joystick* pad = nullptr;
};

TEST_F(DemoJoystick, RecordedThroughSdlAndCheckedByTheSimulator) {
    ASSERT_EQ(initInput(nullptr), 0);
    ASSERT_EQ(gameState.hasJoystick, 1);
    RecordedGame game;
    game.start(2026);
    set(0, 0, false, false);
    game.frames(3);
    set(32767, 0, true, true); // start on the title: the new game's play part reads the stick
    game.frames(1);
    set(32767, 0, false, false);
    game.frames(4);
    set(-32767, 32767, false, true); // one short of the left end: down and fire only
    game.frames(3);
    set(0, -32768, false, false);
    game.frames(2);
    dpad(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true); // the D-pad is the stick at its end
    game.frames(3);
    dpad(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    set(0, 0, true, false); // start held in play is not read
    game.frames(2);
    game.key(ScriptCommandKind::Space);
    game.frames(5);
    const std::string demo = game.finish(true);

    EXPECT_NE(demo.find("device joystick\n"), std::string::npos);
    EXPECT_NE(demo.find("\nframe rfs\n"), std::string::npos) << demo;
    EXPECT_NE(demo.find("\nframe df\n"), std::string::npos) << demo;
    EXPECT_NE(demo.find("\nframe u\n"), std::string::npos) << demo;
    EXPECT_NE(demo.find("\nframe lu\n"), std::string::npos) << demo;
    EXPECT_EQ(demo.find(" s\n", demo.find("\nframe rfs\n") + 5), std::string::npos) << demo;
    EXPECT_EQ(game.lines.size(), 23u);
    EXPECT_NE(jsonInt(game.lines.back(), "scrollX"), 200); // the stick did steer

    char path[] = "/tmp/zema-joystick-demo-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::ofstream(path, std::ios::binary) << demo;
    const SimRun replay = runSimOnFile("", path);
    std::remove(path);
    EXPECT_EQ(replay.status, 0) << replay.errors << "\n" << demo;
    EXPECT_EQ(replay.lines, game.lines);
}

} // namespace
} // namespace zema
