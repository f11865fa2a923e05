// zema-setup's devices, event by event: a whole edit by a game controller alone, a plain
// joystick's hat and buttons with a button taken by its number, and typing.
#include <gtest/gtest.h>

#include <cstring>

#include "setup_events.h"

namespace zema {
namespace {

int rowOf(const char* name) {
    const std::vector<const OptionSpec*> rows = settingRows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (std::string(rows[i]->name) == name) return int(i);
    return -1;
}

SDL_Event padButton(int button, SDL_JoystickID pad = 7) {
    SDL_Event event = {};
    event.type = SDL_CONTROLLERBUTTONDOWN;
    event.cbutton.which = pad;
    event.cbutton.button = Uint8(button);
    return event;
}

SDL_Event event(Uint32 type) {
    SDL_Event made = {};
    made.type = type;
    return made;
}

TEST(SetupEvents, AGameControllerAloneBindsAButtonAndPlays) {
    SetupSession s;
    s.editor = openSetupEditor("f.conf", "volume = 40\n", {{{1024, 768}}, {}});
    for (int i = 0; i < rowOf("pad.fire"); ++i)
        handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_A));
    EXPECT_EQ(s.editor.waiting, Waiting::PadButton);
    handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_Y));
    EXPECT_EQ(s.editor.text, "volume = 40\n\n# the button that fires on pads SDL knows (default "
                             "x)\npad.fire = y\n");
    // The stick counts once for each push: one row down, however long it is held.
    SDL_Event stick = event(SDL_CONTROLLERAXISMOTION);
    stick.caxis.axis = SDL_CONTROLLER_AXIS_LEFTY;
    for (const Sint16 value : {30000, 32000, 0, -30000}) {
        stick.caxis.value = value;
        handleSetupEvent(s, stick);
    }
    EXPECT_EQ(s.editor.chosen, rowOf("pad.fire"));
    handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_DPAD_UP));
    EXPECT_EQ(s.editor.chosen, rowOf("pad.fire") - 1);
    handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_X));
    EXPECT_NE(s.editor.text.find("\n# pad.fire = y\n"), std::string::npos) << s.editor.text;
    handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_START));
    handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
    EXPECT_EQ(handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_A)), SetupOutcome::Play);
}

TEST(SetupEvents, APlainJoysticksHatAndButtonsAndTyping) {
    SetupSession s;
    s.editor = openSetupEditor("f.conf", "", {{{1024, 768}}, {}});
    s.editor.chosen = rowOf("pad.fire-button") + 1;
    SDL_Event hat = event(SDL_JOYHATMOTION);
    hat.jhat.value = SDL_HAT_UP;
    handleSetupEvent(s, hat);
    SDL_Event press = event(SDL_JOYBUTTONDOWN);
    press.jbutton.which = 7;
    handleSetupEvent(s, press); // its first button chooses: the row waits for a button
    EXPECT_EQ(s.editor.waiting, Waiting::PadNumber);
    press.jbutton.button = 5;
    handleSetupEvent(s, press);
    // The same press as a game controller's button goes by.
    handleSetupEvent(s, padButton(SDL_CONTROLLER_BUTTON_A));
    EXPECT_EQ(s.editor.waiting, Waiting::Nothing);
    EXPECT_NE(s.editor.text.find("\npad.fire-button = 6\n"), std::string::npos) << s.editor.text;

    s.editor.chosen = rowOf("pad.axes");
    SDL_Event key = event(SDL_KEYDOWN);
    key.key.keysym.sym = SDLK_RETURN;
    SDL_StopTextInput();
    handleSetupEvent(s, key); // typing: SDL's text input on
    EXPECT_TRUE(SDL_IsTextInputActive());
    key.key.keysym.sym = SDLK_BACKSPACE;
    for (int i = 0; i < 3; ++i)
        handleSetupEvent(s, key);
    SDL_Event typed = event(SDL_TEXTINPUT);
    std::strcpy(typed.text.text, "3,4");
    handleSetupEvent(s, typed);
    key.key.keysym.sym = SDLK_RETURN;
    handleSetupEvent(s, key);
    EXPECT_FALSE(SDL_IsTextInputActive());
    EXPECT_NE(s.editor.text.find("\npad.axes = 3,4\n"), std::string::npos) << s.editor.text;
    key.key.keysym.sym = SDLK_ESCAPE;
    EXPECT_EQ(handleSetupEvent(s, key), SetupOutcome::Quit);
}

TEST(SetupEvents, TheMouseAndTheKeys) {
    SetupSession s;
    s.editor = openSetupEditor("f.conf", "", {{{1024, 768}}, {}});
    s.layout = layOutSetup(s.editor, 960, 600, 0);
    const SetupLayout& l = s.layout;
    const int volume = rowOf("volume"), rows = int(s.editor.rows.size());
    const int y = l.listTop + volume * l.rowHeight + 1;
    const auto click = [&](int x, int atY) {
        SDL_Event made = event(SDL_MOUSEBUTTONDOWN);
        made.button.button = SDL_BUTTON_LEFT;
        made.button.x = x;
        made.button.y = atY;
        return handleSetupEvent(s, made);
    };
    const auto press = [&](SDL_Keycode key) {
        SDL_Event made = event(SDL_KEYDOWN);
        made.key.keysym.sym = key;
        return handleSetupEvent(s, made);
    };
    click(l.nameX, y); // chooses the row, changing nothing
    EXPECT_EQ(s.editor.chosen, volume);
    EXPECT_EQ(s.editor.text, "");
    click(l.valueX + 1, y); // its step down
    EXPECT_NE(s.editor.text.find("\nvolume = 90\n"), std::string::npos) << s.editor.text;
    click(l.nameX, y); // chosen already: a step up
    EXPECT_NE(s.editor.text.find("\nvolume = 100\n"), std::string::npos) << s.editor.text;
    click(l.resetX + 1, y);
    EXPECT_NE(s.editor.text.find("\n# volume = 100\n"), std::string::npos) << s.editor.text;
    const struct {
        SDL_Keycode key;
        int chosen;
    } moves[] = {{SDLK_DOWN, volume + 1}, {SDLK_UP, volume},      {SDLK_HOME, 0},
                 {SDLK_DOWN, 1},          {SDLK_UP, 0},           {SDLK_UP, 0},
                 {SDLK_END, rows},        {SDLK_RIGHT, rows + 1}, {SDLK_LEFT, rows},
                 {SDLK_RIGHT, rows + 1},  {SDLK_UP, rows - 1},    {SDLK_TAB, rows}};
    for (const auto& move : moves) {
        press(move.key);
        EXPECT_EQ(s.editor.chosen, move.chosen) << SDL_GetKeyName(move.key);
    }
    s.editor.chosen = 0; // window: a step down round its list, from no to yes
    press(SDLK_LEFT);
    EXPECT_NE(s.editor.text.find("\nwindow = yes\n"), std::string::npos) << s.editor.text;
    SDL_Event wheel = event(SDL_MOUSEWHEEL);
    wheel.wheel.y = -1;
    handleSetupEvent(s, wheel);
    EXPECT_EQ(s.firstShown, 3);
    EXPECT_EQ(s.editor.chosen, 3);
    // Before a first picture no row is known to show: the chosen one comes to the top.
    const int shown = s.layout.rowsShown;
    s.layout.rowsShown = 0;
    s.editor.chosen = 10;
    handleSetupEvent(s, wheel);
    EXPECT_EQ(s.editor.chosen, 6);
    s.layout.rowsShown = shown;
    EXPECT_EQ(click(l.buttonX[int(SetupButton::Quit)] + 1, l.buttonsTop + 1), SetupOutcome::Quit);
    EXPECT_EQ(handleSetupEvent(s, event(SDL_QUIT)), SetupOutcome::Quit);
}

TEST(SetupEvents, APadKnownToSDLOpensAsAControllerAnotherPlainly) {
    ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    const int known = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
    const int plain = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 1);
    openPad(known);
    openPad(plain);
    EXPECT_NE(SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(known)), nullptr);
    EXPECT_NE(SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(plain)), nullptr);
    EXPECT_EQ(SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(plain)), nullptr);
    SDL_Quit();
}

} // namespace
} // namespace zema
