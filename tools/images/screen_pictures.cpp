// The title and game-over pictures: a night-sky panel with rounded corners, the name or the
// banner, and how to start and quit.
#include <cstdint>

#include "font.h"
#include "pictures.h"

namespace zema {

namespace {
const Ramp skyRamp = {{cInk, cInk, cSteelDark}};

// A dark panel whose rounded corners stay transparent, framed in light steel.
Canvas panel(int width, int height, int radius) {
    Canvas c = makeCanvas(width, height);
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int dx =
                x < radius ? radius - x : (x >= width - radius ? x - (width - radius - 1) : 0);
            const int dy =
                y < radius ? radius - y : (y >= height - radius ? y - (height - radius - 1) : 0);
            const int d2 = dx * dx + dy * dy;
            if (d2 > radius * radius) continue;
            const bool rim = d2 > (radius - 4) * (radius - 4) || x < 4 || y < 4 || x >= width - 4 ||
                             y >= height - 4;
            const bool inner = d2 > (radius - 6) * (radius - 6) || x < 6 || y < 6 ||
                               x >= width - 6 || y >= height - 6;
            if (rim)
                at(c, x, y) = cSteelLight;
            else if (inner)
                at(c, x, y) = cSteelDark;
            else
                at(c, x, y) = rampIndex(skyRamp, 0.9f * y / height, x, y);
        }
    // A scatter of stars, the same every build.
    for (int i = 0; i < width * height / 900; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int x = 10 + static_cast<int>((seed >> 8) % static_cast<uint32_t>(width - 20));
        seed = seed * 1664525u + 1013904223u;
        const int y = 10 + static_cast<int>((seed >> 8) % static_cast<uint32_t>(height - 20));
        const uint8_t star = (seed >> 4) % 5 == 0 ? cWhite : cSteel;
        plot(c, x, y, star);
        if (star == cWhite) {
            plot(c, x - 1, y, cSteel), plot(c, x + 1, y, cSteel);
            plot(c, x, y - 1, cSteel), plot(c, x, y + 1, cSteel);
        }
    }
    return c;
}

const TextStyle plainWhite = {3, cWhite, cWhite, cWhite, cSteelDark, 0};
const TextStyle plainQuiet = {3, cSteelLight, cSteelLight, cSteelLight, cSteelDark, 0};
} // namespace

Canvas titlePicture() {
    Canvas c = panel(800, 600, 28);
    const TextStyle name = {20, cOrange, cYellow, cRedDark, cTealDark, 5};
    drawTextCentred(c, "ZEMA", 44, name);
    fillRect(c, 170, 212, 630, 216, cTeal);
    paste(c, enemyPicture(2), 40, 232);
    paste(c, craftPicture(), 300, 258);
    paste(c, enemyPicture(1), 560, 232);
    drawTextCentred(c, "Press Enter or controller button 2", 452, plainWhite);
    drawTextCentred(c, "to start", 484, plainWhite);
    drawTextCentred(c, "Esc to quit", 540, plainQuiet);
    return c;
}

Canvas gameOverPicture() {
    Canvas c = panel(350, 300, 20);
    // The banner fills the top 100 rows.
    fillRect(c, 6, 12, 344, 92, cRedDark);
    fillRect(c, 6, 12, 344, 16, cRed);
    fillRect(c, 6, 88, 344, 92, cInk);
    const TextStyle banner = {6, cYellow, cWhite, cOrange, cInk, 2};
    drawTextCentred(c, "GAME OVER", 31, banner);
    const TextStyle small = {2, cWhite, cWhite, cWhite, cSteelDark, 0};
    const TextStyle quiet = {2, cSteelLight, cSteelLight, cSteelLight, cSteelDark, 0};
    drawTextCentred(c, "Press Enter or", 132, small);
    drawTextCentred(c, "controller button 2", 160, small);
    drawTextCentred(c, "to play again", 188, small);
    drawTextCentred(c, "Esc to quit", 240, quiet);
    return c;
}

} // namespace zema
