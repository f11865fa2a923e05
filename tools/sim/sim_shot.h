// The simulator's pictures: a frame's recorded display operations drawn by the compositor, and
// the result written as a PNG.
#pragma once

#include <cstdint>
#include <string>

#include "render/frame_draws.h"

namespace zema {

// Replays recordedOps, in order, onto target: clears clear, draws draw the loaded images (an
// image that is not loaded draws nothing). Begin, end and present change nothing.
void compositeRecordedOps(BackBuffer& target);

// Composites the recorded frame into a width x height back buffer and writes it to path.
// False when the file cannot be written.
bool writeFrameShot(const std::string& path, uint32_t width, uint32_t height);

// The recorded frame's clears and draws as a list (begin, end and present left out).
void takeRecordedDraws(FrameDraws& frame);

// The picture at fraction t of the way from frame before to frame after (between_frames.h),
// written to path like writeFrameShot.
bool writeBetweenShot(const std::string& path, uint32_t width, uint32_t height,
                      const FrameDraws& before, const FrameDraws& after, double t);

} // namespace zema
