// The SDL input read through SDL's virtual joysticks and its keyboard state; SDL's dummy video
// gives the keyboard its layout, by which bound keys are found.
#include "input/input_sdl.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/world.h"
#include "input/bindings.h"
#include "input/input.h"

namespace zema {

namespace {

bool sameControls(const ControlState& a, const ControlState& b) {
    return a.left == b.left && a.right == b.right && a.up == b.up && a.down == b.down &&
           a.fire == b.fire;
}

constexpr ControlState none = {false, false, false, false, false};

bool frameDrewBeam() {
    for (int i = 0; i < recordedOpCount; ++i)
        if (recordedOps[i].kind == DisplayOpKind::Draw && recordedOps[i].slot == imgShot)
            return true;
    return false;
}

class SdlInput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER | SDL_INIT_VIDEO), 0) << SDL_GetError();
        if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
        startHeadlessDisplay(1024, 768);
        gameState.hasJoystick = -1; // initInput must set it
    }
    void TearDown() override {
        bindings = defaultBindings();
        releaseInput();
        closePad();
        const Uint8* keys = SDL_GetKeyboardState(nullptr);
        const_cast<Uint8*>(keys)[SDL_SCANCODE_LEFT] = 0;
        const_cast<Uint8*>(keys)[SDL_SCANCODE_RIGHT] = 0;
        SDL_Quit();
    }

    // A pad SDL knows no layout for: axes and buttons go by index.
    void attachRawPad() {
        padIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 1);
        openPad();
    }
    // SDL's own virtual game controller: a:b0 b:b1 x:b2, D-pad on buttons 11 to 14.
    void attachStandardController() {
        padIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
        openPad();
    }
    // A pad whose layout comes from a mapping that puts nothing where the raw indices are: B on
    // button 4, X on 5, the left stick on axes 2 and 3, the D-pad on hat 0. SDL appends to the
    // mapping, so it ends with a comma.
    void attachMappedController() {
        SDL_VirtualJoystickDesc desc = {};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = 4;
        desc.nbuttons = 8;
        desc.nhats = 1;
        desc.vendor_id = 0x1234;
        desc.product_id = 0x5678;
        desc.name = "Mapped Test Pad";
        padIndex = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(padIndex, 0) << SDL_GetError();
        char guid[64];
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(padIndex), guid, sizeof guid);
        const std::string mapping = std::string(guid) +
                                    ",Mapped Test Pad,b:b4,x:b5,leftx:a2,lefty:a3,dpup:h0.1,"
                                    "dpright:h0.2,dpdown:h0.4,dpleft:h0.8,";
        ASSERT_GE(SDL_GameControllerAddMapping(mapping.c_str()), 0) << SDL_GetError();
        ASSERT_TRUE(SDL_IsGameController(padIndex));
        openPad();
    }
    void openPad() {
        ASSERT_GE(padIndex, 0) << SDL_GetError();
        pad = SDL_JoystickOpen(padIndex);
        ASSERT_NE(pad, nullptr) << SDL_GetError();
    }
    void closePad() {
        if (pad != nullptr) SDL_JoystickClose(pad);
        pad = nullptr;
        if (padIndex >= 0) SDL_JoystickDetachVirtual(padIndex);
        padIndex = -1;
    }

    void setAxis(int axis, Sint16 value) {
        ASSERT_EQ(SDL_JoystickSetVirtualAxis(pad, axis, value), 0);
    }
    void setButton(int button, bool down) {
        ASSERT_EQ(SDL_JoystickSetVirtualButton(pad, button, down ? 1 : 0), 0);
    }
    void setHat(Uint8 value) { ASSERT_EQ(SDL_JoystickSetVirtualHat(pad, 0, value), 0); }

    // The attached pad is found at start-up, and its axis 0 steers left only at its very end.
    void startWithPadSteeringLeftAtTheEnd() {
        ASSERT_EQ(initInput(nullptr), 0);
        EXPECT_EQ(gameState.hasJoystick, 1);
        setAxis(0, -32768);
        EXPECT_TRUE(sameControls(readControlState(), {true, false, false, false, false}));
        setAxis(0, -32767);
        EXPECT_TRUE(sameControls(readControlState(), none));
    }

    int padIndex = -1;
    SDL_Joystick* pad = nullptr;
};

TEST_F(SdlInput, RawJoystickAxesSteerOnlyAtTheirVeryEnds) {
    attachRawPad();
    startWithPadSteeringLeftAtTheEnd();
    setAxis(0, 0);
    EXPECT_TRUE(sameControls(readControlState(), none));
    setAxis(0, 32767);
    EXPECT_TRUE(sameControls(readControlState(), {false, true, false, false, false}));
    setAxis(0, 32766);
    EXPECT_TRUE(sameControls(readControlState(), none));

    setAxis(1, -32768);
    EXPECT_TRUE(sameControls(readControlState(), {false, false, true, false, false}));
    setAxis(1, -32767);
    EXPECT_TRUE(sameControls(readControlState(), none));
    setAxis(1, 32767);
    EXPECT_TRUE(sameControls(readControlState(), {false, false, false, true, false}));
    setAxis(0, 32767);
    EXPECT_TRUE(sameControls(readControlState(), {false, true, false, true, false}));
}

// SDL's virtual controller has back on button 4 and start on 6.
TEST_F(SdlInput, QuitButtonsAreHeldOnlyAllTogetherOnThePadThatSteers) {
    attachStandardController();
    ASSERT_EQ(initInput(nullptr), 0);
    setButton(4, true);
    setButton(6, true);
    EXPECT_FALSE(deviceQuitHeld()); // none bound
    bindings.padQuit[0] = SDL_CONTROLLER_BUTTON_BACK;
    bindings.padQuit[1] = SDL_CONTROLLER_BUTTON_START;
    bindings.padQuitCount = 2;
    EXPECT_TRUE(deviceQuitHeld());
    setButton(4, false);
    EXPECT_FALSE(deviceQuitHeld());
    bindings.padQuit[0] = SDL_CONTROLLER_BUTTON_START;
    bindings.padQuit[1] = SDL_CONTROLLER_BUTTON_A; // not held, and not of the chord
    bindings.padQuitCount = 1;
    EXPECT_TRUE(deviceQuitHeld());
    gameState.hasJoystick = 0; // the keyboard steers: the pad is not read
    EXPECT_FALSE(deviceQuitHeld());
}

TEST_F(SdlInput, RawJoystickButtonsGoByIndex) {
    attachRawPad();
    ASSERT_EQ(initInput(nullptr), 0);
    setButton(0, true);
    EXPECT_TRUE(sameControls(readControlState(), none));
    EXPECT_FALSE(readStartButton());
    setButton(1, true);
    EXPECT_TRUE(readStartButton());
    EXPECT_TRUE(sameControls(readControlState(), none));
    setButton(2, true);
    EXPECT_TRUE(sameControls(readControlState(), {false, false, false, false, true}));
    // A raw pad's hat is not a D-pad.
    setHat(SDL_HAT_LEFT);
    EXPECT_TRUE(sameControls(readControlState(), {false, false, false, false, true}));
}

TEST_F(SdlInput, StartButtonStartsOnlyOnTheTitleScreen) {
    attachRawPad();
    ASSERT_EQ(initInput(nullptr), 0);
    resetGame();
    gameState.screenMode = ModeTitle;

    setButton(2, true); // fire on the title screen: nothing
    runFrame();
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    EXPECT_FALSE(frameDrewBeam());

    setButton(2, false);
    setButton(1, true);
    clearRecordedOps();
    runFrame();
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_FALSE(frameDrewBeam());

    // Start held during play: no new game, so the view stays where play left it.
    gameState.scrollX = 1000;
    gameState.scrollY = 800;
    gameState.energy = 100;
    clearRecordedOps();
    runFrame();
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_EQ(gameState.scrollX, 1000);
    EXPECT_LE(gameState.energy, 100);
    EXPECT_FALSE(frameDrewBeam());
}

TEST_F(SdlInput, FireButtonFiresOnlyInPlay) {
    attachRawPad();
    ASSERT_EQ(initInput(nullptr), 0);
    resetGame();
    gameState.screenMode = ModePlay;
    setButton(2, true);
    runFrame();
    EXPECT_TRUE(frameDrewBeam());
    EXPECT_EQ(gameState.shotTimer, 9); // set to 10 by the read, counted down by the same frame
}

TEST_F(SdlInput, StandardControllerUsesItsLayoutAndDpad) {
    attachStandardController();
    startWithPadSteeringLeftAtTheEnd();
    setButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_TRUE(sameControls(readControlState(), {false, true, false, false, false}));
    setButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    setButton(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_TRUE(sameControls(readControlState(), {false, false, true, false, false}));
    setButton(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    setButton(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_TRUE(readStartButton());
    setButton(SDL_CONTROLLER_BUTTON_X, true);
    EXPECT_TRUE(sameControls(readControlState(), {false, false, false, false, true}));
}

TEST_F(SdlInput, MappedControllerIsReadByItsLayoutNotByRawIndex) {
    attachMappedController();
    ASSERT_EQ(initInput(nullptr), 0);
    EXPECT_EQ(gameState.hasJoystick, 1);

    // Raw axis 0 and buttons 1 and 2 mean nothing to this layout.
    setAxis(0, -32768);
    setButton(1, true);
    setButton(2, true);
    EXPECT_TRUE(sameControls(readControlState(), none));
    EXPECT_FALSE(readStartButton());

    setAxis(2, 32767);
    setAxis(3, -32768);
    EXPECT_TRUE(sameControls(readControlState(), {false, true, true, false, false}));
    setAxis(2, 32766);
    setAxis(3, 0);
    EXPECT_TRUE(sameControls(readControlState(), none));

    setHat(SDL_HAT_LEFTDOWN);
    EXPECT_TRUE(sameControls(readControlState(), {true, false, false, true, false}));
    setHat(SDL_HAT_CENTERED);

    setButton(4, true); // B
    EXPECT_TRUE(readStartButton());
    setButton(5, true); // X
    EXPECT_TRUE(sameControls(readControlState(), {false, false, false, false, true}));
}

TEST_F(SdlInput, UnpluggedJoystickGivesNothingAndIsReadAgainWhenBack) {
    attachRawPad();
    ASSERT_EQ(initInput(nullptr), 0);
    setAxis(0, -32768);
    setButton(1, true);
    EXPECT_TRUE(sameControls(readControlState(), {true, false, false, false, false}));

    closePad();
    EXPECT_TRUE(sameControls(readControlState(), none));
    EXPECT_FALSE(readStartButton());
    EXPECT_EQ(gameState.hasJoystick, 1); // the keyboard does not take over

    attachRawPad();
    setAxis(0, 32767);
    setButton(1, true);
    EXPECT_TRUE(sameControls(readControlState(), {false, true, false, false, false}));
    EXPECT_TRUE(readStartButton());
}

TEST_F(SdlInput, JoystickPluggedInLaterDoesNotReplaceTheKeyboard) {
    ASSERT_EQ(initInput(nullptr), 0);
    EXPECT_EQ(gameState.hasJoystick, 0);
    attachRawPad();
    setAxis(0, -32768);
    setButton(1, true);
    EXPECT_TRUE(sameControls(readControlState(), none));
    EXPECT_FALSE(readStartButton());
}

TEST_F(SdlInput, KeyboardReadsArrowsHeldTogetherAndNeverFires) {
    ASSERT_EQ(initInput(nullptr), 0);
    EXPECT_EQ(gameState.hasJoystick, 0);
    // SDL offers no way to press a key without a window system; its key state array is the
    // one the read looks at, so the test writes it directly.
    Uint8* keys = const_cast<Uint8*>(SDL_GetKeyboardState(nullptr));
    keys[SDL_SCANCODE_LEFT] = 1;
    keys[SDL_SCANCODE_RIGHT] = 1;
    keys[SDL_SCANCODE_SPACE] = 1;
    keys[SDL_SCANCODE_RCTRL] = 1;
    EXPECT_TRUE(sameControls(readControlState(), {true, true, false, false, false}));
    EXPECT_FALSE(readStartButton());
    keys[SDL_SCANCODE_SPACE] = 0;
    keys[SDL_SCANCODE_RCTRL] = 0;

    // Both applied in one frame, left first: the craft ends facing right, back where it was.
    resetGame();
    gameState.screenMode = ModePlay;
    const int32_t startX = gameState.scrollX;
    readControls();
    EXPECT_EQ(gameState.facingLeft, 0);
    EXPECT_EQ(gameState.scrollX, startX);

    keys[SDL_SCANCODE_RIGHT] = 0; // the left arrow alone does move here
    readControls();
    EXPECT_EQ(gameState.facingLeft, 1);
    EXPECT_EQ(gameState.scrollX, startX - 50);
}

// With the keyboard chosen, an attached pad is not the device.
TEST_F(SdlInput, BoundKeysSteerInsteadOfTheArrows) {
    attachRawPad();
    bindings.input = InputChoice::Keyboard;
    bindings.keys[int(KeyRole::Right)] = {{SDLK_RIGHT, SDLK_d}, 2};
    bindings.keys[int(KeyRole::Left)] = {{SDLK_d}, 1};
    ASSERT_EQ(initInput(nullptr), 0);
    EXPECT_EQ(gameState.hasJoystick, 0);
    Uint8* keys = const_cast<Uint8*>(SDL_GetKeyboardState(nullptr));
    keys[SDL_SCANCODE_D] = 1;
    EXPECT_TRUE(sameControls(readControlState(), {true, true, false, false, false}));
    keys[SDL_SCANCODE_D] = 0;
    keys[SDL_SCANCODE_LEFT] = 1;
    EXPECT_TRUE(sameControls(readControlState(), none));
}

// Attached after the start, the pad is read by its bound axis and buttons.
TEST_F(SdlInput, JoystickChosenWaitsForAPad) {
    // Fires on button 1, starts on 4, steers by axes 2 and 1.
    bindings = {.keys = {},
                .padFire = 0,
                .padStart = 0,
                .rawFire = 0,
                .rawStart = 3,
                .rawAxisX = 1,
                .rawAxisY = 0,
                .padQuit = {},
                .padQuitCount = 0,
                .input = InputChoice::Joystick};
    ASSERT_EQ(initInput(nullptr), 0);
    EXPECT_EQ(gameState.hasJoystick, 1);
    EXPECT_FALSE(readStartButton());
    attachRawPad();
    setAxis(1, 32767);
    setButton(0, true);
    setButton(1, true);
    EXPECT_TRUE(sameControls(readControlState(), {false, true, false, false, true}));
    EXPECT_FALSE(readStartButton());
    setButton(3, true);
    EXPECT_TRUE(readStartButton());
}

TEST_F(SdlInput, ControllerButtonsGoByTheirBoundNames) {
    bindings.padFire = SDL_CONTROLLER_BUTTON_A;
    bindings.padStart = SDL_CONTROLLER_BUTTON_X;
    attachStandardController();
    ASSERT_EQ(initInput(nullptr), 0);
    setButton(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_FALSE(readStartButton());
    setButton(SDL_CONTROLLER_BUTTON_X, true);
    EXPECT_TRUE(readStartButton());
    EXPECT_TRUE(sameControls(readControlState(), none));
    setButton(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(sameControls(readControlState(), {false, false, false, false, true}));
}

} // namespace

} // namespace zema
