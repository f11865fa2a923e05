// Turns a bitmap into a texture by the load parameters: colour key, format precision, and a
// triangle filter where the requested size differs from the bitmap's.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "render/texture.h"

namespace zema {

namespace {

constexpr uint32_t colourKey = 0xFF0000FF; // opaque pure blue
// Resampled textures hold 32-bit texels; more than this many is taken as a damaged request.
constexpr int64_t maxResampledTexels = int64_t{1} << 24;

uint32_t applyColourKey(uint32_t argb) {
    return argb == colourKey ? 0u : argb;
}

// What an A1R5G5B5 texel gives back when sampled: each colour rounded to the nearest of 32
// levels and widened again by repeating its top bits (31 -> 255, 16 -> 132), alpha 0 below
// half and 255 from half on.
uint32_t throughA1R5G5B5(uint32_t argb) {
    uint32_t out = (argb >> 24) >= 128 ? 0xFF000000u : 0u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t c8 = (argb >> shift) & 0xFF;
        const uint32_t c5 = (c8 * 31 + 127) / 255;
        out |= ((c5 << 3) | (c5 >> 2)) << shift;
    }
    return out;
}

uint32_t finish(uint32_t argb, TextureFormat format) {
    return format == TextureFormat::A1R5G5B5 ? throughA1R5G5B5(argb) : argb;
}

// Mirrors an index into 0..n - 1 the way the filter's mirror addressing does: -1 -> 0,
// n -> n - 1.
int32_t mirrorIndex(int64_t i, int32_t n) {
    const int64_t period = 2 * int64_t{n};
    i %= period;
    if (i < 0) i += period;
    return static_cast<int32_t>(i < n ? i : period - 1 - i);
}

struct Tap {
    int32_t index;
    float weight;
};

// Triangle-filter taps for each of dst output samples taken from src input samples. The tent
// is one input sample wide on each side when enlarging and one output sample when reducing.
void tentTaps(int32_t src, int32_t dst, std::vector<std::vector<Tap>>& taps) {
    const double scale = static_cast<double>(src) / dst;
    const double radius = std::max(1.0, scale);
    taps.assign(dst, {});
    for (int32_t x = 0; x < dst; ++x) {
        const double centre = (x + 0.5) * scale - 0.5;
        const int64_t lo = static_cast<int64_t>(std::floor(centre - radius)) + 1;
        const int64_t hi = static_cast<int64_t>(std::ceil(centre + radius)) - 1;
        double total = 0;
        for (int64_t i = lo; i <= hi; ++i) {
            const double w = 1.0 - std::abs(static_cast<double>(i) - centre) / radius;
            if (w <= 0) continue;
            taps[x].push_back({mirrorIndex(i, src), static_cast<float>(w)});
            total += w;
        }
        for (Tap& tap : taps[x])
            tap.weight = static_cast<float>(tap.weight / total);
    }
}

Texture* resampled(const BitmapView& bitmap, int32_t width, int32_t height, TextureFormat format) {
    std::vector<std::vector<Tap>> across, down;
    tentTaps(bitmap.width, width, across);
    tentTaps(bitmap.height, height, down);

    // Across first, into four float channels per sample; then down into the texels.
    std::vector<float> wide(static_cast<size_t>(bitmap.height) * width * 4);
    std::vector<uint32_t> row(bitmap.width);
    for (int32_t y = 0; y < bitmap.height; ++y) {
        for (int32_t x = 0; x < bitmap.width; ++x)
            row[x] = applyColourKey(bitmap.palette[bitmapIndex(bitmap, x, y)]);
        float* out = wide.data() + static_cast<size_t>(y) * width * 4;
        for (int32_t x = 0; x < width; ++x) {
            float sum[4] = {};
            for (const Tap& tap : across[x])
                for (int c = 0; c < 4; ++c)
                    sum[c] += tap.weight * static_cast<float>((row[tap.index] >> (8 * c)) & 0xFF);
            std::memcpy(out + 4 * x, sum, sizeof sum);
        }
    }
    // Owned until it is whole: a failed allocation below (caught by the caller) frees it.
    auto texture = std::make_unique<Texture>();
    texture->width = width;
    texture->height = height;
    texture->format = format;
    texture->bitsPerTexel = 32;
    texture->rowBytes = width * 4;
    texture->texels.resize(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            float sum[4] = {};
            for (const Tap& tap : down[y]) {
                const float* in = wide.data() + (static_cast<size_t>(tap.index) * width + x) * 4;
                for (int c = 0; c < 4; ++c)
                    sum[c] += tap.weight * in[c];
            }
            uint32_t argb = 0;
            for (int c = 0; c < 4; ++c) {
                const long v = std::lround(sum[c]);
                argb |= static_cast<uint32_t>(std::clamp(v, 0L, 255L)) << (8 * c);
            }
            texture->texels[static_cast<size_t>(y) * width + x] = finish(argb, format);
        }
    }
    return texture.release();
}

Texture* indexed(const BitmapView& bitmap, TextureFormat format) {
    // Owned until it is whole: a failed allocation below (caught by the caller) frees it.
    auto texture = std::make_unique<Texture>();
    texture->width = bitmap.width;
    texture->height = bitmap.height;
    texture->format = format;
    texture->bitsPerTexel = bitmap.bitsPerPixel;
    texture->rowBytes = (bitmap.width * bitmap.bitsPerPixel + 7) / 8;
    texture->indices.resize(static_cast<size_t>(texture->rowBytes) * bitmap.height);
    for (int32_t y = 0; y < bitmap.height; ++y)
        std::memcpy(texture->indices.data() + static_cast<size_t>(y) * texture->rowBytes,
                    bitmap.topRow + bitmap.rowStride * y, texture->rowBytes);
    texture->sameAsRowAbove.assign((static_cast<size_t>(bitmap.height) + 63) / 64, 0);
    for (int32_t y = 1; y < bitmap.height; ++y) {
        const uint8_t* row = texture->indices.data() + static_cast<size_t>(y) * texture->rowBytes;
        if (std::memcmp(row, row - texture->rowBytes, texture->rowBytes) == 0)
            texture->sameAsRowAbove[y / 64] |= uint64_t{1} << (y % 64);
    }
    texture->binaryAlpha = true;
    for (int i = 0; i < 256; ++i) {
        texture->palette[i] = finish(applyColourKey(bitmap.palette[i]), format);
        const uint32_t alpha = texture->palette[i] >> 24;
        if (alpha != 0 && alpha != 255) texture->binaryAlpha = false;
    }
    return texture.release();
}

} // namespace

Texture* loadTextureFromBitmap(const uint8_t* bitmap, size_t size, int32_t width, int32_t height,
                               TextureFormat format) {
    BitmapView view;
    if (!readBitmap(bitmap, size, view)) return nullptr;
    if (width <= 0 || height <= 0 || width > maxBitmapSide || height > maxBitmapSide)
        return nullptr;
    if (format != TextureFormat::A8R8G8B8 && format != TextureFormat::A1R5G5B5) return nullptr;
    try {
        if (width == view.width && height == view.height) return indexed(view, format);
        if (int64_t{width} * height > maxResampledTexels) return nullptr;
        return resampled(view, width, height, format);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace zema
