// The settings as rows of a settings editor (zema-setup, the page's panel): every setting of the
// option table in its order, how its value is changed, what it shows, and the value a step gives.
// All of it is read from the table, so that a new setting is a new row with no editor's code.
// A change rewrites only that setting's lines of the player's file (settings_edit.h), and what a
// row shows is the file read back by the game's own reader.
#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/option_table.h"

namespace zema {

// How a row's value changes, from the kind of value its option takes (its valueName):
enum class RowKind {
    Toggle,    // yes or no
    Choice,    // one of the option's choices, the first being its default
    Count,     // a number, a step up or down
    Volume,    // 0 to 100, by steps of ten
    Size,      // WxH: the display's modes
    Rate,      // no, yes or a rate
    Keys,      // the next key pressed
    PadButton, // the next pad button pressed; a pad SDL knows names it
    Text       // typed
};

RowKind rowKind(const OptionSpec& spec);

// A Count row of a pad ("pad." setting) takes the next button pressed too, counted from 1.
bool takesPadButtonNumber(const OptionSpec& spec);

// Every setting of the table, in its order.
std::vector<const OptionSpec*> settingRows();

// What the machine offers the rows: the displays' sizes (a step that a display does not fit is
// no step) and the sizes of the display's modes, largest first.
struct RowContext {
    std::vector<DisplaySize> displays;
    std::vector<std::string> modes;
};

// The setting's value in force as the file writes it, or "" for its default when the file writes
// none (no view, say).
std::string rowValue(const OptionSpec& spec, const CommandLine& inForce);

// rowValue as the row shows it: "" is the first choice, or "none".
std::string shownRowValue(const OptionSpec& spec, const CommandLine& inForce);

// The settings the text gives, as an editor shows them: its refused lines left out.
CommandLine settingsInForce(const std::string& text);

// Why the setting cannot be made value ("" being its default) in the text: the setting refuses
// it, or the displays do not fit it; "" when it can.
std::string rowValueFault(const std::string& text, const OptionSpec& spec, const std::string& value,
                          const RowContext& context);

// The value a step up (direction 1) or down (-1) gives, "" being the default: the next that the
// setting takes, the displays fit and that changes the value in force, lists wrapping round,
// numbers stopping at their ends. False when there is none (keys and text are not stepped).
bool steppedRowValue(const std::string& text, const OptionSpec& spec, int direction,
                     const RowContext& context, std::string& value);

// The text with the row's value made value: the text unchanged when that is the value in force
// already; for "", the default, every line of the setting made a comment, a refused one too.
std::string withRowValue(const std::string& text, const OptionSpec& spec, const std::string& value);

} // namespace zema
