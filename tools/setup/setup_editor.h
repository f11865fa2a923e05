// What zema-setup's window edits, free of any device: the settings file's text, the row or
// button chosen, a binding waiting for its key or button, what is being typed, and the line that
// tells the player what happened. Keys, pads and the mouse all come here as the same few actions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/setting_rows.h"

namespace zema {

// The buttons below the rows, in their order.
enum class SetupButton { Save, Play, ResetAll, Quit };
constexpr int setupButtonCount = 4;
extern const char* const setupButtonNames[setupButtonCount];

// What a row waits for after it is chosen, until it comes (or the wait is given up).
enum class Waiting { Nothing, Key, PadButton, PadNumber, Typing };

// What the player does, whichever device did it.
enum class SetupAction {
    Up,
    Down,
    Left,     // a step down, or the button before
    Right,    // a step up, or the button after
    Choose,   // Enter, a pad's A, a click: a binding waits, a row steps up, a button acts
    Back,     // gives up a wait or the typing, else goes to the buttons
    ResetRow, // the row's default
    ToButtons
};

// What the window must do next.
enum class SetupOutcome { Stay, Save, Play, Quit };

struct SetupEditor {
    std::string fileName; // as the player knows it, for the messages
    std::string text;     // the file as Save writes it
    std::vector<const OptionSpec*> rows;
    RowContext context;
    int chosen = 0; // a row, or rows.size() + a button
    Waiting waiting = Waiting::Nothing;
    std::string typed;  // while typing
    std::string status; // the last thing that happened
};

// The editor over the file's text, on its first row; the file's refused lines, kept as they are,
// are told in the status.
SetupEditor openSetupEditor(const std::string& fileName, const std::string& text,
                            const RowContext& context);

const OptionSpec* chosenRow(const SetupEditor& editor);

SetupOutcome act(SetupEditor& editor, SetupAction action);

// What a wait takes: a key (SDL's code), a pad button (by SDL's game-controller name) or a pad's
// button by its number from 0; typed text (UTF-8) and its last character erased; the typing
// ended (the value taken, if the setting takes it).
void takeKey(SetupEditor& editor, int32_t key);
void takePadButton(SetupEditor& editor, const std::string& name);
void takePadNumber(SetupEditor& editor, int32_t index);
void typeText(SetupEditor& editor, const std::string& text);
void eraseTyped(SetupEditor& editor);
void endTyping(SetupEditor& editor);

} // namespace zema
