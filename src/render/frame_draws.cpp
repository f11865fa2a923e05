// A frame's operations kept as a list, and drawn from it (frame_draws.h).
#include "render/frame_draws.h"

#include "render/images.h"

namespace zema {

void addFrameClear(FrameDraws& frame, uint32_t colour) {
    if (frame.count < maxFrameOps)
        frame.ops[frame.count++] = {true, imageSlotCount, {}, {}, {}, colour};
}

void addFrameDraw(FrameDraws& frame, ImageSlot slot, SourceRect source, Vector2 scaling,
                  Vector2 translation, uint32_t colour) {
    if (frame.count < maxFrameOps)
        frame.ops[frame.count++] = {false, slot, source, scaling, translation, colour};
}

void compositeFrameDraws(BackBuffer& target, const FrameDraws& frame) {
    PendingClear clear;
    for (int i = 0; i < frame.count; ++i) {
        const FrameOp& op = frame.ops[i];
        if (op.clear)
            clear = {true, op.colour};
        else
            compositeAfterClear(target, clear, op.slot, op.source, op.scaling, op.translation,
                                op.colour);
    }
    flushClear(target, clear);
}

} // namespace zema
