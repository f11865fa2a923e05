// Boxes and blocking tests.
#include "game/collision.h"

namespace zema {

WorldRect craftHitBox() {
    const int32_t x = gameState.scrollX + gameState.craftX;
    const int32_t y = gameState.scrollY + gameState.craftY;
    return {x + 20, y + 20, x + 180, y + 128};
}

WorldRect craftSpriteBox() {
    const int32_t x = gameState.scrollX + gameState.craftX;
    const int32_t y = gameState.scrollY + gameState.craftY;
    return {x, y, x + 200, y + 148};
}

WorldRect enemyBox(int i) {
    const int32_t size = i == guardianIndex ? 800 : 200;
    return {enemies[i].x, enemies[i].y, enemies[i].x + size, enemies[i].y + size};
}

WorldRect itemRowBox(int i) {
    const ItemRow& row = itemRows[i];
    return {row.x, row.y, row.x + 100 * row.count, row.y + 100};
}

WorldRect beamBox() {
    const int32_t x = gameState.scrollX + gameState.craftX;
    const int32_t y = gameState.scrollY + gameState.craftY;
    if (gameState.facingLeft) return {x - 310, y + 60, x - 10, y + 90};
    return {x + 210, y + 60, x + 510, y + 90};
}

static bool hitsAnyWall(WorldRect box) {
    for (const WorldRect& wall : wallRects)
        if (rectsOverlap(box, wall)) return true;
    return false;
}

bool craftHitsWall() {
    return hitsAnyWall(craftHitBox());
}

bool craftHitsGate() {
    const WorldRect box = craftHitBox();
    for (const Gate& gate : gates)
        if (gate.open == 0 && rectsOverlap(box, {gate.left, gate.top, gate.right, gate.bottom}))
            return true;
    return false;
}

bool enemyHitsWall(int i) {
    return hitsAnyWall(enemyBox(i));
}

} // namespace zema
