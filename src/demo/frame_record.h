// One JSON object per frame: the state after the frame, the sounds it requested and,
// optionally, its display operations. The format is a contract for bots and tests.
#pragma once

#include <cstddef>

namespace zema {

// Appends the frame's line, newline included, to out; returns the number of characters
// written. out must hold maxFrameLineLength characters.
constexpr size_t maxFrameLineLength = 64 * 1024;
size_t formatFrameLine(char* out, long frameNumber, bool withDraws);

} // namespace zema
