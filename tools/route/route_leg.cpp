// A layered search over views and frames: each frame the craft may hold one horizontal and one
// vertical key, and every frame spent touching a living enemy costs what the rules charge.
#include "route/route_leg.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "game/collision.h"
#include "game/enemies.h"

namespace zema {

namespace {

// The view after one frame's keys, taken back axis by axis as the rules take steps back.
int applyStep(int cell, Step step, const std::vector<uint8_t>& free) {
    int32_t x = cellScrollX(cell), y = cellScrollY(cell);
    if (step.dx != 0) {
        const int32_t nx = x + 50 * step.dx;
        if (nx >= 0 && nx < worldSize && free[cellOf(nx, y)]) x = nx;
    }
    if (step.dy != 0) {
        const int32_t ny = y + 50 * step.dy;
        if (ny >= 0 && ny < worldSize && free[cellOf(x, ny)]) y = ny;
    }
    return cellOf(x, y);
}

const Step allSteps[9] = {{0, 0},   {-1, 0}, {1, 0},  {0, -1}, {0, 1},
                          {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

std::vector<uint8_t> freeCells() {
    std::vector<uint8_t> free(cellCount);
    for (int c = 0; c < cellCount; ++c)
        free[c] = cellFree(c) ? 1 : 0;
    return free;
}

} // namespace

bool cellFree(int cell) {
    const GameState saved = gameState;
    gameState.scrollX = cellScrollX(cell);
    gameState.scrollY = cellScrollY(cell);
    const bool free = !craftHitsWall() && !craftHitsGate();
    gameState = saved;
    return free;
}

int staticDistance(const CellGoal& goal) {
    const std::vector<uint8_t> free = freeCells();
    std::vector<int> distance(cellCount, -1);
    std::vector<int> queue;
    const int start = cellOf(gameState.scrollX, gameState.scrollY);
    distance[start] = 0;
    queue.push_back(start);
    for (size_t head = 0; head < queue.size(); ++head) {
        const int c = queue[head];
        if (goal(c)) return distance[c];
        for (const Step& s : allSteps) {
            const int n = applyStep(c, s, free);
            if (distance[n] < 0) {
                distance[n] = distance[c] + 1;
                queue.push_back(n);
            }
        }
    }
    return -1;
}

Leg planLeg(const CellGoal& goal, int maxFrames, int damageWeight) {
    const std::vector<uint8_t> free = freeCells();

    // The living enemies' boxes at the start of each frame of the leg.
    const GameState savedState = gameState;
    Enemy savedEnemies[enemyCount];
    std::memcpy(savedEnemies, enemies, sizeof enemies);
    std::vector<std::vector<WorldRect>> boxes(maxFrames + 1);
    for (int t = 0; t <= maxFrames; ++t) {
        for (int i = 0; i < enemyCount; ++i)
            if (enemies[i].hp > 0) boxes[t].push_back(enemyBox(i));
        moveEnemies();
    }
    std::memcpy(enemies, savedEnemies, sizeof enemies);
    gameState = savedState;

    auto damageAt = [&](int cell, int t) {
        const WorldRect hit = {cellScrollX(cell) + 320, cellScrollY(cell) + 270,
                               cellScrollX(cell) + 480, cellScrollY(cell) + 378};
        int damage = 0;
        for (const WorldRect& box : boxes[t])
            if (rectsOverlap(hit, box)) damage += 5;
        return damage;
    };

    constexpr int unreached = std::numeric_limits<int>::max();
    std::vector<int> cost(cellCount, unreached), next(cellCount);
    std::vector<int8_t> choice(static_cast<size_t>(maxFrames + 1) * cellCount, -1);
    std::vector<int> from(static_cast<size_t>(maxFrames + 1) * cellCount, -1);
    std::vector<int> active, nextActive;
    const int start = cellOf(savedState.scrollX, savedState.scrollY);
    cost[start] = damageAt(start, 0);
    active.push_back(start);

    Leg best;
    long bestScore = std::numeric_limits<long>::max();
    int bestCell = -1, bestFrame = -1;
    for (int t = 0; t <= maxFrames; ++t) {
        for (int c : active) {
            if (!goal(c)) continue;
            const long score = static_cast<long>(cost[c]) * damageWeight + t;
            if (score < bestScore) {
                bestScore = score;
                bestCell = c;
                bestFrame = t;
            }
        }
        if (t == maxFrames || t >= bestScore) break; // no later arrival can score better
        std::fill(next.begin(), next.end(), unreached);
        nextActive.clear();
        for (int c : active) {
            for (int k = 0; k < 9; ++k) {
                const int n = applyStep(c, allSteps[k], free);
                if (next[n] == unreached) nextActive.push_back(n);
                const int total = cost[c] + damageAt(n, t + 1);
                if (total < next[n]) {
                    next[n] = total;
                    choice[static_cast<size_t>(t + 1) * cellCount + n] = static_cast<int8_t>(k);
                    from[static_cast<size_t>(t + 1) * cellCount + n] = c;
                }
            }
        }
        for (int c : active)
            cost[c] = unreached;
        for (int n : nextActive)
            cost[n] = next[n];
        active.swap(nextActive);
    }
    if (bestCell < 0) return best;

    best.found = true;
    best.steps.resize(bestFrame);
    best.damageByFrame.resize(bestFrame);
    int c = bestCell;
    for (int t = bestFrame; t > 0; --t) {
        const size_t at = static_cast<size_t>(t) * cellCount + c;
        best.steps[t - 1] = allSteps[choice[at]];
        c = from[at];
        best.damageByFrame[t - 1] = damageAt(c, t - 1);
    }
    return best;
}

} // namespace zema
