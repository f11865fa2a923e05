// One leg of a route: the cheapest way, in contact damage first and frames second, from the
// craft's current view to any view that satisfies a goal, with the enemies moving as the rules
// move them. The view grid is the 50-pixel grid the craft's steps keep it on.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "game/world.h"

namespace zema {

constexpr int gridSize = worldSize / 50; // views 0, 50, ... 4950 on each axis
constexpr int cellCount = gridSize * gridSize;

inline int cellOf(int32_t scrollX, int32_t scrollY) {
    return (scrollY / 50) * gridSize + scrollX / 50;
}
inline int32_t cellScrollX(int cell) {
    return (cell % gridSize) * 50;
}
inline int32_t cellScrollY(int cell) {
    return (cell / gridSize) * 50;
}

// One frame's held keys: -1, 0 or 1 on each axis (left/up negative).
struct Step {
    int8_t dx, dy;
};

struct Leg {
    bool found = false;
    std::vector<Step> steps; // one per frame, the last one reaching the goal
    // Contact damage expected in each frame whose keys are steps[t]: the damage is dealt at
    // the place the frame begins at, before its keys move the craft.
    std::vector<int> damageByFrame;
};

using CellGoal = std::function<bool(int cell)>;

// Plans from the current records without changing them. The enemies' hit points are taken as
// they stand: no shot is fired on the way. maxFrames bounds the search.
Leg planLeg(const CellGoal& goal, int maxFrames, int damageWeight);

// Frames of the shortest way ignoring enemies, or -1 when no view satisfying goal can be
// reached with the gates as they stand.
int staticDistance(const CellGoal& goal);

// Whether the craft may stand at this view with the walls and gates as they stand.
bool cellFree(int cell);

} // namespace zema
