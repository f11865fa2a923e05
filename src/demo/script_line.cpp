// Parsing of the simulator's script lines.
#include "demo/script_line.h"

#include <cstring>

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

bool parseCount(const char* word, size_t length, long& count, std::string& error) {
    constexpr long maxCount = 1000000000L;
    long value = 0;
    if (length == 0 || length > 10) {
        error = "frames needs a count from 0 to 1000000000";
        return false;
    }
    for (size_t i = 0; i < length; ++i) {
        if (word[i] < '0' || word[i] > '9') {
            error = "frames needs a count from 0 to 1000000000";
            return false;
        }
        value = value * 10 + (word[i] - '0');
    }
    if (value > maxCount) {
        error = "frames needs a count from 0 to 1000000000";
        return false;
    }
    count = value;
    return true;
}

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
        if (!parseCount(word, wordLength, command.frameCount, error)) return false;
        argumentsAllowed = 1;
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

} // namespace zema
