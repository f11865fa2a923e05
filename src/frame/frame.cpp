// The frame step: the title part, the play part with every rule at its fixed place, and the
// two end tests. The end tests do not end the frame; the rest of it still runs.
#include "frame/frame.h"

#include "display/display.h"
#include "game/collision.h"
#include "game/combat.h"
#include "game/craft.h"
#include "game/enemies.h"
#include "game/items.h"
#include "game/random.h"
#include "game/world.h"
#include "input/input.h"
#include "sound/sound.h"

namespace zema {

namespace {

constexpr uint32_t clearColour = 0xFF0000FF; // opaque blue, the same as the colour key
constexpr uint32_t untinted = 0xFFFFFFFF;
constexpr Vector2 rotationCentre = {1, 1};

// Positions and sizes are worked out in integers and become floats only here.
void draw(ImageSlot slot, SourceRect source, int32_t scaleX, int32_t scaleY, int32_t x, int32_t y) {
    drawImage(slot, source, {static_cast<float>(scaleX), static_cast<float>(scaleY)},
              rotationCentre, 0.0f, {static_cast<float>(x), static_cast<float>(y)}, untinted);
}

int32_t halfWidth() {
    return static_cast<int32_t>(displayMode.Width / 2);
}
int32_t halfHeight() {
    return static_cast<int32_t>(displayMode.Height / 2);
}

void drawTitlePart() {
    displayBeginScene();
    displayClear(clearColour);
    displayPresent(); // inside the scene, before anything is drawn: the frame ends with another
    if (gameState.gameOver == 0)
        draw(imgTitle, {0, 0, 800, 600}, 1, 1, halfWidth() - 400, halfHeight() - 300);
    else
        draw(imgGameOver, {0, 0, 350, 300}, 1, 1, halfWidth() - 175, halfHeight() - 150);
    if (gameState.hasJoystick == 1 && readStartButton()) startGame();
}

void drawWorld() {
    const int32_t sx = gameState.scrollX;
    const int32_t sy = gameState.scrollY;
    draw(imgMap,
         {sx, sy, sx + static_cast<int32_t>(displayMode.Width),
          sy + static_cast<int32_t>(displayMode.Height)},
         1, 1, 0, 0);
    for (const Gate& gate : gates) {
        if (gate.open != 0) continue;
        // Whole 30-pixel tiles: the fraction of the quotient is dropped.
        draw(imgGate, {0, 0, 30, 30}, (gate.right - gate.left + 1) / 30,
             (gate.bottom - gate.top + 1) / 30, gate.left - sx, gate.top - sy);
    }
    for (const Enemy& enemy : enemies) {
        if (enemy.hp <= 0) continue;
        if (enemy.kind >= 1 && enemy.kind <= 3)
            draw(static_cast<ImageSlot>(imgEnemy1 + enemy.kind - 1), {0, 0, 200, 200}, 1, 1,
                 enemy.x - sx, enemy.y - sy);
        else if (enemy.kind == 4)
            draw(imgGuardian, {0, 0, 800, 800}, 1, 1, enemy.x - sx, enemy.y - sy);
    }
    for (const ItemRow& row : itemRows) {
        if (row.taken != 0 || row.kind < 1 || row.kind > 3) continue;
        const ImageSlot slot = static_cast<ImageSlot>(imgItem1 + row.kind - 1);
        for (int32_t j = 0; j < row.count; ++j)
            draw(slot, {0, 0, 100, 100}, 1, 1, row.x + 100 * j - sx, row.y - sy);
    }
}

void runPlayPart() {
    displayClear(clearColour);
    displayBeginScene();
    drawWorld();
    applyContactDamage();
    draw(imgEnergy, {0, 0, 30, 30}, gameState.energy / 10, 1, 0,
         static_cast<int32_t>(displayMode.Height) - 30);
    if (gameState.energy < 0) {
        gameState.gameOver = 1;
        gameState.screenMode = ModeTitle;
        playSound(sndOver, false);
    }
    if (rectsOverlap(goalRect, craftSpriteBox())) {
        gameState.screenMode = ModeTitle;
        playSound(sndClear, false);
    }
    collectItems();
    openGates();
    readControls();
    moveEnemies();
    const int32_t jitter = rand() % 10 - 5;
    draw(gameState.facingLeft == 0 ? imgCraftRight : imgCraftLeft, {0, 0, 200, 148}, 1, 1,
         gameState.craftX, gameState.craftY + jitter);
    if (gameState.shotTimer >= 1) {
        gameState.shotTimer -= 1;
        if (gameState.facingLeft == 0)
            draw(imgShot, {0, 0, 30, 30}, 10, 1, gameState.craftX + 210, gameState.craftY + 60);
        else
            draw(imgShot, {0, 0, 30, 30}, -10, 1, gameState.craftX - 10, gameState.craftY + 60);
        applyShotHits();
    }
}

} // namespace

int runFrame() {
    if (gameState.screenMode == ModeTitle) drawTitlePart();
    // A start in the title part leads straight into the new game's play part.
    if (gameState.screenMode == ModePlay) runPlayPart();
    displayEndScene();
    displayPresent();
    return 1;
}

} // namespace zema
