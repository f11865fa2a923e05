// Stand-in pictures for the benchmarks while the real ones are not linked: the table's sizes
// and depths, a maze map drawn from the wall table with keyed corridors, and sprites that are
// about a third transparent, so that the draws do the same kind of work.
#include <map>
#include <vector>

#include "bmp_builder.h"
#include "display/images.h"
#include "display/resources.h"
#include "game/world.h"

namespace {

std::vector<uint8_t> picture(int slot) {
    const ImageSpec& spec = imageTable[slot];
    BitmapSpec bitmap{spec.bitmapWidth, spec.bitmapHeight, spec.bitsPerPixel, {0x0000FF}, {}};
    for (int i = 1; i < (1 << spec.bitsPerPixel); ++i)
        bitmap.palette.push_back(static_cast<uint32_t>(0x2A1F13 * i) & 0xFFFFFF);
    const int colours = static_cast<int>(bitmap.palette.size()) - 1;
    bitmap.indices.resize(static_cast<size_t>(spec.bitmapWidth) * spec.bitmapHeight);
    for (int32_t y = 0; y < spec.bitmapHeight; ++y)
        for (int32_t x = 0; x < spec.bitmapWidth; ++x) {
            uint8_t k = static_cast<uint8_t>(1 + (x / 10 + y / 10) % colours);
            if (slot == imgMap) {
                k = 0; // corridors show the blue beneath
                for (const WorldRect& wall : wallRects)
                    if (x >= wall.left && x <= wall.right && y >= wall.top && y <= wall.bottom)
                        k = static_cast<uint8_t>(1 + (x / 25 + y / 25) % colours);
            } else {
                // An ellipse filling the picture; the corners are keyed.
                const double dx = (x + 0.5) / spec.bitmapWidth - 0.5;
                const double dy = (y + 0.5) / spec.bitmapHeight - 0.5;
                if (dx * dx + dy * dy > 0.25) k = 0;
            }
            bitmap.indices[static_cast<size_t>(y) * spec.bitmapWidth + x] = k;
        }
    return buildBitmap(bitmap);
}

} // namespace

bool findResource(int id, Resource& resource) {
    static std::map<int, std::vector<uint8_t>> pictures;
    if (pictures.empty())
        for (int slot = 0; slot < imageSlotCount; ++slot)
            pictures[imageTable[slot].resourceId] = picture(slot);
    const auto found = pictures.find(id);
    if (found == pictures.end()) return false;
    resource = {found->second.data(), found->second.size()};
    return true;
}
