// Craft commands: the craft stays put on screen and every move shifts the view instead.
#include "game/craft.h"

#include "game/collision.h"
#include "game/world.h"

namespace zema {

constexpr int stepSize = 50;
constexpr int shotFrames = 10;

void tryMoveCraft(int dx, int dy) {
    gameState.scrollX += dx;
    gameState.scrollY += dy;
    // The step is tested at its destination only and never shortened, so the craft may stop
    // up to 49 pixels short of an obstacle.
    if (craftHitsWall() || craftHitsGate()) {
        gameState.scrollX -= dx;
        gameState.scrollY -= dy;
    }
}

void moveCraftLeft() {
    gameState.facingLeft = 1; // turns even when the step is taken back
    tryMoveCraft(-stepSize, 0);
}

void moveCraftRight() {
    gameState.facingLeft = 0;
    tryMoveCraft(stepSize, 0);
}

void moveCraftUp() {
    tryMoveCraft(0, -stepSize);
}

void moveCraftDown() {
    tryMoveCraft(0, stepSize);
}

void fireShot() {
    if (gameState.screenMode == ModePlay && gameState.gameOver == 0)
        gameState.shotTimer = shotFrames;
}

void startGame() {
    if (gameState.screenMode != ModeTitle) return; // a running game cannot be restarted
    gameState.screenMode = ModePlay;
    resetGame();
}

void applyControls(const ControlState& state) {
    if (state.left) moveCraftLeft();
    if (state.right) moveCraftRight();
    if (state.up) moveCraftUp();
    if (state.down) moveCraftDown();
    if (state.fire) fireShot();
}

} // namespace zema
