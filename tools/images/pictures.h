// The pictures the game shows, each drawn from scratch by the generator.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"
#include "palette.h"

namespace zema {

// 16-colour pictures in the shared palette.
Canvas craftPicture();         // facing right; the left-facing craft is its mirror image
Canvas enemyPicture(int kind); // 1, 2 or 3
Canvas guardianPicture();
Canvas itemPicture(int kind); // 1, 2 or 3
Canvas titlePicture();
Canvas gameOverPicture();
Canvas mapPicture(); // the 5000 x 5000 world, from the game's own wall table and goal

// A true-colour 30 x 30 tile, later given its own 256-colour palette.
struct RgbTile {
    int width, height;
    std::vector<Rgb> pixels;
};
RgbTile gateTile();
RgbTile shotTile();
RgbTile energyTile();

// Copies the drawn (non-transparent) pixels of a picture onto another.
void paste(Canvas& target, const Canvas& picture, int x, int y);

} // namespace zema
