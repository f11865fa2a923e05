// libFuzzer target: the resource reader on any bytes as a Windows executable, then what the game
// does with what it finds: each picture given its file header, read and loaded, and the icon
// group decoded. Nothing found may lie past the input's end.
#include <cstdlib>

#include "copy/copy_icon.h"
#include "render/compositor.h"

using namespace zema;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PeFile pe;
    if (openPe(memorySource(data, size), pe) != PeFault::none) return 0;
    for (const uint16_t id : {111, 113, 142, 143, 144}) {
        PeResource found;
        std::vector<uint8_t> bytes;
        if (findPeResource(pe, peBitmap, id, found) != PeFault::none) continue;
        if (found.offset > size || found.size > size - found.offset ||
            readPeResource(pe, found, bytes) != PeFault::none)
            std::abort();
        const std::vector<uint8_t> file = bitmapFileFromResource(bytes.data(), bytes.size());
        BitmapView view;
        if (readBitmap(file.data(), file.size(), view))
            releaseTexture(loadTextureFromBitmap(file.data(), file.size(), view.width, view.height,
                                                 TextureFormat::A1R5G5B5));
    }
    IconPixels icon;
    if (readCopyIcon(pe, 123, icon) && icon.argb.size() != size_t(icon.width) * size_t(icon.height))
        std::abort();
    return 0;
}
