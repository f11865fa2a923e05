// Loads the fifteen images from the player's copy or the embedded resources. Kept apart from
// images.cpp so that a program that only draws (the simulator without its pictures) need not link
// the resources.
#include "render/bmp_reader.h"
#include "render/copy_pictures.h"
#include "render/images.h"
#include "render/resources.h"

namespace zema {

bool loadImage(ImageSlot slot) {
    const ImageSpec& spec = imageTable[slot];
    const std::vector<uint8_t>& own = copyPictures.bitmaps[slot];
    Resource resource{own.data(), own.size()};
    if (own.empty() && !findResource(spec.resourceId, resource)) return false;
    // A picture of another size than the table's is a broken build or copy: the frame's source
    // rectangles are worked out for exactly these sizes. The build's are of the table's depth
    // too; a copy's may be of either.
    BitmapView view;
    if (!readBitmap(resource.data, resource.size, view) || view.width != spec.bitmapWidth ||
        view.height != spec.bitmapHeight || (own.empty() && view.bitsPerPixel != spec.bitsPerPixel))
        return false;
    releaseTexture(imageTextures[slot]);
    imageTextures[slot] = loadTextureFromBitmap(resource.data, resource.size, spec.textureWidth,
                                                spec.textureHeight, spec.format);
    return imageTextures[slot] != nullptr;
}

int loadImages() {
    for (int slot = 0; slot < imageSlotCount; ++slot)
        if (!loadImage(ImageSlot(slot))) return slot;
    return -1;
}

} // namespace zema
