// Icon resources: a group (RT_GROUP_ICON) lists its images, each an RT_ICON resource holding a
// bitmap without a file header, twice as tall as the icon, the colours' rows then the mask's.
#include "copy/copy_icon.h"

#include <algorithm>

#include "little_endian.h"

namespace zema {

namespace {

constexpr size_t groupHeaderSize = 6, groupEntrySize = 14, infoHeaderSize = 40;

struct GroupEntry {
    int32_t side; // the group's width; 0 there means 256
    uint16_t bits, id;
};

} // namespace

bool decodeIconImage(const uint8_t* data, size_t size, IconPixels& icon) {
    if (size < infoHeaderSize || read32(data) != infoHeaderSize) return false;
    const int32_t width = static_cast<int32_t>(read32(data + 4));
    const int32_t doubled = static_cast<int32_t>(read32(data + 8));
    const uint16_t bits = read16(data + 14);
    const uint32_t compression = read32(data + 16), coloursUsed = read32(data + 32);
    if (width <= 0 || width > maxCopyIconSide || doubled <= 0 || doubled % 2 != 0 ||
        doubled / 2 > maxCopyIconSide || compression != 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    const int32_t height = doubled / 2;
    const uint64_t colours = bits <= 8 ? (coloursUsed != 0 ? coloursUsed : 1u << bits) : 0;
    if (colours > (1u << std::min<uint16_t>(bits, 8))) return false;
    const uint64_t colourRow = (uint64_t{uint32_t(width)} * bits + 31) / 32 * 4;
    const uint64_t maskRow = (uint64_t{uint32_t(width)} + 31) / 32 * 4;
    const uint64_t pixelsAt = infoHeaderSize + 4 * colours;
    const uint64_t maskAt = pixelsAt + colourRow * height;
    if (maskAt + maskRow * height > size) return false;

    IconPixels out;
    out.width = width;
    out.height = height;
    out.argb.resize(size_t(width) * size_t(height));
    bool anyAlpha = false;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = data + pixelsAt + colourRow * uint64_t(height - 1 - y);
        const uint8_t* mask = data + maskAt + maskRow * uint64_t(height - 1 - y);
        for (int32_t x = 0; x < width; ++x) {
            uint32_t argb = 0;
            if (bits <= 8) {
                const uint32_t bit = uint32_t(x) * bits;
                const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                const uint8_t* quad = data + infoHeaderSize + 4 * size_t(index);
                argb = 0xFF000000u; // past the palette: black
                if (index < colours)
                    argb |= uint32_t(quad[2]) << 16 | uint32_t(quad[1]) << 8 | quad[0];
            } else {
                const uint8_t* p = row + size_t(x) * (bits / 8);
                argb = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0] |
                       (bits == 32 ? uint32_t(p[3]) << 24 : 0xFF000000u);
                anyAlpha = anyAlpha || (bits == 32 && p[3] != 0);
            }
            if ((mask[x / 8] >> (7 - x % 8)) & 1) argb &= 0x00FFFFFFu; // a transparent pixel
            out.argb[size_t(y) * size_t(width) + size_t(x)] = argb;
        }
    }
    // A 32-bit image whose alpha is all 0 predates alpha: only its mask says what shows.
    if (bits == 32 && !anyAlpha)
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* mask = data + maskAt + maskRow * uint64_t(height - 1 - y);
            for (int32_t x = 0; x < width; ++x)
                if (((mask[x / 8] >> (7 - x % 8)) & 1) == 0)
                    out.argb[size_t(y) * size_t(width) + size_t(x)] |= 0xFF000000u;
        }
    icon = std::move(out);
    return true;
}

bool readCopyIcon(const PeFile& pe, uint16_t groupId, IconPixels& icon) {
    icon = {};
    PeResource group;
    std::vector<uint8_t> bytes;
    if (findPeResource(pe, peIconGroup, groupId, group) != PeFault::none ||
        readPeResource(pe, group, bytes) != PeFault::none || bytes.size() < groupHeaderSize ||
        read16(&bytes[2]) != 1)
        return false;
    const size_t count =
        std::min<size_t>(read16(&bytes[4]), (bytes.size() - groupHeaderSize) / groupEntrySize);
    std::vector<GroupEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = &bytes[groupHeaderSize + i * groupEntrySize];
        entries.push_back({e[0] == 0 ? 256 : e[0], read16(e + 6), read16(e + 12)});
    }
    // The largest first, the deepest among those of one size.
    std::stable_sort(entries.begin(), entries.end(), [](const GroupEntry& a, const GroupEntry& b) {
        return a.side != b.side ? a.side > b.side : a.bits > b.bits;
    });
    for (const GroupEntry& entry : entries) {
        PeResource image;
        std::vector<uint8_t> imageBytes;
        if (entry.side <= maxCopyIconSide &&
            findPeResource(pe, peIcon, entry.id, image) == PeFault::none &&
            readPeResource(pe, image, imageBytes) == PeFault::none &&
            decodeIconImage(imageBytes.data(), imageBytes.size(), icon))
            return true;
    }
    return false;
}

} // namespace zema
