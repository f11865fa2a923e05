// A frame's picture as a list: its clears and draws in the order the display received them.
// Composited in that order they give the picture the frame showed.
#pragma once

#include "render/compositor.h"

namespace zema {

struct FrameOp {
    bool clear; // a clear of the whole picture to colour; otherwise a draw
    ImageSlot slot;
    SourceRect source;
    Vector2 scaling, translation;
    uint32_t colour;
};

// A frame of the game issues at most 137 operations (a joystick start's title and play parts).
constexpr int maxFrameOps = 256;
struct FrameDraws {
    FrameOp ops[maxFrameOps];
    int count = 0;
};

// Operations past maxFrameOps are dropped: no frame of the game issues them.
void addFrameClear(FrameDraws& frame, uint32_t colour);
void addFrameDraw(FrameDraws& frame, ImageSlot slot, SourceRect source, Vector2 scaling,
                  Vector2 translation, uint32_t colour);

// Composites the list onto target in order; a clear waits for the next draw, which may clear
// and draw in one pass, as the display does.
void compositeFrameDraws(BackBuffer& target, const FrameDraws& frame);

} // namespace zema
