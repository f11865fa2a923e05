// Test-only embedded resources: bitmaps built in memory instead of linked into the program.
#include "test_resources.h"

#include "bmp_builder.h"
#include "render/images.h"
#include "render/resources.h"

namespace zema {

std::map<int, std::vector<uint8_t>> testResources;

bool findResource(int id, Resource& resource) {
    const auto found = testResources.find(id);
    if (found == testResources.end()) return false;
    resource = {found->second.data(), found->second.size()};
    return true;
}

uint32_t testPictureColour(int slot) {
    return 0xFF000000u | static_cast<uint32_t>(0x10 + 0x0F * slot) << 16 |
           static_cast<uint32_t>(0xF0 - 0x0D * slot) << 8 | 0x40u;
}

void makeTestPictures() {
    testResources.clear();
    for (int slot = 0; slot < imageSlotCount; ++slot) {
        const ImageSpec& spec = imageTable[slot];
        BitmapSpec bitmap{spec.bitmapWidth,
                          spec.bitmapHeight,
                          spec.bitsPerPixel,
                          {0x0000FF, testPictureColour(slot) & 0xFFFFFF},
                          {}};
        bitmap.indices.assign(static_cast<size_t>(spec.bitmapWidth) * spec.bitmapHeight, 1);
        testResources[spec.resourceId] = buildBitmap(bitmap);
    }
}

} // namespace zema
