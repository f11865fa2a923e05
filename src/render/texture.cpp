// Textures: making them from ARGB texels, releasing them, and reading their texels.
#include "render/texture.h"

#include <algorithm>
#include <new>

namespace zema {

Texture* createTexture(int32_t width, int32_t height, const uint32_t* argb) {
    if (argb == nullptr || width <= 0 || height <= 0 || width > maxBitmapSide ||
        height > maxBitmapSide)
        return nullptr;
    Texture* texture = new (std::nothrow) Texture{};
    if (texture == nullptr) return nullptr;
    texture->width = width;
    texture->height = height;
    texture->format = TextureFormat::A8R8G8B8;
    texture->bitsPerTexel = 32;
    texture->rowBytes = width * 4;
    texture->texels.assign(argb, argb + static_cast<size_t>(width) * height);
    return texture;
}

void releaseTexture(Texture* texture) {
    delete texture;
}

int32_t textureWidth(const Texture& texture) {
    return texture.width;
}
int32_t textureHeight(const Texture& texture) {
    return texture.height;
}

size_t textureBytes(const Texture& texture) {
    return sizeof texture + texture.indices.capacity() +
           texture.sameAsRowAbove.capacity() * sizeof(uint64_t) +
           texture.texels.capacity() * sizeof(uint32_t);
}

uint32_t textureTexel(const Texture& texture, int32_t x, int32_t y) {
    uint32_t texel = 0;
    fetchTextureRow(texture, y, x, 1, &texel);
    return texel;
}

void fetchTextureRow(const Texture& texture, int32_t y, int64_t x0, int32_t count, uint32_t* out) {
    const int32_t row = std::clamp(y, 0, texture.height - 1);
    const int32_t last = texture.width - 1;
    // Columns left of the texture repeat column 0, those right of it the last column.
    int32_t i = 0;
    if (x0 < 0) {
        const int32_t before = static_cast<int32_t>(std::min<int64_t>(count, -x0));
        std::fill(out, out + before, textureTexel(texture, 0, row));
        i = before;
    }
    const int32_t inside =
        static_cast<int32_t>(std::clamp<int64_t>(int64_t{last} + 1 - (x0 + i), 0, count - i));
    const int64_t start = x0 + i; // inside the texture whenever inside > 0
    if (texture.bitsPerTexel == 32) {
        const uint32_t* src = texture.texels.data() + static_cast<size_t>(row) * texture.width;
        std::copy(src + start, src + start + inside, out + i);
    } else {
        const uint8_t* src = texture.indices.data() + static_cast<size_t>(row) * texture.rowBytes;
        if (texture.bitsPerTexel == 8) {
            for (int32_t k = 0; k < inside; ++k)
                out[i + k] = texture.palette[src[start + k]];
        } else {
            for (int32_t k = 0; k < inside; ++k) {
                const int64_t x = start + k;
                const uint8_t pair = src[x >> 1];
                out[i + k] = texture.palette[(x & 1) ? pair & 0x0F : pair >> 4];
            }
        }
    }
    i += inside;
    if (i < count) {
        uint32_t edge = 0;
        fetchTextureRow(texture, row, last, 1, &edge);
        std::fill(out + i, out + count, edge);
    }
}

} // namespace zema
