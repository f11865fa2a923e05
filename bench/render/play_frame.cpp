// The renderer benchmarks' play frame (play_frame.h).
#include "play_frame.h"

#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "render/images.h"

namespace zema {

std::vector<DisplayOp> playFrameOps(bool atGuardian) {
    startHeadless({.width = playFrameWidth, .height = playFrameHeight});
    startGame();
    if (atGuardian) {
        gameState.scrollX = enemies[guardianIndex].x - 400;
        gameState.scrollY = enemies[guardianIndex].y - 200;
    }
    fireShot();
    clearRecordedOps();
    runFrame();
    return {recordedOps, recordedOps + recordedOpCount};
}

void compositeFrame(BackBuffer& target, const std::vector<DisplayOp>& ops) {
    PendingClear clear;
    for (const DisplayOp& op : ops) {
        if (op.kind == DisplayOpKind::Clear)
            clear = {true, op.colour};
        else if (op.kind == DisplayOpKind::Draw)
            compositeAfterClear(target, clear, op.slot, op.source, op.scaling, op.translation,
                                op.colour);
    }
    flushClear(target, clear);
}

} // namespace zema
