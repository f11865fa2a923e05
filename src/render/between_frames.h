// Pictures between two frames: the game moves in whole steps ten times a second, and a screen
// that shows more pictures than that shows each thing on its way from where one frame drew it to
// where the next one draws it. Things are told apart by their pictures and matched in draw order.
#pragma once

#include "render/frame_draws.h"

namespace zema {

// How far a frame can carry a thing; a thing that moved further jumped (a new game, a diagonal
// mover back at its restart point) and is shown at its new place at once.
constexpr int32_t maxViewStep = 50;  // the craft's step: the view scrolls by it
constexpr int32_t maxThingStep = 20; // in the world: the guardian's speed, the fastest enemy's
constexpr int32_t maxWobble = 10;    // the craft's jitter on screen, -5 to 4

// The picture at fraction t (0 to 1, clamped) of the way from frame before to frame after:
// after's operations in after's order, with each thing that both frames draw placed at
// a + round((b - a) t) between its place a in before and b in after: the view (the map's source
// rectangle) and everything drawn with it (gates, enemies, the guardian, item rows, which keep
// their place in the world while the view moves), and the craft's wobble. Everything else
// (title and game-over pictures, the beam, the energy bar), and every thing that has no match in
// before or jumped, is drawn as after draws it. At t = 1 the list is after's own.
void drawsBetween(const FrameDraws& before, const FrameDraws& after, double t, FrameDraws& between);

} // namespace zema
