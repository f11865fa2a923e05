// The fifteen images: the table of what each slot is loaded from, loading them from the
// embedded resources, and drawing a slot.
#include "display/images.h"

#include "display/bmp_reader.h"
#include "display/resources.h"

const ImageSpec imageTable[imageSlotCount] = {
    {111, 200, 148, 4, 200, 148, TextureFormat::A1R5G5B5},     // imgCraftRight
    {112, 200, 148, 4, 200, 148, TextureFormat::A8R8G8B8},     // imgCraftLeft
    {113, 5000, 5000, 4, 5000, 5000, TextureFormat::A8R8G8B8}, // imgMap
    {114, 30, 30, 8, 30, 30, TextureFormat::A8R8G8B8},         // imgGate
    {115, 30, 30, 8, 30, 30, TextureFormat::A8R8G8B8},         // imgShot
    {116, 200, 200, 4, 200, 200, TextureFormat::A8R8G8B8},     // imgEnemy1
    {117, 200, 200, 4, 200, 200, TextureFormat::A8R8G8B8},     // imgEnemy2
    {118, 200, 200, 4, 200, 200, TextureFormat::A8R8G8B8},     // imgEnemy3
    {119, 400, 400, 4, 800, 800, TextureFormat::A8R8G8B8},     // imgGuardian
    {120, 100, 100, 4, 100, 100, TextureFormat::A8R8G8B8},     // imgItem1
    {121, 100, 100, 4, 100, 100, TextureFormat::A8R8G8B8},     // imgItem2
    {124, 100, 100, 4, 100, 100, TextureFormat::A8R8G8B8},     // imgItem3
    {142, 800, 600, 4, 800, 600, TextureFormat::A8R8G8B8},     // imgTitle
    {143, 30, 30, 8, 30, 30, TextureFormat::A8R8G8B8},         // imgEnergy
    {144, 350, 300, 4, 350, 300, TextureFormat::A8R8G8B8},     // imgGameOver
};

Texture* imageTextures[imageSlotCount] = {};

int loadImages() {
    for (int slot = 0; slot < imageSlotCount; ++slot) {
        const ImageSpec& spec = imageTable[slot];
        Resource resource{};
        if (!findResource(spec.resourceId, resource)) return slot;
        // A picture of another size or depth than the table's is a broken build: the frame's
        // source rectangles are worked out for exactly these sizes.
        BitmapView view;
        if (!readBitmap(resource.data, resource.size, view) || view.width != spec.bitmapWidth ||
            view.height != spec.bitmapHeight || view.bitsPerPixel != spec.bitsPerPixel)
            return slot;
        releaseTexture(imageTextures[slot]);
        imageTextures[slot] = loadTextureFromBitmap(resource.data, resource.size, spec.textureWidth,
                                                    spec.textureHeight, spec.format);
        if (imageTextures[slot] == nullptr) return slot;
    }
    return -1;
}

void releaseImages() {
    for (Texture*& texture : imageTextures) {
        releaseTexture(texture);
        texture = nullptr;
    }
}

void compositeImage(BackBuffer& target, ImageSlot slot, SourceRect source, Vector2 scaling,
                    Vector2 translation, uint32_t colour) {
    if (slot < 0 || slot >= imageSlotCount || imageTextures[slot] == nullptr) return;
    compositeDraw(target, *imageTextures[slot], source, scaling, translation, colour);
}
