// The 1920 x 1080 play frame the renderer's benchmarks draw: its display operations, recorded
// from the real frame step, and the compositing of them as the SDL display does it.
#pragma once

#include <vector>

#include "display/display_headless.h"
#include "render/compositor.h"

namespace zema {

inline constexpr int32_t playFrameWidth = 1920, playFrameHeight = 1080;

// The draws of the first play frame of a game with the beam on: every gate closed, every
// enemy alive, every item row there, 129 draws in all. Either from the start place or with
// the view moved onto the guardian, the largest picture, near the bottom edge of the world.
std::vector<DisplayOp> playFrameOps(bool atGuardian);

// As the SDL display draws it: a clear is kept until the next draw, so the map, which covers the
// whole picture, clears and draws in one pass.
void compositeFrame(BackBuffer& target, const std::vector<DisplayOp>& ops);

} // namespace zema
