// Parsing of the simulator's script lines.
#include "demo/script_line.h"

#include <cstring>

#include "decimal.h"
#include "demo/record_compare.h"

namespace zema {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Splits off the next word; returns false when there is none.
bool nextWord(const char*& p, const char* end, const char*& word, size_t& wordLength) {
    while (p < end && isSpace(*p))
        ++p;
    if (p == end) return false;
    word = p;
    while (p < end && !isSpace(*p))
        ++p;
    wordLength = static_cast<size_t>(p - word);
    return true;
}

bool wordIs(const char* word, size_t length, const char* expected) {
    return length == std::strlen(expected) && std::memcmp(word, expected, length) == 0;
}

bool parseHeld(const char* word, size_t length, ScriptCommand& command, std::string& error) {
    for (size_t i = 0; i < length; ++i) {
        switch (word[i]) {
        case 'l':
            command.left = true;
            break;
        case 'r':
            command.right = true;
            break;
        case 'u':
            command.up = true;
            break;
        case 'd':
            command.down = true;
            break;
        case 'f':
            command.fire = true;
            break;
        case 's':
            command.start = true;
            break;
        default:
            error = std::string("unknown control '") + word[i] + "' (held controls are lrudfs)";
            return false;
        }
    }
    return true;
}

// A script's numbers have at most this many digits, leading zeros and all; a frame count ten.
constexpr size_t maxNumberDigits = 20;
constexpr size_t maxCountDigits = 10;
constexpr long maxFrameCount = 1000000000L;

} // namespace

bool parseScriptLine(const char* line, size_t length, ScriptCommand& command, std::string& error) {
    command = {};
    const char* p = line;
    const char* end = line + length;
    const char* word = nullptr;
    size_t wordLength = 0;
    if (!nextWord(p, end, word, wordLength) || word[0] == '#') return true;

    int argumentsAllowed = 0;
    if (wordIs(word, wordLength, "enter")) {
        command.kind = ScriptCommandKind::Enter;
    } else if (wordIs(word, wordLength, "space")) {
        command.kind = ScriptCommandKind::Space;
    } else if (wordIs(word, wordLength, "esc")) {
        command.kind = ScriptCommandKind::Esc;
    } else if (wordIs(word, wordLength, "frame")) {
        command.kind = ScriptCommandKind::Frames;
        command.frameCount = 1;
        argumentsAllowed = 1;
    } else if (wordIs(word, wordLength, "frames")) {
        command.kind = ScriptCommandKind::Frames;
        if (!nextWord(p, end, word, wordLength)) {
            error = "frames needs a count from 0 to 1000000000";
            return false;
        }
        if (!parseDecimal(std::string_view(word, wordLength), maxFrameCount, command.frameCount,
                          maxCountDigits)) {
            error = "frames needs a count from 0 to 1000000000";
            return false;
        }
        argumentsAllowed = 1;
    } else if (wordIs(word, wordLength, "device")) {
        command.kind = ScriptCommandKind::Device;
        if (!nextWord(p, end, word, wordLength) ||
            !(wordIs(word, wordLength, "keyboard") || wordIs(word, wordLength, "joystick"))) {
            error = "device needs keyboard or joystick";
            return false;
        }
        command.joystick = wordIs(word, wordLength, "joystick");
    } else if (wordIs(word, wordLength, "seed")) {
        command.kind = ScriptCommandKind::Seed;
        if (!nextWord(p, end, word, wordLength) ||
            !parseDecimal(std::string_view(word, wordLength), 4294967295u, command.seed,
                          maxNumberDigits)) {
            error = "seed needs a whole number from 0 to 4294967295";
            return false;
        }
    } else if (wordIs(word, wordLength, "mode")) {
        command.kind = ScriptCommandKind::Mode;
        if (!nextWord(p, end, word, wordLength) ||
            !parseSize(std::string_view(word, wordLength), largestSide, command.width,
                       command.height, maxNumberDigits)) {
            error = "mode needs WxH, each from 1 to 16384, such as 1024x768";
            return false;
        }
    } else if (wordIs(word, wordLength, "expect")) {
        // The record is the rest of the line, spaces inside it included.
        command.kind = ScriptCommandKind::Expect;
        const char* last = end;
        while (p < last && isSpace(*p))
            ++p;
        while (last > p && isSpace(last[-1]))
            --last;
        command.record.assign(p, static_cast<size_t>(last - p));
        if (!isFrameRecord(command.record)) {
            error = "expect needs a frame record, a JSON object such as {\"frame\":1,...}";
            return false;
        }
        return true;
    } else {
        error = "unknown command '" + std::string(word, wordLength) + "'";
        return false;
    }
    if (argumentsAllowed == 1 && nextWord(p, end, word, wordLength) &&
        !parseHeld(word, wordLength, command, error))
        return false;
    if (nextWord(p, end, word, wordLength)) {
        error = "unexpected '" + std::string(word, wordLength) + "' at the end of the line";
        return false;
    }
    return true;
}

namespace {

// Checks the command against what came before it and counts its frames; false with the reason
// when it may not stand there.
bool placeScriptCommand(ScriptPlacement& placement, const ScriptCommand& command,
                        std::string& error) {
    if (command.kind == ScriptCommandKind::None) return true;
    if (placement.expectSeen) {
        error = "nothing may follow expect, the last line";
        return false;
    }
    switch (command.kind) {
    case ScriptCommandKind::Device:
    case ScriptCommandKind::Seed:
        if (placement.framesRun > 0) {
            error = std::string(command.kind == ScriptCommandKind::Device ? "device" : "seed") +
                    " must come before the first frame";
            return false;
        }
        break;
    case ScriptCommandKind::Expect:
        if (placement.framesRun == 0) {
            error = "expect needs a frame before it";
            return false;
        }
        placement.expectSeen = true;
        break;
    case ScriptCommandKind::Frames:
        placement.framesRun += command.frameCount;
        break;
    default:
        break;
    }
    return true;
}

} // namespace

ScriptLineUse readScriptLine(ScriptPlacement& placement, const char* line, size_t length,
                             ScriptCommand& command, std::string& error) {
    error.clear();
    const bool tooLong = length > maxScriptLineLength;
    const bool parsed = !tooLong && parseScriptLine(line, length, command, error);
    if (placement.escSeen) {
        if (parsed && command.kind == ScriptCommandKind::None) return ScriptLineUse::Run;
        if (!parsed || command.kind != ScriptCommandKind::Expect) return ScriptLineUse::End;
    }
    if (tooLong)
        error = "line longer than " + std::to_string(maxScriptLineLength) + " characters";
    else if (parsed)
        placeScriptCommand(placement, command, error);
    if (!error.empty()) return ScriptLineUse::Fault;
    if (command.kind == ScriptCommandKind::Esc) placement.escSeen = true;
    return ScriptLineUse::Run;
}

} // namespace zema
