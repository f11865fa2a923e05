// The 5000 x 5000 world: brick walls exactly where the game's wall table puts them, the goal
// marked where the game's goal rectangle lies, and pure blue everywhere else.
#include <cstdint>

#include "font.h"
#include "game/world.h"
#include "pictures.h"

namespace zema {

namespace {
constexpr uint8_t wallMark = cSteel; // any non-clear index marks a wall pixel before texturing

bool isWall(const Canvas& c, int x, int y) {
    return x < 0 || y < 0 || x >= c.width || y >= c.height || at(c, x, y) != clear;
}

uint32_t hashBrick(int column, int row) {
    uint32_t h = static_cast<uint32_t>(column) * 73856093u ^ static_cast<uint32_t>(row) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

// Bricks 50 x 25 with offset courses; each brick lit along its top and shadowed along its
// bottom, a few of them stained teal.
uint8_t brickAt(int x, int y) {
    constexpr int brickW = 50, brickH = 25, mortar = 3;
    const int row = y / brickH;
    const int shifted = x + (row % 2) * (brickW / 2);
    const int column = shifted / brickW;
    const int u = shifted % brickW, v = y % brickH;
    if (u < mortar || v < mortar) return cInk;
    const uint32_t h = hashBrick(column, row);
    const bool stained = h % 13 == 0;
    if (v < mortar + 3 || u < mortar + 2) return stained ? cTeal : cSteelLight;
    if (v >= brickH - 3 || u >= brickW - 3) return stained ? cInk : cSteelDark;
    if ((h >> 8) % 5 == 0 && ((x ^ y) & 1)) return stained ? cTeal : cSteelLight;
    return stained ? cTealDark : cSteel;
}

void markRect(Canvas& c, const WorldRect& r) {
    fillRect(c, r.left, r.top, r.right + 1, r.bottom + 1, wallMark);
}

void drawGoal(Canvas& c) {
    const WorldRect& g = goalRect;
    constexpr int square = 10;
    for (int y = g.top; y <= g.bottom; ++y)
        for (int x = g.left; x <= g.right; ++x) {
            const bool border = x - g.left < square || g.right - x < square || y - g.top < square ||
                                g.bottom - y < square;
            const bool dark = ((x - g.left) / square + (y - g.top) / square) % 2 != 0;
            if (border)
                at(c, x, y) = dark ? cInk : cWhite;
            else
                at(c, x, y) = ((x + y) / 12) % 2 ? cGreen : cGreenDark;
        }
    const int height = g.bottom - g.top + 1 - 2 * square;
    const int scale = height / (glyphHeight + 2);
    const TextStyle style = {scale, cYellow, cWhite, cOrange, cInk, scale / 3};
    const int textX = (g.left + g.right + 1 - textWidth("GOAL", scale)) / 2;
    const int textY = (g.top + g.bottom + 1 - glyphHeight * scale) / 2;
    drawText(c, "GOAL", textX, textY, style);
}
} // namespace

Canvas mapPicture() {
    Canvas c = makeCanvas(worldSize, worldSize);
    for (const WorldRect& wall : wallRects)
        markRect(c, wall);
    // Texture the walls, with a dark rim and a lit edge where a wall meets a corridor.
    Canvas textured = c;
    for (int y = 0; y < worldSize; ++y)
        for (int x = 0; x < worldSize; ++x) {
            if (at(c, x, y) == clear) continue;
            uint8_t index = brickAt(x, y);
            const bool rim = !isWall(c, x - 2, y) || !isWall(c, x + 2, y) || !isWall(c, x, y - 2) ||
                             !isWall(c, x, y + 2);
            const bool edge = !isWall(c, x - 7, y) || !isWall(c, x + 7, y) ||
                              !isWall(c, x, y - 7) || !isWall(c, x, y + 7);
            if (rim)
                index = cInk;
            else if (edge)
                index = !isWall(c, x, y + 7) || !isWall(c, x + 7, y) ? cSteelDark : cSteelLight;
            at(textured, x, y) = index;
        }
    drawGoal(textured);
    return textured;
}

} // namespace zema
