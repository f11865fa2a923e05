// Matching the things of two frames' draw lists and placing them between (between_frames.h).
// Things are told apart by their pictures: the map is the view, the craft's two pictures are the
// craft, and the world's pictures are drawn relative to the view of the map drawn before them.
#include "render/between_frames.h"

#include <cmath>
#include <cstdlib>

namespace zema {

namespace {

enum class Role { AsAfter, View, World, Craft };

Role roleOf(const FrameOp& op) {
    if (op.clear) return Role::AsAfter;
    switch (op.slot) {
    case imgMap:
        return Role::View;
    case imgGate:
    case imgEnemy1:
    case imgEnemy2:
    case imgEnemy3:
    case imgGuardian:
    case imgItem1:
    case imgItem2:
    case imgItem3:
        return Role::World;
    case imgCraftRight:
    case imgCraftLeft:
        return Role::Craft;
    default:
        return Role::AsAfter;
    }
}

struct Point {
    int32_t x, y;
};

// The frame draws at whole pixels; anything else is left where after puts it.
bool wholePoint(Vector2 v, Point& p) {
    if (!(std::fabs(v.x) < 1e8f) || !(std::fabs(v.y) < 1e8f) || v.x != std::floor(v.x) ||
        v.y != std::floor(v.y))
        return false;
    p = {static_cast<int32_t>(v.x), static_cast<int32_t>(v.y)};
    return true;
}

bool within(Point a, Point b, int32_t limit) {
    return std::abs(int64_t{b.x} - a.x) <= limit && std::abs(int64_t{b.y} - a.y) <= limit;
}

int32_t partWay(int32_t a, int32_t b, double t) {
    return a + static_cast<int32_t>(std::lround((double(b) - a) * t));
}

Point partWay(Point a, Point b, double t) {
    return {partWay(a.x, b.x, t), partWay(a.y, b.y, t)};
}

bool sameLook(const FrameOp& a, const FrameOp& b) {
    return a.slot == b.slot && a.scaling.x == b.scaling.x && a.scaling.y == b.scaling.y &&
           a.colour == b.colour;
}

bool sameSource(const FrameOp& a, const FrameOp& b) {
    return a.source.left == b.source.left && a.source.top == b.source.top &&
           a.source.right == b.source.right && a.source.bottom == b.source.bottom;
}

// Where each world draw of a frame stands in the world: its place on screen plus the view of
// the map drawn last before it. False for a draw with no map before it.
struct Placed {
    bool placed;
    Point world;
};

void placeInWorld(const FrameDraws& frame, Placed* placed) {
    bool haveView = false;
    Point view = {};
    for (int i = 0; i < frame.count; ++i) {
        const FrameOp& op = frame.ops[i];
        placed[i].placed = false;
        Point screen;
        if (op.clear) continue;
        if (roleOf(op) == Role::View) {
            haveView = true;
            view = {op.source.left, op.source.top};
        } else if (roleOf(op) == Role::World && haveView && wholePoint(op.translation, screen)) {
            placed[i] = {true, {screen.x + view.x, screen.y + view.y}};
        }
    }
}

// The map of before that after's map continues: the same size and place on screen, its view
// at most a step away.
const FrameOp* matchingView(const FrameDraws& before, const FrameOp& map) {
    for (int i = 0; i < before.count; ++i) {
        const FrameOp& op = before.ops[i];
        if (op.clear || roleOf(op) != Role::View) continue;
        const bool same = sameLook(op, map) && op.translation.x == map.translation.x &&
                          op.translation.y == map.translation.y &&
                          op.source.right - op.source.left == map.source.right - map.source.left &&
                          op.source.bottom - op.source.top == map.source.bottom - map.source.top;
        if (same &&
            within({op.source.left, op.source.top}, {map.source.left, map.source.top}, maxViewStep))
            return &op;
    }
    return nullptr;
}

const FrameOp* matchingCraft(const FrameDraws& before, const FrameOp& craft) {
    Point b;
    if (!wholePoint(craft.translation, b)) return nullptr;
    for (int i = 0; i < before.count; ++i) {
        const FrameOp& op = before.ops[i];
        Point a;
        if (!op.clear && roleOf(op) == Role::Craft && op.scaling.x == craft.scaling.x &&
            op.scaling.y == craft.scaling.y && wholePoint(op.translation, a) &&
            within(a, b, maxWobble))
            return &op;
    }
    return nullptr;
}

Placed placedBefore[maxFrameOps], placedAfter[maxFrameOps];

} // namespace

void drawsBetween(const FrameDraws& before, const FrameDraws& after, double t,
                  FrameDraws& between) {
    t = t >= 0 ? (t <= 1 ? t : 1) : (t < 0 ? 0 : 1); // NaN counts as the end
    placeInWorld(before, placedBefore);
    placeInWorld(after, placedAfter);
    // Things of the world are matched in draw order, which is each table's order in both
    // frames; the search for the next one of a picture goes on from the last one matched.
    int nextOfSlot[imageSlotCount] = {};
    bool viewMoves = false; // the view of the latest map in after continues one of before's
    Point viewNow = {};
    between.count = after.count;
    for (int i = 0; i < after.count; ++i) {
        FrameOp op = after.ops[i];
        switch (roleOf(op)) {
        case Role::View:
            viewMoves = false;
            if (const FrameOp* from = matchingView(before, op)) {
                viewMoves = true;
                viewNow = partWay(Point{from->source.left, from->source.top},
                                  Point{op.source.left, op.source.top}, t);
                const int32_t w = op.source.right - op.source.left;
                const int32_t h = op.source.bottom - op.source.top;
                op.source = {viewNow.x, viewNow.y, viewNow.x + w, viewNow.y + h};
            }
            break;
        case Role::World:
            if (!viewMoves || !placedAfter[i].placed) break;
            for (int j = nextOfSlot[op.slot]; j < before.count; ++j) {
                const FrameOp& from = before.ops[j];
                if (from.clear || !placedBefore[j].placed || !sameLook(from, op) ||
                    !sameSource(from, op) ||
                    !within(placedBefore[j].world, placedAfter[i].world, maxThingStep))
                    continue;
                const Point world = partWay(placedBefore[j].world, placedAfter[i].world, t);
                op.translation = {float(world.x - viewNow.x), float(world.y - viewNow.y)};
                nextOfSlot[op.slot] = j + 1;
                break;
            }
            break;
        case Role::Craft:
            if (const FrameOp* from = matchingCraft(before, op)) {
                Point a, b;
                wholePoint(from->translation, a);
                wholePoint(op.translation, b);
                const Point p = partWay(a, b, t);
                op.translation = {float(p.x), float(p.y)};
            }
            break;
        case Role::AsAfter:
            break;
        }
        between.ops[i] = op;
    }
}

} // namespace zema
