// The one overlap test, the boxes the rules build from the current state, and the three
// blocking tests. Nothing here changes any state.
#pragma once

#include "game/world.h"

namespace zema {

// Edges included: boxes that share only an edge or a corner overlap.
inline bool rectsOverlap(WorldRect a, WorldRect b) {
    return a.left <= b.right && a.top <= b.bottom && a.right >= b.left && a.bottom >= b.top;
}

WorldRect craftHitBox();
WorldRect craftSpriteBox();
WorldRect enemyBox(int i); // 800 square for the guardian's row, 200 square for every other
WorldRect itemRowBox(int i);
WorldRect beamBox();

bool craftHitsWall();
bool craftHitsGate();      // closed gates only
bool enemyHitsWall(int i); // walls only: gates never block enemies

} // namespace zema
