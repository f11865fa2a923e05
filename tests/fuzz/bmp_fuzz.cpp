// libFuzzer target: any bytes as a bitmap, read, loaded (at its own size and doubled) and
// drawn with draw arguments taken from the input's first bytes; drawn over a clear in one pass
// too, which must come out as the clear and the draw one after the other; on every row-kernel
// path the build and processor have, each drawing the portable path's pixels.
#include <cmath>
#include <cstring>
#include <vector>

#include "render/bmp_reader.h"
#include "render/compositor.h"
#include "render/pixel_rows.h"

using namespace zema;

namespace {

template <typename T> T take(const uint8_t*& data, size_t& size) {
    T value{};
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first 36 bytes are the draw; the rest is the bitmap.
    SourceRect source{};
    source.left = take<int32_t>(data, size) % 4096;
    source.top = take<int32_t>(data, size) % 4096;
    source.right = take<int32_t>(data, size);
    source.bottom = take<int32_t>(data, size);
    const Vector2 scaling{take<float>(data, size), take<float>(data, size)};
    const Vector2 translation{take<float>(data, size), take<float>(data, size)};
    const uint32_t colour = take<uint32_t>(data, size);

    BitmapView view;
    if (!readBitmap(data, size, view)) return 0;
    unsigned sum = 0;
    for (int32_t y = 0; y < view.height; y += 1 + view.height / 64)
        for (int32_t x = 0; x < view.width; ++x)
            sum += view.palette[bitmapIndex(view, x, y)];
    if (int64_t{view.width} * view.height > (1 << 20)) return static_cast<int>(sum & 0);

    const bool doubled = int64_t{view.width} * view.height <= (1 << 14);
    Texture* texture = loadTextureFromBitmap(
        data, size, view.width * (doubled ? 2 : 1), view.height * (doubled ? 2 : 1),
        colour & 1 ? TextureFormat::A1R5G5B5 : TextureFormat::A8R8G8B8);
    if (texture == nullptr) __builtin_trap(); // a bitmap the reader took must load
    static std::vector<uint32_t> pixels(64 * 48), portable;
    const std::vector<uint32_t> before = pixels;
    for (const PixelPath path : allPixelPaths) {
        if (!usePixelPath(path)) continue;
        pixels = before;
        BackBuffer target{pixels.data(), 64, 48, 64};
        compositeDraw(target, *texture, source, scaling, translation, colour);
        if (path == PixelPath::portable)
            portable = pixels;
        else if (pixels != portable)
            __builtin_trap();
    }

    for (const PixelPath path : allPixelPaths) {
        if (!usePixelPath(path)) continue;
        // Small targets, so that whole-target draws come up.
        const int32_t width = 1 + static_cast<int32_t>(colour >> 8 & 63);
        const int32_t height = 1 + static_cast<int32_t>(colour >> 14 & 15);
        static std::vector<uint32_t> inOnePass, oneAfterOther;
        inOnePass.assign(static_cast<size_t>(width) * height, 0xFF123456u);
        oneAfterOther = inOnePass;
        BackBuffer fused{inOnePass.data(), width, height, width};
        BackBuffer apart{oneAfterOther.data(), width, height, width};
        const Vector2 whole{std::floor(translation.x), std::floor(translation.y)};
        const uint32_t clear = colour * 2654435761u;
        if (compositeClearAndDraw(fused, clear, *texture, source, {1, scaling.y < 0 ? -1.0f : 1.0f},
                                  whole, 0xFFFFFFFFu)) {
            usePixelPath(PixelPath::portable); // the one pass on each path, as the portable two
            compositeClear(apart, clear);
            compositeDraw(apart, *texture, source, {1, scaling.y < 0 ? -1.0f : 1.0f}, whole,
                          0xFFFFFFFFu);
            if (inOnePass != oneAfterOther) __builtin_trap();
        } else if (inOnePass != oneAfterOther) {
            __builtin_trap(); // refused, yet changed
        }
    }
    releaseTexture(texture);
    return 0;
}
