// zema-setup's editing: every change goes through the settings editors' rows into the text.
#include "setup_editor.h"

#include <algorithm>

#include "app/settings_edit.h"

namespace zema {

const char* const setupButtonNames[setupButtonCount] = {"Save", "Play", "Reset all", "Quit"};

namespace {

bool onButtons(const SetupEditor& editor) {
    return editor.chosen >= int(editor.rows.size());
}

// The row's value made value, unless the setting refuses it or the displays do not fit it: then
// the status says why.
void setChosen(SetupEditor& editor, const std::string& value) {
    const OptionSpec& spec = *chosenRow(editor);
    editor.waiting = Waiting::Nothing;
    const std::string fault = rowValueFault(editor.text, spec, value, editor.context);
    if (!fault.empty()) {
        editor.status = std::string(spec.name) + ": " + fault;
        return;
    }
    editor.text = withRowValue(editor.text, spec, value);
    editor.status = std::string(spec.name) + " = " +
                    shownRowValue(spec, settingsInForce(editor.text)) + " (not saved yet)";
}

void step(SetupEditor& editor, int direction) {
    const OptionSpec& spec = *chosenRow(editor);
    std::string value;
    if (steppedRowValue(editor.text, spec, direction, editor.context, value))
        setChosen(editor, value);
    else
        editor.status =
            std::string(spec.name) + ": no other value to step to" +
            (rowKind(spec) == RowKind::Keys || rowKind(spec) == RowKind::Text ? "; Enter changes it"
                                                                              : "");
}

void wait(SetupEditor& editor, Waiting waiting, const char* what) {
    editor.waiting = waiting;
    editor.status = std::string("Press ") + what + " for " + chosenRow(editor)->name +
                    (waiting == Waiting::Key ? "" : " (Esc: leave it as it is)");
}

SetupOutcome choose(SetupEditor& editor) {
    if (onButtons(editor)) {
        switch (SetupButton(editor.chosen - int(editor.rows.size()))) {
        case SetupButton::Save:
            return SetupOutcome::Save;
        case SetupButton::Play:
            return SetupOutcome::Play;
        case SetupButton::ResetAll:
            editor.text = withDefaults(editor.text);
            editor.status = "Every setting back to its default (not saved yet)";
            return SetupOutcome::Stay;
        case SetupButton::Quit:
            return SetupOutcome::Quit;
        }
    }
    const OptionSpec& spec = *chosenRow(editor);
    switch (rowKind(spec)) {
    case RowKind::Keys:
        wait(editor, Waiting::Key, "the key");
        break;
    case RowKind::PadButton:
        wait(editor, Waiting::PadButton, "the pad's button");
        break;
    case RowKind::Text:
        editor.waiting = Waiting::Typing;
        editor.typed = rowValue(spec, settingsInForce(editor.text));
        editor.status = std::string("Type ") + spec.name + ", then Enter (Esc: leave it)";
        break;
    default:
        if (takesPadButtonNumber(spec))
            wait(editor, Waiting::PadNumber, "the pad's button");
        else
            step(editor, 1);
    }
    return SetupOutcome::Stay;
}

} // namespace

SetupEditor openSetupEditor(const std::string& fileName, const std::string& text,
                            const RowContext& context) {
    SetupEditor editor;
    editor.fileName = fileName;
    editor.text = text;
    editor.rows = settingRows();
    editor.context = context;
    std::vector<std::string> faults;
    readSettingsLeniently(text, fileName, faults);
    if (!faults.empty())
        editor.status =
            faults[0] + " (kept as it is" +
            (faults.size() > 1 ? "; " + std::to_string(faults.size() - 1) + " more such lines)"
                               : ")");
    return editor;
}

const OptionSpec* chosenRow(const SetupEditor& editor) {
    return onButtons(editor) ? nullptr : editor.rows[size_t(editor.chosen)];
}

SetupOutcome act(SetupEditor& editor, SetupAction action) {
    const int rows = int(editor.rows.size());
    if (editor.waiting != Waiting::Nothing) {
        // Only giving up reaches a wait; what it waits for comes through the take functions.
        if (action == SetupAction::Back) {
            editor.waiting = Waiting::Nothing;
            editor.status = std::string(chosenRow(editor)->name) + " left as it was";
        }
        return SetupOutcome::Stay;
    }
    switch (action) {
    case SetupAction::Up:
        editor.chosen = onButtons(editor) ? rows - 1 : std::max(0, editor.chosen - 1);
        break;
    case SetupAction::Down:
        if (!onButtons(editor)) ++editor.chosen;
        break;
    case SetupAction::Left:
    case SetupAction::Right: {
        const int direction = action == SetupAction::Right ? 1 : -1;
        if (onButtons(editor))
            editor.chosen =
                std::clamp(editor.chosen + direction, rows, rows + setupButtonCount - 1);
        else
            step(editor, direction);
        break;
    }
    case SetupAction::Choose:
        return choose(editor);
    case SetupAction::Back:
    case SetupAction::ToButtons:
        editor.chosen = rows;
        break;
    case SetupAction::ResetRow:
        if (!onButtons(editor)) setChosen(editor, "");
        break;
    }
    return SetupOutcome::Stay;
}

void takeKey(SetupEditor& editor, int32_t key) {
    if (editor.waiting != Waiting::Key) return;
    const std::string name = keyName(key);
    if (name.empty()) {
        editor.status = "That key has no name to bind it by";
        editor.waiting = Waiting::Nothing;
        return;
    }
    setChosen(editor, name);
}

void takePadButton(SetupEditor& editor, const std::string& name) {
    if (editor.waiting == Waiting::PadButton && !name.empty()) setChosen(editor, name);
}

void takePadNumber(SetupEditor& editor, int32_t index) {
    if (editor.waiting == Waiting::PadNumber) setChosen(editor, std::to_string(index + 1));
}

void typeText(SetupEditor& editor, const std::string& text) {
    if (editor.waiting == Waiting::Typing) editor.typed += text;
}

void eraseTyped(SetupEditor& editor) {
    if (editor.waiting != Waiting::Typing) return;
    // A whole UTF-8 character: its continuation bytes, then its first.
    while (!editor.typed.empty() && (editor.typed.back() & 0xC0) == 0x80)
        editor.typed.pop_back();
    if (!editor.typed.empty()) editor.typed.pop_back();
}

void endTyping(SetupEditor& editor) {
    if (editor.waiting == Waiting::Typing) setChosen(editor, editor.typed);
}

} // namespace zema
