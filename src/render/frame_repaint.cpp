// The kept frame and the frame before it, and drawing again only the rectangles where they
// differ (frame_repaint.h).
#include "render/frame_repaint.h"

#include <algorithm>

#include "render/frame_draws.h"
#include "render/images.h"

namespace zema {

namespace {

bool operator==(const FrameOp& a, const FrameOp& b) {
    if (a.clear || b.clear) return a.clear == b.clear && a.colour == b.colour;
    return a.slot == b.slot && a.source.left == b.source.left && a.source.top == b.source.top &&
           a.source.right == b.source.right && a.source.bottom == b.source.bottom &&
           a.scaling.x == b.scaling.x && a.scaling.y == b.scaling.y &&
           a.translation.x == b.translation.x && a.translation.y == b.translation.y &&
           a.colour == b.colour;
}

// Made once: a frame allocates nothing.
FrameDraws kept, before;
bool keptOverflowed = false; // part of the kept frame is composited already
PixelRect drawBounds[maxFrameOps];
bool drawShows[maxFrameOps];

void keep(BackBuffer& target, const FrameOp& op) {
    if (kept.count == maxFrameOps) {
        compositeFrameDraws(target, kept);
        kept.count = 0;
        keptOverflowed = true;
    }
    kept.ops[kept.count++] = op;
}

// Collects the pixels of op (when it writes any) as a changed rectangle; false when there are
// more than maxRepaintRects.
bool addChanged(const BackBuffer& target, const FrameOp& op, PixelRect* changed, int& count) {
    PixelRect bounds;
    if (!compositeImageBounds(target, op.slot, op.source, op.scaling, op.translation, bounds))
        return true;
    if (count == maxRepaintRects) return false;
    changed[count++] = bounds;
    return true;
}

int64_t areaOf(const PixelRect& r) {
    return int64_t{r.right - r.left} * (r.bottom - r.top);
}

// A thing that moved a few pixels changed two rectangles that nearly cover each other: any two
// whose surrounding rectangle is no larger than the two apart become that one, so that their
// common pixels are drawn and shown once. Returns the new count.
int mergeOverlapping(PixelRect* rects, int count) {
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j) {
            const PixelRect& a = rects[i];
            const PixelRect& b = rects[j];
            const PixelRect around = {std::min(a.left, b.left), std::min(a.top, b.top),
                                      std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
            if (areaOf(around) > areaOf(a) + areaOf(b)) continue;
            rects[i] = around;
            rects[j] = rects[--count];
            j = i; // the larger rectangle may now take in one looked at before
        }
    return count;
}

// The rectangles where kept and before differ, outside the clear and map they share; -1 when
// the frames do not share them or too much changed.
int changedRects(const BackBuffer& target, PixelRect* changed) {
    if (kept.count < 2 || before.count < 2 || !kept.ops[0].clear || kept.ops[1].clear ||
        !(kept.ops[0] == before.ops[0]) || !(kept.ops[1] == before.ops[1]))
        return -1;
    for (const FrameDraws* frame : {&kept, &before})
        for (int i = 2; i < frame->count; ++i)
            if (frame->ops[i].clear) return -1;
    const FrameOp& map = kept.ops[1];
    PixelRect mapBounds;
    if (!compositeImageBounds(target, map.slot, map.source, map.scaling, map.translation,
                              mapBounds) ||
        mapBounds.left != 0 || mapBounds.top != 0 || mapBounds.right != target.width ||
        mapBounds.bottom != target.height)
        return -1;
    int count = 0;
    // Draws at the same place in both lists that are the same draw write the same pixels
    // wherever no changed draw does.
    const bool paired = kept.count == before.count;
    for (int i = 2; i < std::max(kept.count, before.count); ++i) {
        if (paired && kept.ops[i] == before.ops[i]) continue;
        if ((i < kept.count && !addChanged(target, kept.ops[i], changed, count)) ||
            (i < before.count && !addChanged(target, before.ops[i], changed, count)))
            return -1;
    }
    count = mergeOverlapping(changed, count);
    // Drawing the whole picture once is cheaper than drawing as much again in pieces.
    int64_t area = 0;
    for (int r = 0; r < count; ++r)
        area += areaOf(changed[r]);
    return area < int64_t{target.width} * target.height ? count : -1;
}

bool overlap(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Draws the kept frame again inside each changed rectangle: the map clears and draws it whole,
// then every draw that reaches into it. False, with nothing drawn, when the map cannot.
bool repaint(BackBuffer& target, const PixelRect* changed, int count) {
    for (int i = 2; i < kept.count; ++i) {
        const FrameOp& op = kept.ops[i];
        drawShows[i] = compositeImageBounds(target, op.slot, op.source, op.scaling, op.translation,
                                            drawBounds[i]);
    }
    const FrameOp& clear = kept.ops[0];
    const FrameOp& map = kept.ops[1];
    for (int r = 0; r < count; ++r) {
        if (!compositeImageAfterClear(target, clear.colour, map.slot, map.source, map.scaling,
                                      map.translation, map.colour, changed[r]))
            return false; // only the first can fail: the map covers every rectangle alike
        for (int i = 2; i < kept.count; ++i) {
            const FrameOp& op = kept.ops[i];
            if (drawShows[i] && overlap(drawBounds[i], changed[r]))
                compositeImage(target, op.slot, op.source, op.scaling, op.translation, op.colour,
                               changed[r]);
        }
    }
    return true;
}

} // namespace

void keepClear(BackBuffer& target, uint32_t colour) {
    keep(target, {true, imageSlotCount, {}, {}, {}, colour});
}

void keepDraw(BackBuffer& target, ImageSlot slot, SourceRect source, Vector2 scaling,
              Vector2 translation, uint32_t colour) {
    keep(target, {false, slot, source, scaling, translation, colour});
}

int compositeKeptFrame(BackBuffer& target, bool intact, PixelRect* changed) {
    if (kept.count == 0 && !keptOverflowed) return 0;
    int count = intact && !keptOverflowed ? changedRects(target, changed) : -1;
    if (count >= 0 && !repaint(target, changed, count)) count = -1;
    if (count < 0) compositeFrameDraws(target, kept);
    before = kept;
    if (keptOverflowed) before.count = 0; // not the whole frame: nothing to compare with
    kept.count = 0;
    keptOverflowed = false;
    return count;
}

void forgetKeptFrames() {
    kept.count = 0;
    before.count = 0;
    keptOverflowed = false;
}

} // namespace zema
