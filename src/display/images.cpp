// The fifteen images: the table of what each slot is loaded from, the loaded textures, and
// drawing a slot.
#include "display/images.h"

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
