// The simulator's script: one command a line, run against the real rules and frame.
#pragma once

#include <string>

namespace zema {

enum class ScriptCommandKind { None, Enter, Space, Esc, Frames };

struct ScriptCommand {
    ScriptCommandKind kind;
    long frameCount; // for Frames: how many frames, each with the same controls held
    bool left, right, up, down, fire, start;
};

// Parses one line (without its newline). Blank lines and comments give kind None. On a bad
// line returns false and says why in error.
bool parseScriptLine(const char* line, size_t length, ScriptCommand& command, std::string& error);

} // namespace zema
