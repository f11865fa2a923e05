// zema-setup's events, device by device.
#include "setup_events.h"

#include <algorithm>

namespace zema {

namespace {

// A stick pushed this far counts as the D-pad held.
constexpr int stickPushed = 16000;

SetupAction directionAction(int dx, int dy) {
    return dx < 0   ? SetupAction::Left
           : dx > 0 ? SetupAction::Right
           : dy < 0 ? SetupAction::Up
                    : SetupAction::Down;
}

bool isController(SDL_JoystickID id) {
    return SDL_GameControllerFromInstanceID(id) != nullptr;
}

// A stick's axis crossing into a push acts once, until it comes back.
SetupOutcome stickMoved(SetupSession& w, bool across, int value) {
    const int now = value < -stickPushed ? -1 : value > stickPushed ? 1 : 0;
    int& was = across ? w.stickX : w.stickY;
    if (now == was) return SetupOutcome::Stay;
    was = now;
    if (now == 0) return SetupOutcome::Stay;
    return act(w.editor, directionAction(across ? now : 0, across ? 0 : now));
}

SetupOutcome keyPressed(SetupSession& w, const SDL_KeyboardEvent& key) {
    SetupEditor& e = w.editor;
    const SDL_Keycode code = key.keysym.sym;
    if (e.waiting == Waiting::Key) {
        if (key.repeat == 0) takeKey(e, code);
        return SetupOutcome::Stay;
    }
    if (e.waiting == Waiting::Typing) {
        if (code == SDLK_BACKSPACE) eraseTyped(e);
        if (code == SDLK_RETURN || code == SDLK_KP_ENTER) endTyping(e);
        if (code == SDLK_ESCAPE) act(e, SetupAction::Back);
        if (e.waiting != Waiting::Typing) SDL_StopTextInput();
        return SetupOutcome::Stay;
    }
    switch (code) {
    case SDLK_UP:
    case SDLK_DOWN:
    case SDLK_LEFT:
    case SDLK_RIGHT:
        return act(e, directionAction(code == SDLK_LEFT    ? -1
                                      : code == SDLK_RIGHT ? 1
                                                           : 0,
                                      code == SDLK_UP ? -1 : 1));
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE: {
        if (key.repeat != 0) return SetupOutcome::Stay;
        const SetupOutcome outcome = act(e, SetupAction::Choose);
        if (e.waiting == Waiting::Typing) SDL_StartTextInput();
        return outcome;
    }
    case SDLK_ESCAPE:
        if (e.waiting != Waiting::Nothing) return act(e, SetupAction::Back);
        return key.repeat == 0 ? SetupOutcome::Quit : SetupOutcome::Stay;
    case SDLK_DELETE:
    case SDLK_BACKSPACE:
        return act(e, SetupAction::ResetRow);
    case SDLK_HOME:
        e.chosen = 0;
        return SetupOutcome::Stay;
    case SDLK_END:
    case SDLK_TAB:
        return act(e, SetupAction::ToButtons);
    default:
        return SetupOutcome::Stay;
    }
}

SetupOutcome padButtonPressed(SetupSession& w, const SDL_ControllerButtonEvent& button) {
    SetupEditor& e = w.editor;
    if (button.which == w.swallow) return SetupOutcome::Stay;
    if (e.waiting == Waiting::PadButton) {
        takePadButton(e, padButtonName(button.button));
        return SetupOutcome::Stay;
    }
    // The menu's own buttons, whatever the bindings: none can lock the player out.
    switch (button.button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return act(e, SetupAction::Up);
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return act(e, SetupAction::Down);
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return act(e, SetupAction::Left);
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return act(e, SetupAction::Right);
    case SDL_CONTROLLER_BUTTON_A:
        return act(e, SetupAction::Choose);
    case SDL_CONTROLLER_BUTTON_B:
        return act(e, SetupAction::Back);
    case SDL_CONTROLLER_BUTTON_X:
        return act(e, SetupAction::ResetRow);
    case SDL_CONTROLLER_BUTTON_START:
        return act(e, SetupAction::ToButtons);
    default:
        return SetupOutcome::Stay;
    }
}

// Plain joysticks (those SDL knows no mapping for) drive the menu by their first two buttons,
// their hat and their first two axes; any pad's button is its number for a wait.
SetupOutcome joystickButtonPressed(SetupSession& w, const SDL_JoyButtonEvent& button) {
    SetupEditor& e = w.editor;
    if (e.waiting == Waiting::PadNumber) {
        takePadNumber(e, button.button);
        w.swallow = button.which;
        return SetupOutcome::Stay;
    }
    if (isController(button.which)) return SetupOutcome::Stay;
    if (button.button == 0) return act(e, SetupAction::Choose);
    if (button.button == 1) return act(e, SetupAction::Back);
    return SetupOutcome::Stay;
}

SetupOutcome mousePressed(SetupSession& w, const SDL_MouseButtonEvent& click) {
    SetupEditor& e = w.editor;
    if (click.button != SDL_BUTTON_LEFT) return SetupOutcome::Stay;
    if (e.waiting != Waiting::Nothing) {
        act(e, SetupAction::Back);
        SDL_StopTextInput();
        return SetupOutcome::Stay;
    }
    const SetupSpot spot = spotAt(e, w.layout, click.x, click.y);
    const int rows = int(e.rows.size());
    switch (spot.kind) {
    case SpotKind::Row:
        if (e.chosen != spot.index) {
            e.chosen = spot.index;
            return SetupOutcome::Stay;
        }
        break;
    case SpotKind::StepDown:
        return act(e, SetupAction::Left);
    case SpotKind::StepUp:
        return act(e, SetupAction::Right);
    case SpotKind::Default:
        return act(e, SetupAction::ResetRow);
    case SpotKind::Button:
        e.chosen = rows + spot.index;
        break;
    case SpotKind::Nothing:
        return SetupOutcome::Stay;
    }
    const SetupOutcome outcome = act(e, SetupAction::Choose);
    if (e.waiting == Waiting::Typing) SDL_StartTextInput();
    return outcome;
}

} // namespace

void openPad(int index) {
    if (SDL_IsGameController(index))
        SDL_GameControllerOpen(index);
    else
        SDL_JoystickOpen(index);
}

SetupOutcome handleSetupEvent(SetupSession& w, const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        return SetupOutcome::Quit;
    case SDL_KEYDOWN:
        return keyPressed(w, event.key);
    case SDL_TEXTINPUT:
        typeText(w.editor, event.text.text);
        return SetupOutcome::Stay;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_JOYDEVICEADDED:
        openPad(event.cdevice.which);
        return SetupOutcome::Stay;
    case SDL_CONTROLLERBUTTONDOWN:
        return padButtonPressed(w, event.cbutton);
    case SDL_CONTROLLERAXISMOTION:
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ||
            event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
            return stickMoved(w, event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX, event.caxis.value);
        return SetupOutcome::Stay;
    case SDL_JOYBUTTONDOWN:
        return joystickButtonPressed(w, event.jbutton);
    case SDL_JOYAXISMOTION:
        if (isController(event.jaxis.which) || event.jaxis.axis > 1) return SetupOutcome::Stay;
        return stickMoved(w, event.jaxis.axis == 0, event.jaxis.value);
    case SDL_JOYHATMOTION: {
        if (isController(event.jhat.which) || event.jhat.value == SDL_HAT_CENTERED)
            return SetupOutcome::Stay;
        const int dx = event.jhat.value & SDL_HAT_LEFT    ? -1
                       : event.jhat.value & SDL_HAT_RIGHT ? 1
                                                          : 0;
        return act(w.editor, directionAction(dx, event.jhat.value & SDL_HAT_UP ? -1 : 1));
    }
    case SDL_MOUSEBUTTONDOWN:
        return mousePressed(w, event.button);
    case SDL_MOUSEWHEEL:
        w.firstShown = std::max(0, w.firstShown - 3 * event.wheel.y);
        if (w.editor.chosen < int(w.editor.rows.size()))
            w.editor.chosen = std::clamp(w.editor.chosen, w.firstShown,
                                         w.firstShown + std::max(w.layout.rowsShown, 1) - 1);
        return SetupOutcome::Stay;
    default:
        return SetupOutcome::Stay;
    }
}

} // namespace zema
