// The six commands, the only ways the player changes the game, and the application of one
// frame's controls.
#pragma once

namespace zema {

struct ControlState {
    bool left, right, up, down, fire;
};

void moveCraftLeft();
void moveCraftRight();
void moveCraftUp();
void moveCraftDown();
void fireShot();
void startGame();

// One 50-pixel step of the view, taken back when the craft's hit box would touch a wall or a
// closed gate.
void tryMoveCraft(int dx, int dy);

// Left, right, up, down, fire, each complete before the next.
void applyControls(const ControlState& state);

} // namespace zema
