// The simulator's pictures: a frame's recorded display operations drawn by the compositor, and
// the result written as a PNG.
#pragma once

#include <cstdint>
#include <string>

#include "render/compositor.h"

namespace zema {

// Replays recordedOps, in order, onto target: clears clear, draws draw the loaded images (an
// image that is not loaded draws nothing). Begin, end and present change nothing.
void compositeRecordedOps(BackBuffer& target);

// Composites the recorded frame into a width x height back buffer and writes it to path.
// False when the file cannot be written.
bool writeFrameShot(const std::string& path, uint32_t width, uint32_t height);

} // namespace zema
