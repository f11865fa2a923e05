// The world's fixed rectangles, its three mutable tables and the game state: everything the
// game remembers. One instance of each for the whole process; the rules change them in place.
#pragma once

#include <cstdint>

namespace zema {

// Inclusive on all four sides: a box from x to x + 200 covers 201 columns.
struct WorldRect {
    int32_t left, top, right, bottom;
};

enum ScreenMode : int32_t { ModePlay = 0, ModeTitle = 1 };

struct GameState {
    int32_t screenMode;
    int32_t scrollX, scrollY; // world place of the screen's top left corner
    int32_t energy;
    int32_t craftX, craftY; // screen place of the craft sprite's top left corner
    int32_t gameOver;
    int32_t shotTimer;
    int32_t facingLeft;
    int32_t hasJoystick;
};

struct Enemy {
    int32_t kind; // 1..3 the small pictures, 4 the guardian
    int32_t x, y;
    int32_t vx, vy;
    int32_t hp; // alive while above 0
};

// How an enemy moves, fixed by its row in the start table.
enum class EnemyPattern : uint8_t {
    BounceHorizontal, // along x, turning back at walls
    BounceVertical,   // along y, turning back at walls
    Chase,            // homes in on the craft through everything
    DownRightUpper,   // diagonal runs down and right, on the upper course
    DownRightLower,   // the same on the lower course
    UpLeft,           // diagonal runs up and left
    Guardian,         // runs round the walls
};

struct Gate {
    int32_t left, top, right, bottom;
    uint8_t open; // any non-zero value is open
};

struct ItemRow {
    int32_t kind; // 1..3
    int32_t x, y;
    int32_t count; // 1..3 pictures side by side, 100 pixels apart
    int32_t taken;
    int32_t group; // 1..7; the rules use fixed row ranges instead
};

constexpr int wallCount = 32;
constexpr int enemyCount = 25;
constexpr int gateCount = 7;
constexpr int itemRowCount = 50;
constexpr int guardianIndex = 24;
constexpr int chaserIndex = 8;
constexpr int worldSize = 5000;

extern GameState gameState;
extern const WorldRect wallRects[wallCount];
extern const WorldRect goalRect;
extern Enemy enemies[enemyCount];
extern Gate gates[gateCount];
extern ItemRow itemRows[itemRowCount];

// The pattern enemy i moves by, for 0 <= i < enemyCount.
EnemyPattern enemyPattern(int i);

// Puts a new game in place. Enemy places and velocities are left as they are: a new game's
// enemies go on from where the last one left them.
void resetGame();

// Puts every record back to its contents at program load, as a fresh process would have them.
void restoreStartContents();

// resetGame seeds the C generator from the clock; the simulator and tests fix the seed instead.
void useFixedSeed(unsigned seed);
void useClockSeed();

} // namespace zema
