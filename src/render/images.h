// The fifteen images: which resource each slot is loaded from, at which size and format.
#pragma once

#include "render/compositor.h"

namespace zema {

struct ImageSpec {
    int resourceId;
    int32_t bitmapWidth, bitmapHeight, bitsPerPixel;
    int32_t textureWidth, textureHeight;
    TextureFormat format;
};

extern const ImageSpec imageTable[imageSlotCount];
extern Texture* imageTextures[imageSlotCount];

// Loads the slots in table order; returns -1 when all fifteen are loaded, otherwise the slot
// that failed (the slots before it stay loaded).
int loadImages();
// Loads one slot, replacing what it held; false when its picture is missing, cannot be read, is
// not of its size or cannot be made a texture.
bool loadImage(ImageSlot slot);
void releaseImages();

// Draws a slot's picture as compositeDraw does; a slot that is not loaded draws nothing.
void compositeImage(BackBuffer& target, ImageSlot slot, SourceRect source, Vector2 scaling,
                    Vector2 translation, uint32_t colour, PixelRect clip = everywhere);
// compositeClearAndDraw of a slot's picture; false (nothing done) when it does not apply.
bool compositeImageAfterClear(BackBuffer& target, uint32_t clearColour, ImageSlot slot,
                              SourceRect source, Vector2 scaling, Vector2 translation,
                              uint32_t colour, PixelRect clip = everywhere);
// A clear kept until the next draw, which may clear and draw in one pass, as the SDL display
// shows a frame: compositeAfterClear draws a slot's picture after the kept clear, if any, and
// flushClear writes a clear that no draw took.
struct PendingClear {
    bool pending = false;
    uint32_t colour = 0;
};
void compositeAfterClear(BackBuffer& target, PendingClear& clear, ImageSlot slot, SourceRect source,
                         Vector2 scaling, Vector2 translation, uint32_t colour);
void flushClear(BackBuffer& target, PendingClear& clear);
// compositeDrawBounds of a slot's picture; false for a slot that is not loaded.
bool compositeImageBounds(const BackBuffer& target, ImageSlot slot, SourceRect source,
                          Vector2 scaling, Vector2 translation, PixelRect& bounds);

} // namespace zema
