// The world tables with their start contents, and the reset of a new game.
#include "game/world.h"

#include <ctime>

#include "game/random.h"

namespace zema {

namespace {

bool seedFixed = false;
unsigned fixedSeed = 0;

constexpr GameState startState = {ModeTitle, 100, 100, 250, 0, 0, 0, 0, 0, 0};

// Each enemy's start record and the pattern it moves by, for the whole program.
struct EnemyStart {
    Enemy record;
    EnemyPattern pattern;
};
constexpr EnemyStart enemyStarts[enemyCount] = {
    {{3, 840, 900, 10, 0, 20}, EnemyPattern::BounceHorizontal},   // 0
    {{2, 1100, 1200, 0, -10, 20}, EnemyPattern::BounceVertical},  // 1
    {{1, 1700, 560, 0, 10, 20}, EnemyPattern::BounceVertical},    // 2
    {{1, 2400, 560, 0, -10, 20}, EnemyPattern::BounceVertical},   // 3
    {{3, 2060, 980, 10, 0, 20}, EnemyPattern::BounceHorizontal},  // 4
    {{1, 1700, 1260, 0, 10, 20}, EnemyPattern::BounceVertical},   // 5
    {{1, 2400, 1260, 0, -10, 20}, EnemyPattern::BounceVertical},  // 6
    {{1, 3500, 700, 0, 10, 20}, EnemyPattern::BounceVertical},    // 7
    {{1, 4000, 700, 0, 0, 20}, EnemyPattern::Chase},              // 8
    {{1, 4500, 700, 0, -10, 20}, EnemyPattern::BounceVertical},   // 9
    {{1, 3020, 1340, 0, 10, 20}, EnemyPattern::BounceVertical},   // 10
    {{2, 3370, 1530, 10, 0, 20}, EnemyPattern::BounceHorizontal}, // 11
    {{2, 1530, 1920, 10, 0, 20}, EnemyPattern::BounceHorizontal}, // 12
    {{2, 410, 2333, 0, 0, 20}, EnemyPattern::DownRightUpper},     // 13
    {{1, 3590, 2270, 0, 10, 20}, EnemyPattern::BounceVertical},   // 14
    {{1, 4600, 2270, 0, 10, 20}, EnemyPattern::BounceVertical},   // 15
    {{3, 3240, 2530, 10, 0, 20}, EnemyPattern::BounceHorizontal}, // 16
    {{3, 3700, 1930, 10, 0, 20}, EnemyPattern::BounceHorizontal}, // 17
    {{2, 4034, 2936, 0, 0, 20}, EnemyPattern::UpLeft},            // 18
    {{2, 3595, 2837, 0, 0, 20}, EnemyPattern::UpLeft},            // 19
    {{2, 4437, 3040, 0, 0, 20}, EnemyPattern::DownRightLower},    // 20
    {{2, 2722, 3203, 0, 0, 20}, EnemyPattern::DownRightLower},    // 21
    {{3, 3799, 2938, 10, 0, 20}, EnemyPattern::BounceHorizontal}, // 22
    {{3, 414, 2938, 10, 0, 20}, EnemyPattern::BounceHorizontal},  // 23
    {{4, 4000, 4000, 20, 0, 100}, EnemyPattern::Guardian},        // 24
};
constexpr Gate startGates[gateCount] = {
    {1345, 1106, 1374, 1534, 0}, // 0
    {2882, 300, 2911, 1034, 0},  // 1
    {4075, 1265, 4602, 1294, 0}, // 2
    {403, 2058, 925, 2087, 0},   // 3
    {4185, 2866, 4601, 2895, 0}, // 4
    {799, 3327, 1432, 3356, 0},  // 5
    {2656, 4386, 2685, 4894, 0}, // 6
};
constexpr ItemRow startItemRows[itemRowCount] = {
    {2, 690, 300, 2, 0, 1},   // 0
    {3, 780, 510, 2, 0, 1},   // 1
    {2, 480, 730, 3, 0, 1},   // 2
    {1, 560, 1335, 2, 0, 1},  // 3
    {2, 1480, 300, 2, 0, 2},  // 4
    {2, 2350, 300, 1, 0, 2},  // 5
    {1, 1820, 1530, 2, 0, 2}, // 6
    {1, 2430, 1430, 3, 0, 2}, // 7
    {3, 2100, 900, 1, 0, 2},  // 8
    {2, 3080, 300, 3, 0, 3},  // 9
    {2, 4400, 300, 2, 0, 3},  // 10
    {1, 3500, 1030, 2, 0, 3}, // 11
    {1, 3925, 1133, 1, 0, 3}, // 12
    {1, 4650, 1133, 1, 0, 3}, // 13
    {3, 4060, 633, 2, 0, 3},  // 14
    {1, 1134, 1926, 1, 0, 4}, // 15
    {1, 1600, 2020, 2, 0, 4}, // 16
    {1, 2370, 2020, 1, 0, 4}, // 17
    {2, 3060, 1138, 1, 0, 4}, // 18
    {2, 3360, 1236, 3, 0, 4}, // 19
    {2, 515, 1538, 3, 0, 4},  // 20
    {3, 559, 1782, 1, 0, 4},  // 21
    {1, 3633, 1726, 3, 0, 4}, // 22
    {1, 484, 2437, 2, 0, 5},  // 23
    {1, 1176, 2437, 2, 0, 5}, // 24
    {1, 2078, 2533, 1, 0, 5}, // 25
    {1, 2555, 2533, 3, 0, 5}, // 26
    {1, 3368, 2630, 2, 0, 5}, // 27
    {1, 4639, 2730, 1, 0, 5}, // 28
    {2, 3140, 2025, 2, 0, 5}, // 29
    {2, 3715, 1925, 3, 0, 5}, // 30
    {3, 4160, 2320, 2, 0, 5}, // 31
    {1, 545, 3195, 2, 0, 6},  // 32
    {1, 1525, 3200, 1, 0, 6}, // 33
    {1, 2305, 3303, 3, 0, 6}, // 34
    {1, 3195, 3413, 2, 0, 6}, // 35
    {1, 4475, 3405, 1, 0, 6}, // 36
    {2, 683, 2640, 2, 0, 6},  // 37
    {2, 1870, 2735, 2, 0, 6}, // 38
    {2, 2459, 2735, 1, 0, 6}, // 39
    {2, 3257, 2835, 3, 0, 6}, // 40
    {3, 679, 2920, 1, 0, 6},  // 41
    {3, 1201, 2920, 1, 0, 6}, // 42
    {1, 783, 3989, 2, 0, 7},  // 43
    {1, 1357, 3989, 1, 0, 7}, // 44
    {1, 4380, 4799, 2, 0, 7}, // 45
    {1, 3497, 4799, 1, 0, 7}, // 46
    {2, 4341, 3609, 2, 0, 7}, // 47
    {2, 3567, 3609, 3, 0, 7}, // 48
    {3, 4123, 4223, 1, 0, 7}, // 49
};

} // namespace

// Walls 0 to 3 frame the world; the wall tests try them in this order.
const WorldRect wallRects[wallCount] = {
    {0, 0, 410, 4999},        // 0
    {0, 0, 4999, 290},        // 1
    {4900, 0, 4999, 4999},    // 2
    {0, 4900, 4999, 4999},    // 3
    {0, 628, 993, 725},       // 4
    {0, 1415, 1093, 1535},    // 5
    {1300, 0, 1410, 1100},    // 6
    {996, 1538, 1589, 1634},  // 7
    {1493, 1637, 2389, 1736}, // 8
    {2286, 1536, 2981, 1634}, // 9
    {2881, 1034, 2981, 1634}, // 10
    {2881, 1034, 3378, 1133}, // 11
    {3278, 1133, 3876, 1231}, // 12
    {3775, 1235, 4073, 1334}, // 13
    {4602, 1232, 4901, 1334}, // 14
    {3408, 1823, 4999, 1925}, // 15
    {2813, 1922, 3505, 2024}, // 16
    {2613, 2023, 2915, 2123}, // 17
    {1323, 2124, 2714, 2223}, // 18
    {924, 2025, 1424, 2124},  // 19
    {0, 2534, 1798, 2633},    // 20
    {1698, 2636, 3190, 2732}, // 21
    {3090, 2735, 3885, 2831}, // 22
    {3784, 2834, 4183, 2933}, // 23
    {4603, 2822, 4999, 2925}, // 24
    {2819, 3510, 4999, 3609}, // 25
    {1933, 3410, 2919, 3506}, // 26
    {1433, 3308, 2033, 3409}, // 27
    {404, 3290, 797, 3391},   // 28
    {404, 4084, 1592, 4184},  // 29
    {1493, 4187, 2186, 4284}, // 30
    {2086, 4285, 2685, 4384}, // 31
};

const WorldRect goalRect = {546, 4684, 895, 4782};

GameState gameState = startState;
Enemy enemies[enemyCount] = {};
Gate gates[gateCount] = {};
ItemRow itemRows[itemRowCount] = {};

namespace {
// The mutable tables start as copies of the constant ones, filled before main runs.
struct StartContentsLoader {
    StartContentsLoader() { restoreStartContents(); }
} startContentsLoader;
} // namespace

void restoreStartContents() {
    gameState = startState;
    for (int i = 0; i < enemyCount; ++i)
        enemies[i] = enemyStarts[i].record;
    for (int i = 0; i < gateCount; ++i)
        gates[i] = startGates[i];
    for (int i = 0; i < itemRowCount; ++i)
        itemRows[i] = startItemRows[i];
}

EnemyPattern enemyPattern(int i) {
    return enemyStarts[i].pattern;
}

void useFixedSeed(unsigned seed) {
    seedFixed = true;
    fixedSeed = seed;
}

void useClockSeed() {
    seedFixed = false;
}

void resetGame() {
    srand(seedFixed ? fixedSeed : static_cast<unsigned>(std::time(nullptr)));
    gameState.craftX = 300;
    gameState.craftY = 250;
    gameState.energy = 250;
    gameState.gameOver = 0;
    gameState.shotTimer = 0;
    gameState.facingLeft = 0;
    gameState.scrollX = 200;
    gameState.scrollY = 150;
    for (Gate& gate : gates)
        gate.open = 0;
    for (int i = 0; i < enemyCount; ++i)
        enemies[i].hp = i == guardianIndex ? 100 : 20;
    for (ItemRow& row : itemRows)
        row.taken = 0;
}

} // namespace zema
