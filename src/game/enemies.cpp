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

// A diagonal mover's course: once its x is past the limit, it starts its run again from the
// restart point.
struct DiagonalCourse {
    int32_t limitX, restartX, restartY;
};
constexpr DiagonalCourse upperDownRightCourse = {3700, 410, 2333};
constexpr DiagonalCourse lowerDownRightCourse = {4700, 1437, 3080};
constexpr DiagonalCourse upLeftCourse = {410, 4034, 2936};

// Touching a wall holds its height for the frame, so it slides right along the wall.
void moveDownRight(int i, const DiagonalCourse& course) {
    Enemy& e = enemies[i];
    if (enemyHitsWall(i)) e.y -= 10;
    if (e.x > course.limitX) {
        e.x = course.restartX;
        e.y = course.restartY;
    }
    e.x += 10;
    e.y += 10;
}

void moveUpLeft(int i, const DiagonalCourse& course) {
    Enemy& e = enemies[i];
    if (enemyHitsWall(i)) e.y += 10;
    if (e.x < course.limitX) {
        e.x = course.restartX;
        e.y = course.restartY;
    }
    e.x -= 10;
    e.y -= 10;
}

// Each rule looks at the wall again from the unmoved place and sees the velocity the rules
// before it left, so they chain: a horizontal run into a wall comes straight back.
void moveGuardian(int i) {
    Enemy& e = enemies[i];
    if (e.vx == 20 && enemyHitsWall(i)) {
        e.vx = 0;
        e.vy = 20;
    }
    if (e.vx == -20 && enemyHitsWall(i)) {
        e.vx = 0;
        e.vy = -20;
    }
    if (e.vy == 20 && enemyHitsWall(i)) {
        e.vy = 0;
        e.vx = -20;
    }
    if (e.vy == -20 && enemyHitsWall(i)) {
        e.vy = 0;
        e.vx = 20;
    }
    e.x += e.vx;
    e.y += e.vy;
}

} // namespace

void moveEnemies() {
    for (int i = 0; i < enemyCount; ++i) {
        switch (enemyPattern(i)) {
        case EnemyPattern::BounceHorizontal:
            bounceHorizontally(i);
            break;
        case EnemyPattern::BounceVertical:
            bounceVertically(i);
            break;
        case EnemyPattern::Chase:
            chase(i);
            break;
        case EnemyPattern::DownRightUpper:
            moveDownRight(i, upperDownRightCourse);
            break;
        case EnemyPattern::DownRightLower:
            moveDownRight(i, lowerDownRightCourse);
            break;
        case EnemyPattern::UpLeft:
            moveUpLeft(i, upLeftCourse);
            break;
        case EnemyPattern::Guardian:
            moveGuardian(i);
            break;
        }
    }
}

} // namespace zema
