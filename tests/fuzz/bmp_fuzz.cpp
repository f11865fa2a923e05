// libFuzzer target: any bytes as a bitmap, read, loaded (at its own size and doubled) and
// drawn with draw arguments taken from the input's first bytes.
#include <cstring>
#include <vector>

#include "render/bmp_reader.h"
#include "render/compositor.h"

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
    static std::vector<uint32_t> pixels(64 * 48);
    BackBuffer target{pixels.data(), 64, 48, 64};
    compositeDraw(target, *texture, source, scaling, translation, colour);
    releaseTexture(texture);
    return 0;
}
