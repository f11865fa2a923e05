// One JSON object per frame: the state after the frame, the sounds it requested and,
// optionally, its display operations. The format is a contract for bots and tests; a demo's
// expected record is the same object without draws.
#pragma once

#include <cstddef>

#include "display/display_headless.h"
#include "sound/sound.h"

namespace zema {

// Appends the frame's line, newline included, to out; returns the number of characters
// written. out must hold maxFrameLineLength characters. sounds are the slots the frame
// requested, in order; ops, when not null, are its display operations, reported as "draws".
constexpr size_t maxFrameLineLength = 64 * 1024;
size_t formatFrameLine(char* out, long frameNumber, const SoundSlot* sounds, int soundCount,
                       const DisplayOp* ops, int opCount);

} // namespace zema
