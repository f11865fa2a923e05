// The simulator's script: one command a line, run against the real rules and frame. A recorded
// demo is such a script, with its device, seed, view sizes and the last frame's record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zema {

enum class ScriptCommandKind { None, Enter, Space, Esc, Frames, Device, Seed, Mode, Expect };

struct ScriptCommand {
    ScriptCommandKind kind;
    long frameCount; // for Frames: how many frames, each with the same controls held
    bool left, right, up, down, fire, start;
    bool joystick;          // for Device
    unsigned seed;          // for Seed
    uint32_t width, height; // for Mode
    std::string record;     // for Expect: the frame record, a JSON object
};

// Parses one line (without its newline). Blank lines and comments give kind None. On a bad
// line returns false and says why in error.
bool parseScriptLine(const char* line, size_t length, ScriptCommand& command, std::string& error);

// The longest script line, its newline aside, that zema-sim and the demo player take.
constexpr size_t maxScriptLineLength = 4096;

// Where each command may stand: the device and the seed before the first frame, the expected
// record last, after at least one frame; after esc, which ends the run, nothing but that record.
struct ScriptPlacement {
    long framesRun = 0;
    bool expectSeen = false;
    bool escSeen = false;
};

enum class ScriptLineUse {
    Run,   // the command is carried out (kind None for a blank line or a comment)
    End,   // after esc, a line that is not the expected record: the script ends before it
    Fault, // the line is too long, bad or out of its place; error says why
};

// Reads the script's next line (without its newline) as zema-sim and the demo player do: parses
// it, checks it against what came before it and counts its frames.
ScriptLineUse readScriptLine(ScriptPlacement& placement, const char* line, size_t length,
                             ScriptCommand& command, std::string& error);

} // namespace zema
