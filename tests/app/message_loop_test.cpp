// The message loop's keys and its quit, run over the headless seams.
#include "app/message_loop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/demo_session.h"
#include "demo/frame_record.h"
#include "display/display_headless.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/bindings.h"
#include "input/input_headless.h"
#include "sound/frame_sounds.h"
#include "test_files.h"

namespace zema {

namespace {

SDL_Event keyDown(SDL_Keycode key, bool repeat = false) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event closeRequest() {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    return event;
}

class MessageLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        startHeadless();
    }
    void TearDown() override {
        bindings = defaultBindings();
        SDL_Quit();
    }

    void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
};

TEST_F(MessageLoop, EventsWaitingAreAllHandledAndQuitComesBeforeAnyFrame) {
    ASSERT_EQ(gameState.screenMode, ModeTitle);
    push(keyDown(SDLK_RETURN));
    push(keyDown(SDLK_SPACE));
    push(keyDown(SDLK_ESCAPE));
    push(keyDown(SDLK_SPACE, true)); // still handled: it was waiting before the loop looked again
    gameState.shotTimer = 0;
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_EQ(gameState.shotTimer, 10);
    EXPECT_EQ(recordedOpCount, 0);
}

// The browser runs the loop one pass at a time: each pass handles every waiting key, then runs
// one frame, until a quit is posted.
TEST_F(MessageLoop, APassHandlesTheWaitingKeysThenRunsOneFrame) {
    startMessageLoop();
    push(keyDown(SDLK_RETURN));
    push(keyDown(SDLK_SPACE));
    clearRecordedOps();
    EXPECT_TRUE(runMessageLoopPass());
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_EQ(gameState.shotTimer, 9); // set to 10 by Space, then one frame of the beam
    int presents = 0;
    for (int i = 0; i < recordedOpCount; ++i)
        presents += recordedOps[i].kind == DisplayOpKind::Present ? 1 : 0;
    EXPECT_EQ(presents, 1);

    clearRecordedOps();
    EXPECT_TRUE(runMessageLoopPass());
    EXPECT_EQ(gameState.shotTimer, 8);

    // Esc and a key behind it: both handled, then no frame, in this pass or any later one.
    push(keyDown(SDLK_ESCAPE));
    push(keyDown(SDLK_SPACE));
    clearRecordedOps();
    EXPECT_FALSE(runMessageLoopPass());
    EXPECT_EQ(gameState.shotTimer, 10);
    EXPECT_FALSE(runMessageLoopPass());
    EXPECT_EQ(recordedOpCount, 0);
}

// A played demo, one pass at a time as the browser runs it: each pass runs the demo's next
// frame; once the demo has run out a pass runs none and says so, and the end is compared with
// the record the demo expects.
TEST_F(MessageLoop, APlayedDemoRunsItsFramesThenAPassRunsNone) {
    ScratchFolder folder("zema-loop-demo");
    ASSERT_FALSE(folder.path().empty());
    const std::string demoPath = folder.path() + "/walk.demo";
    const std::string inputs = "enter\nframes 2 r\n";
    const auto playDemo = [&](const std::string& text) {
        std::ofstream(demoPath) << text;
        startHeadless();
        EXPECT_TRUE(openDemoRun(DemoRun::Play, demoPath)) << lastDemoReport();
        startDemoRun();
        startMessageLoop();
        int frames = 0;
        while (runMessageLoopPass() && frames < 10)
            ++frames;
        EXPECT_FALSE(runMessageLoopPass());
        return frames;
    };

    const int startX = gameState.scrollX;
    EXPECT_EQ(playDemo(inputs), 2);
    EXPECT_EQ(gameState.scrollX, startX + 100);
    EXPECT_EQ(finishDemoRun(0), 0);
    EXPECT_FALSE(demoEndedAsExpected()); // nothing was expected
    char line[maxFrameLineLength];
    size_t length = formatFrameLine(line, 2, frameSounds, frameSoundCount, nullptr, 0);
    const std::string record(line, length - 1);

    EXPECT_EQ(playDemo(inputs + "expect " + record + "\n"), 2);
    EXPECT_EQ(finishDemoRun(0), 0);
    EXPECT_TRUE(demoEndedAsExpected());

    std::string edited = record;
    edited.replace(edited.find("\"energy\":"), 9, "\"energy\":1");
    EXPECT_EQ(playDemo(inputs + "expect " + edited + "\n"), 2);
    EXPECT_EQ(finishDemoRun(0), demoDiffers);
    EXPECT_FALSE(demoEndedAsExpected());
    EXPECT_NE(lastDemoReport().find("\"energy\" differs"), std::string::npos) << lastDemoReport();

    EXPECT_TRUE(openDemoRun(DemoRun::None, ""));
}

// One key may do several things; a key no longer bound does nothing.
TEST_F(MessageLoop, BoundKeysStartFireAndQuitInsteadOfTheDefaults) {
    bindings.keys[int(KeyRole::Start)] = {{SDLK_s}, 1};
    bindings.keys[int(KeyRole::Fire)] = {{SDLK_s, SDLK_LCTRL}, 2};
    bindings.keys[int(KeyRole::Quit)] = {{SDLK_q}, 1};
    for (SDL_Keycode unbound : {SDLK_RETURN, SDLK_SPACE, SDLK_ESCAPE})
        handleEvent(keyDown(unbound));
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    EXPECT_EQ(gameState.shotTimer, 0);
    handleEvent(keyDown(SDLK_s));
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_EQ(gameState.shotTimer, 10);
    startMessageLoop();
    handleEvent(keyDown(SDLK_q));
    EXPECT_FALSE(runMessageLoopPass());
}

TEST_F(MessageLoop, ClosingTheWindowEndsTheLoop) {
    push(closeRequest());
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(recordedOpCount, 0);
}

TEST_F(MessageLoop, ThePadsQuitButtonsEndTheLoopBeforeAnyFrame) {
    startHeadlessInput(true);
    scriptedQuitHeld = true;
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(recordedOpCount, 0);
    scriptedQuitHeld = false;
}

TEST_F(MessageLoop, SdlQuitEndsTheLoop) {
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    push(quit);
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(recordedOpCount, 0);
}

TEST_F(MessageLoop, EitherEnterStartsAGameFromTheTitleOnly) {
    handleEvent(keyDown(SDLK_KP_ENTER));
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_EQ(gameState.scrollX, 200);

    // During play Enter changes nothing: no new game puts the view back.
    gameState.scrollX = 1000;
    handleEvent(keyDown(SDLK_RETURN));
    handleEvent(keyDown(SDLK_KP_ENTER, true));
    EXPECT_EQ(gameState.scrollX, 1000);
    EXPECT_EQ(gameState.screenMode, ModePlay);

    gameState.screenMode = ModeTitle;
    gameState.gameOver = 1;
    handleEvent(keyDown(SDLK_RETURN));
    EXPECT_EQ(gameState.screenMode, ModePlay);
    EXPECT_EQ(gameState.scrollX, 200);
    EXPECT_EQ(gameState.gameOver, 0);
}

TEST_F(MessageLoop, SpaceFiresInPlayOnEveryKeyDownIncludingRepeats) {
    handleEvent(keyDown(SDLK_SPACE));
    EXPECT_EQ(gameState.shotTimer, 0); // title screen

    gameState.screenMode = ModePlay;
    handleEvent(keyDown(SDLK_SPACE));
    EXPECT_EQ(gameState.shotTimer, 10);
    gameState.shotTimer = 3;
    handleEvent(keyDown(SDLK_SPACE, true));
    EXPECT_EQ(gameState.shotTimer, 10);
}

TEST_F(MessageLoop, OtherKeysAndKeyUpsDoNothing) {
    gameState.screenMode = ModeTitle;
    handleEvent(keyDown(SDLK_a));
    handleEvent(keyDown(SDLK_RIGHT));
    SDL_Event up = keyDown(SDLK_RETURN);
    up.type = SDL_KEYUP;
    up.key.state = SDL_RELEASED;
    handleEvent(up);
    EXPECT_EQ(gameState.screenMode, ModeTitle);
    EXPECT_EQ(gameState.scrollX, 200);
}

int beforeFrameCalls = 0;
int opsSeenBeforeFrame[4];

// Widens the view before the second frame and asks to quit then: that frame is still run.
void widenThenQuit() {
    opsSeenBeforeFrame[beforeFrameCalls++] = recordedOpCount;
    if (beforeFrameCalls == 2) {
        displayMode.Width = 2000;
        postQuit();
    }
}

// Takes Enter only with Alt held, as the program's Alt+Enter does.
bool takeAltEnter(const SDL_KeyboardEvent& key) {
    return key.keysym.sym == SDLK_RETURN && (key.keysym.mod & KMOD_ALT) != 0;
}

TEST_F(MessageLoop, HooksSeeKeysFirstAndRunBetweenFrames) {
    loopHooks.programKey = takeAltEnter;
    SDL_Event altEnter = keyDown(SDLK_RETURN);
    altEnter.key.keysym.mod = KMOD_LALT;
    handleEvent(altEnter);
    EXPECT_EQ(gameState.screenMode, ModeTitle) << "a key the program takes reached the game";
    SDL_Event space = keyDown(SDLK_SPACE);
    space.key.keysym.mod = KMOD_LALT;
    gameState.screenMode = ModePlay;
    handleEvent(space);
    EXPECT_EQ(gameState.shotTimer, 10) << "a key the program leaves must reach the game";
    gameState.screenMode = ModeTitle;
    gameState.shotTimer = 0;

    beforeFrameCalls = 0;
    loopHooks.beforeFrame = widenThenQuit;
    EXPECT_EQ(runMessageLoop(), 0);
    loopHooks = {};
    ASSERT_EQ(beforeFrameCalls, 2);
    EXPECT_EQ(opsSeenBeforeFrame[0], 0); // before any frame
    EXPECT_GT(opsSeenBeforeFrame[1], 0); // after the first one ended
    // The frame after the hook uses the new view: the title is centred in 2000 pixels.
    float lastTitleX = -1;
    for (int i = 0; i < recordedOpCount; ++i)
        if (recordedOps[i].kind == DisplayOpKind::Draw && recordedOps[i].slot == imgTitle)
            lastTitleX = recordedOps[i].translation.x;
    EXPECT_EQ(lastTitleX, 1000 - 400);
}

} // namespace

} // namespace zema
