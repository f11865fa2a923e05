// The fifteen images: the table of what each slot is loaded from, the player's copy's pictures
// when one is played with, the loaded textures, and drawing a slot.
#include "render/images.h"

#include "render/copy_pictures.h"

namespace zema {

#define ZEMA_PICTURE_SPEC(slot, id, bw, bh, bpp, tw, th, format)                                   \
    {id, bw, bh, bpp, tw, th, TextureFormat::format},
const ImageSpec imageTable[imageSlotCount] = {ZEMA_PICTURES(ZEMA_PICTURE_SPEC)};
#undef ZEMA_PICTURE_SPEC

Texture* imageTextures[imageSlotCount] = {};
CopyPictures copyPictures;

void releaseImages() {
    for (Texture*& texture : imageTextures) {
        releaseTexture(texture);
        texture = nullptr;
    }
}

void compositeImage(BackBuffer& target, ImageSlot slot, SourceRect source, Vector2 scaling,
                    Vector2 translation, uint32_t colour, PixelRect clip) {
    if (slot < 0 || slot >= imageSlotCount || imageTextures[slot] == nullptr) return;
    compositeDraw(target, *imageTextures[slot], source, scaling, translation, colour, clip);
}

bool compositeImageAfterClear(BackBuffer& target, uint32_t clearColour, ImageSlot slot,
                              SourceRect source, Vector2 scaling, Vector2 translation,
                              uint32_t colour, PixelRect clip) {
    if (slot < 0 || slot >= imageSlotCount || imageTextures[slot] == nullptr) return false;
    return compositeClearAndDraw(target, clearColour, *imageTextures[slot], source, scaling,
                                 translation, colour, clip);
}

void compositeAfterClear(BackBuffer& target, PendingClear& clear, ImageSlot slot, SourceRect source,
                         Vector2 scaling, Vector2 translation, uint32_t colour) {
    if (clear.pending) {
        clear.pending = false;
        if (compositeImageAfterClear(target, clear.colour, slot, source, scaling, translation,
                                     colour))
            return;
        compositeClear(target, clear.colour);
    }
    compositeImage(target, slot, source, scaling, translation, colour);
}

void flushClear(BackBuffer& target, PendingClear& clear) {
    if (clear.pending) compositeClear(target, clear.colour);
    clear.pending = false;
}

bool compositeImageBounds(const BackBuffer& target, ImageSlot slot, SourceRect source,
                          Vector2 scaling, Vector2 translation, PixelRect& bounds) {
    if (slot < 0 || slot >= imageSlotCount || imageTextures[slot] == nullptr) return false;
    return compositeDrawBounds(target, *imageTextures[slot], source, scaling, translation, bounds);
}

} // namespace zema
