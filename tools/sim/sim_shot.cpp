// Draws the frame the headless display recorded, so that people and tests can see it.
#include "sim/sim_shot.h"

#include <cerrno>
#include <new>
#include <vector>

#include "display/display_headless.h"
#include "png/png_writer.h"
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

bool writeFrameShot(const std::string& path, uint32_t width, uint32_t height) {
    try {
        // A frame always starts with a clear; black shows if one ever does not.
        PixelVector pixels(static_cast<size_t>(width) * height, 0xFF000000u);
        BackBuffer target{pixels.data(), static_cast<int32_t>(width), static_cast<int32_t>(height),
                          static_cast<int32_t>(width)};
        compositeRecordedOps(target);
        return writePng(path, pixels.data(), target.width, target.height, target.pitch);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return false;
    }
}

} // namespace zema
