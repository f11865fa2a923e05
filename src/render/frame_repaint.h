// A frame drawn again only where it changed. The display keeps a frame's clear and draws until
// the frame is shown. When the frame begins with the same clear and the same map over the whole
// picture as the frame before, and the back buffer still holds that frame's picture, only the
// rectangles where the two frames' other draws differ are drawn again (the map clears and draws
// each of them in one pass), and only those need showing. The picture is exactly the one the
// whole frame drawn afresh would be.
#pragma once

#include "render/compositor.h"

namespace zema {

// A frame with more changed rectangles than this is drawn whole.
constexpr int maxRepaintRects = 64;

// Keep an operation of the frame being drawn. When the frame holds more operations than a frame
// of the game ever does, those kept so far are composited into target at once, and the frame
// counts as changed everywhere.
void keepClear(BackBuffer& target, uint32_t colour);
void keepDraw(BackBuffer& target, ImageSlot slot, SourceRect source, Vector2 scaling,
              Vector2 translation, uint32_t colour);

// Composites the operations kept since the last call into target, in order (a clear waits for
// the next draw, which may clear and draw in one pass), and forgets them. intact: target holds
// exactly the picture the last call left there. Returns how many rectangles were written to
// changed (maxRepaintRects at most; a thing moved a step gives one around both its places),
// outside which the picture is the one the last call left;
// -1 when it may have changed anywhere. With nothing kept, nothing changes: 0.
int compositeKeptFrame(BackBuffer& target, bool intact, PixelRect* changed);

// Forgets the kept operations and the frame before: the next frame is drawn whole.
void forgetKeptFrames();

} // namespace zema
