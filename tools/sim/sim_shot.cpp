// Draws the frame the headless display recorded, so that people and tests can see it.
#include "sim/sim_shot.h"

#include <cerrno>
#include <new>
#include <vector>

#include "display/display_headless.h"
#include "png/png_writer.h"
#include "render/between_frames.h"
#include "render/images.h"
#include "render/pixel_vector.h"

namespace zema {

void compositeRecordedOps(BackBuffer& target) {
    // A clear waits for the next draw, which may clear and draw in one pass, as on screen.
    PendingClear clear;
    for (int i = 0; i < recordedOpCount; ++i) {
        const DisplayOp& op = recordedOps[i];
        if (op.kind == DisplayOpKind::Clear)
            clear = {true, op.colour};
        else if (op.kind == DisplayOpKind::Draw) // always rotation 0, the compositor's only one
            compositeAfterClear(target, clear, op.slot, op.source, op.scaling, op.translation,
                                op.colour);
        else if (op.kind == DisplayOpKind::Present)
            flushClear(target, clear);
    }
    flushClear(target, clear);
}

namespace {

// Composites a width x height picture with draw and writes it to path.
template <typename Draw>
bool writeShot(const std::string& path, uint32_t width, uint32_t height, const Draw& draw) {
    try {
        // A frame always starts with a clear; black shows if one ever does not.
        PixelVector pixels(static_cast<size_t>(width) * height, 0xFF000000u);
        BackBuffer target{pixels.data(), static_cast<int32_t>(width), static_cast<int32_t>(height),
                          static_cast<int32_t>(width)};
        draw(target);
        return writePng(path, pixels.data(), target.width, target.height, target.pitch);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return false;
    }
}

} // namespace

bool writeFrameShot(const std::string& path, uint32_t width, uint32_t height) {
    return writeShot(path, width, height, [](BackBuffer& target) { compositeRecordedOps(target); });
}

void takeRecordedDraws(FrameDraws& frame) {
    frame.count = 0;
    for (int i = 0; i < recordedOpCount; ++i) {
        const DisplayOp& op = recordedOps[i];
        if (op.kind == DisplayOpKind::Clear)
            addFrameClear(frame, op.colour);
        else if (op.kind == DisplayOpKind::Draw)
            addFrameDraw(frame, op.slot, op.source, op.scaling, op.translation, op.colour);
    }
}

bool writeBetweenShot(const std::string& path, uint32_t width, uint32_t height,
                      const FrameDraws& before, const FrameDraws& after, double t) {
    static FrameDraws between;
    drawsBetween(before, after, t, between);
    return writeShot(path, width, height,
                     [](BackBuffer& target) { compositeFrameDraws(target, between); });
}

} // namespace zema
