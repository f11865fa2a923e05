// The portable row kernels: plain C++ for any processor, and the measure of the vector ones.
#include <cstring>

#include "render/pixel_rows.h"

namespace zema {

namespace {

// Two 4-bit texels packed in one byte, over two pixels at once.
template <bool Cleared>
inline void copyTexelPair(uint32_t* pixels, uint8_t pair, const CopyTables& tables) {
    if constexpr (Cleared) {
        std::memcpy(pixels, &tables.pairColours[pair], 8);
    } else {
        uint64_t below;
        std::memcpy(&below, pixels, 8);
        below = (below & tables.pairKeep[pair]) | tables.pairColours[pair];
        std::memcpy(pixels, &below, 8);
    }
}

// The byte of indices of pair k, the left texel high: for an odd row the pair straddles bytes
// k and k + 1. And eight of them at once, the first in the low byte.
template <bool Odd> inline uint8_t pairAt(const uint8_t* src, int32_t k) {
    if constexpr (Odd)
        return static_cast<uint8_t>(src[k] << 4 | src[k + 1] >> 4);
    else
        return src[k];
}

template <bool Odd> inline uint64_t eightPairsAt(const uint8_t* src, int32_t k) {
    uint64_t chunk;
    std::memcpy(&chunk, src + k, 8);
    if constexpr (Odd) {
        uint64_t next;
        std::memcpy(&next, src + k + 1, 8);
        chunk = (chunk << 4 & 0xF0F0F0F0F0F0F0F0ull) | (next >> 4 & 0x0F0F0F0F0F0F0F0Full);
    }
    return chunk;
}

// Runs of one index (the map's corridors and plain walls) are skipped or filled 16 texels at a
// time; other texels go two at a time through tables indexed by a whole byte of indices.
template <bool Cleared, bool Odd>
void copyPairs(uint32_t* out, const uint8_t* src, int32_t pairs, const CopyTables& tables) {
    constexpr uint64_t everyByte = 0x0101010101010101ull;
    int32_t p = 0;
    for (; p + 8 <= pairs; p += 8) {
        const uint64_t chunk = eightPairsAt<Odd>(src, p);
        const uint8_t first = chunk & 0xFF;
        if (chunk == first * everyByte) {
            if (tables.pairKeep[first] == ~uint64_t{0}) continue; // sixteen transparent texels
            if (tables.pairKeep[first] == 0 && (first >> 4) == (first & 0x0F)) {
                // One shown colour: the run goes on as long as the indices do, in one fill.
                const int32_t start = p;
                while (p + 16 <= pairs && eightPairsAt<Odd>(src, p + 8) == chunk)
                    p += 8;
                fillWide(out + 2 * start, tables.colours[first & 0x0F], 2 * (p + 8 - start));
                continue;
            }
            if (tables.pairKeep[first] == 0) {
                for (int q = 0; q < 8; ++q)
                    std::memcpy(out + 2 * (p + q), &tables.pairColours[first], 8);
                continue;
            }
        }
        for (int q = 0; q < 8; ++q)
            copyTexelPair<Cleared>(out + 2 * (p + q), static_cast<uint8_t>(chunk >> 8 * q), tables);
    }
    for (; p < pairs; ++p)
        copyTexelPair<Cleared>(out + 2 * p, pairAt<Odd>(src, p), tables);
}

// Most texels are fully opaque or fully transparent: copy or skip those.
void blendRow(uint32_t* out, const uint32_t* texels, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const uint32_t t = texels[i];
        if (t >= 0xFF000000u)
            out[i] = t;
        else if (t >= 0x01000000u)
            out[i] = blendPartial(t, out[i], t >> 24);
    }
}

void mixRows(uint32_t* out, const uint32_t* above, const uint32_t* below, int32_t count,
             uint32_t weight) {
    for (int32_t i = 0; i < count; ++i)
        out[i] = mix(above[i], below[i], weight);
}

void mixAcross(uint32_t* out, const uint32_t* texels, const int32_t* left, const int32_t* right,
               const uint32_t* weight, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        out[i] = mix(texels[left[i]], texels[right[i]], weight[i]);
}

void swapRedBlueOpaque(uint32_t* out, const uint32_t* in, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const uint32_t p = in[i];
        out[i] = (p & 0x0000FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16 | 0xFF000000u;
    }
}

} // namespace

const RowKernels portableRows = ZEMA_ROW_KERNELS(fillWide);

} // namespace zema
