// The enemy patterns: bouncers, the chaser, the diagonal movers and the guardian.
#include "game/enemies.h"

#include "game/collision.h"
#include "game/world.h"

namespace zema {

namespace {

// The turn is decided before the move, so a bouncer is drawn once overlapping the wall.
void bounceVertically(int i) {
    if (enemyHitsWall(i)) enemies[i].vy = -enemies[i].vy;
    enemies[i].y += enemies[i].vy;
}

void bounceHorizontally(int i) {
    if (enemyHitsWall(i)) enemies[i].vx = -enemies[i].vx;
    enemies[i].x += enemies[i].vx;
}

// Homes in on the craft sprite's world place through walls and gates. An equal coordinate
// keeps the old velocity, so it swings about the target instead of stopping on it.
void chase(int i) {
    Enemy& e = enemies[i];
    const int32_t tx = gameState.scrollX + gameState.craftX;
    const int32_t ty = gameState.scrollY + gameState.craftY;
    if (e.x > tx) e.vx = -5;
    if (e.x < tx) e.vx = 5;
    if (e.y > ty) e.vy = -5;
    if (e.y < ty) e.vy = 5;
    e.x += e.vx;
    e.y += e.vy;
}

// Touching a wall holds its height for the frame, so it slides right along the wall.
void moveDownRight(int i, int32_t limit, int32_t restartX, int32_t restartY) {
    Enemy& e = enemies[i];
    if (enemyHitsWall(i)) e.y -= 10;
    if (e.x > limit) {
        e.x = restartX;
        e.y = restartY;
    }
    e.x += 10;
    e.y += 10;
}

void moveUpLeft(int i) {
    Enemy& e = enemies[i];
    if (enemyHitsWall(i)) e.y += 10;
    if (e.x < 410) {
        e.x = 4034;
        e.y = 2936;
    }
    e.x -= 10;
    e.y -= 10;
}

// Each rule looks at the wall again from the unmoved place and sees the velocity the rules
// before it left, so they chain: a horizontal run into a wall comes straight back.
void moveGuardian() {
    Enemy& e = enemies[guardianIndex];
    if (e.vx == 20 && enemyHitsWall(guardianIndex)) {
        e.vx = 0;
        e.vy = 20;
    }
    if (e.vx == -20 && enemyHitsWall(guardianIndex)) {
        e.vx = 0;
        e.vy = -20;
    }
    if (e.vy == 20 && enemyHitsWall(guardianIndex)) {
        e.vy = 0;
        e.vx = -20;
    }
    if (e.vy == -20 && enemyHitsWall(guardianIndex)) {
        e.vy = 0;
        e.vx = 20;
    }
    e.x += e.vx;
    e.y += e.vy;
}

} // namespace

void moveEnemies() {
    for (int i = 0; i < enemyCount; ++i) {
        switch (i) {
        case 0:
        case 4:
        case 11:
        case 12:
        case 16:
        case 17:
        case 22:
        case 23:
            bounceHorizontally(i);
            break;
        case 1:
        case 2:
        case 3:
        case 5:
        case 6:
        case 7:
        case 9:
        case 10:
        case 14:
        case 15:
            bounceVertically(i);
            break;
        case chaserIndex:
            chase(i);
            break;
        case 13:
            moveDownRight(i, 3700, 410, 2333);
            break;
        case 18:
        case 19:
            moveUpLeft(i);
            break;
        case 20:
        case 21:
            moveDownRight(i, 4700, 1437, 3080);
            break;
        case guardianIndex:
            moveGuardian();
            break;
        }
    }
}

} // namespace zema
