// The row kernels in NEON, for 64-bit ARM (Raspberry Pis, handhelds), where NEON is part of the
// architecture and so always runs. As in WebAssembly, a 4-bit texel is a 16-entry lookup per byte
// plane (tbl); NEON's structured loads and stores (ld4, st4) split pixels into their four byte
// planes and weave them back in one instruction.
#include "render/pixel_rows.h"

#ifdef __aarch64__

#include <arm_neon.h>

namespace zema {

namespace {

struct Planes {
    uint8x16_t blue, green, red, alpha;
};

uint8x16x4_t loadPixels(const uint32_t* pixels) {
    return vld4q_u8(reinterpret_cast<const uint8_t*>(pixels));
}
void storePixels(uint32_t* pixels, uint8x16x4_t planes) {
    vst4q_u8(reinterpret_cast<uint8_t*>(pixels), planes);
}

// 16 texels of indices over 16 pixels at out. Over the picture a transparent texel's colour is
// 0 and a shown one's alpha 0xFF (CopyTables), so the alpha plane says which pixels are kept.
template <bool Cleared>
inline void copySixteen(uint32_t* out, uint8x16_t indices, const Planes& planes) {
    const uint8x16_t alpha = vqtbl1q_u8(planes.alpha, indices);
    if (!Cleared && vmaxvq_u8(alpha) == 0) return; // all transparent
    uint8x16x4_t colours = {{vqtbl1q_u8(planes.blue, indices), vqtbl1q_u8(planes.green, indices),
                             vqtbl1q_u8(planes.red, indices), alpha}};
    // All shown: nothing of the picture below is kept, so it is not read.
    if (!Cleared && vminvq_u8(alpha) == 0) {
        const uint8x16_t keep = vceqzq_u8(alpha);
        const uint8x16x4_t below = loadPixels(out);
        for (int k = 0; k < 4; ++k)
            colours.val[k] = vbslq_u8(keep, below.val[k], colours.val[k]);
    }
    storePixels(out, colours);
}

// 16 bytes of indices from src: for an odd row each byte is made of the low nibble of one and
// the high nibble of the next.
template <bool Odd> inline uint8x16_t sixteenPairsAt(const uint8_t* src) {
    if constexpr (Odd)
        return vsriq_n_u8(vshlq_n_u8(vld1q_u8(src), 4), vld1q_u8(src + 1), 4);
    else
        return vld1q_u8(src);
}

// Four registers of the same four pixels, for stores of 16 pixels at once (st1 of four).
inline uint32x4x4_t sixteenOf(uint32x4_t four) {
    return {{four, four, four, four}};
}

inline bool allEqual(uint8x16_t bytes, uint8x16_t repeated) {
    return vminvq_u8(vceqq_u8(bytes, repeated)) != 0;
}

template <bool Cleared, bool Odd>
void copyPairs(uint32_t* out, const uint8_t* src, int32_t pairs, const CopyTables& tables) {
    if (pairs < 16) {
        copyPairsOf(portableRows, Cleared, Odd)(out, src, pairs, tables);
        return;
    }
    const Planes planes = {vld1q_u8(tables.colourPlanes[0]), vld1q_u8(tables.colourPlanes[1]),
                           vld1q_u8(tables.colourPlanes[2]), vld1q_u8(tables.colourPlanes[3])};
    int32_t p = 0;
    while (p < pairs) {
        // The last block ends where the row does, over pixels the one before drew already: a
        // pixel drawn twice comes out the same.
        if (p + 16 > pairs) p = pairs - 16;
        const uint8x16_t bytes = sixteenPairsAt<Odd>(src + p);
        const uint8_t pair = vgetq_lane_u8(bytes, 0);
        const uint8x16_t repeated = vdupq_n_u8(pair);
        if (allEqual(bytes, repeated)) {
            // One byte repeated (the map's corridors and plain walls): the 32 pixels are one
            // pair of colours repeated, stored whole with no lookups, for as long as the byte
            // goes on.
            if (Cleared || tables.pairKeep[pair] == 0) {
                const uint32x4x4_t colours =
                    sixteenOf(vreinterpretq_u32_u64(vdupq_n_u64(tables.pairColours[pair])));
                do {
                    vst1q_u32_x4(out + 2 * p, colours);
                    vst1q_u32_x4(out + 2 * p + 16, colours);
                    p += 16;
                } while (p + 16 <= pairs && allEqual(sixteenPairsAt<Odd>(src + p), repeated));
                continue;
            }
            if (tables.pairKeep[pair] == ~uint64_t{0}) { // both transparent over the picture
                p += 16;
                continue;
            }
        }
        const uint8x16_t left = vshrq_n_u8(bytes, 4), right = vandq_u8(bytes, vdupq_n_u8(0x0F));
        copySixteen<Cleared>(out + 2 * p, vzip1q_u8(left, right), planes);
        copySixteen<Cleared>(out + 2 * p + 16, vzip2q_u8(left, right), planes);
        p += 16;
    }
}

// x / 255 rounded to nearest, for x up to 255 * 255: (x + 128 + ((x + 128) >> 8)) >> 8. As
// blendPartial's (x + 127) / 255: x / 255 is never halfway between two whole numbers.
inline uint8x8_t divide255(uint16x8_t x) {
    return vrshrn_n_u16(vrsraq_n_u16(x, x, 8), 8);
}

// One byte plane of 16 texels over that of 16 pixels: s * a + d * (255 - a), divided by 255.
inline uint8x16_t blendPlane(uint8x16_t s, uint8x16_t d, uint8x16_t a, uint8x16_t rest) {
    const uint16x8_t low =
        vmlal_u8(vmull_u8(vget_low_u8(s), vget_low_u8(a)), vget_low_u8(d), vget_low_u8(rest));
    const uint16x8_t high = vmlal_high_u8(vmull_high_u8(s, a), d, rest);
    return vcombine_u8(divide255(low), divide255(high));
}

void blendRow(uint32_t* out, const uint32_t* texels, int32_t count) {
    int32_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const uint8x16x4_t t = loadPixels(texels + i);
        const uint8x16_t alpha = t.val[3];
        if (vminvq_u8(alpha) == 0xFF) {
            storePixels(out + i, t);
            continue;
        }
        if (vmaxvq_u8(alpha) == 0) continue;
        // Opaque texels come out of the blend as themselves and transparent ones as the pixel;
        // only the alpha of a pixel under a transparent texel is its own.
        uint8x16x4_t below = loadPixels(out + i);
        const uint8x16_t rest = vmvnq_u8(alpha);
        for (int k = 0; k < 3; ++k)
            below.val[k] = blendPlane(t.val[k], below.val[k], alpha, rest);
        below.val[3] = vorrq_u8(below.val[3], vtstq_u8(alpha, alpha));
        storePixels(out + i, below);
    }
    portableRows.blendRow(out + i, texels + i, count - i);
}

// (a * (256 - w) + b * w + 128) >> 8 a channel: at most 255 * 256 + 128, which fits 16 bits.
void mixRows(uint32_t* out, const uint32_t* above, const uint32_t* below, int32_t count,
             uint32_t weight) {
    const uint8x8_t keep = vdup_n_u8(static_cast<uint8_t>(256 - weight));
    const uint8x8_t take = vdup_n_u8(static_cast<uint8_t>(weight));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const uint8x16_t a = vreinterpretq_u8_u32(vld1q_u32(above + i));
        const uint8x16_t b = vreinterpretq_u8_u32(vld1q_u32(below + i));
        const uint16x8_t low = vmlal_u8(vmull_u8(vget_low_u8(a), keep), vget_low_u8(b), take);
        const uint16x8_t high = vmlal_u8(vmull_u8(vget_high_u8(a), keep), vget_high_u8(b), take);
        vst1q_u32(out + i, vreinterpretq_u32_u8(vrshrn_high_n_u16(vrshrn_n_u16(low, 8), high, 8)));
    }
    portableRows.mixRows(out + i, above + i, below + i, count - i, weight);
}

// The same mix with a weight for each texel (0..255), four texels at a time, loaded one by one:
// a * 256 - a * w + b * w, so that a weight of 0 needs no 256 in a byte.
void mixAcross(uint32_t* out, const uint32_t* texels, const int32_t* left, const int32_t* right,
               const uint32_t* weight, int32_t count) {
    const auto gathered = [&](const int32_t* at) {
        uint32x4_t four = vdupq_n_u32(texels[at[0]]);
        four = vsetq_lane_u32(texels[at[1]], four, 1);
        four = vsetq_lane_u32(texels[at[2]], four, 2);
        return vreinterpretq_u8_u32(vsetq_lane_u32(texels[at[3]], four, 3));
    };
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const uint8x16_t a = gathered(left + i), b = gathered(right + i);
        // Each weight in the four bytes of its texel.
        const uint8x16_t w = vreinterpretq_u8_u32(vmulq_n_u32(vld1q_u32(weight + i), 0x01010101u));
        uint16x8_t low = vshll_n_u8(vget_low_u8(a), 8), high = vshll_high_n_u8(a, 8);
        low =
            vmlal_u8(vmlsl_u8(low, vget_low_u8(a), vget_low_u8(w)), vget_low_u8(b), vget_low_u8(w));
        high = vmlal_high_u8(vmlsl_high_u8(high, a, w), b, w);
        vst1q_u32(out + i, vreinterpretq_u32_u8(vrshrn_high_n_u16(vrshrn_n_u16(low, 8), high, 8)));
    }
    portableRows.mixAcross(out + i, texels, left + i, right + i, weight + i, count - i);
}

// Four pixels first, then aligned stores from the next 16-byte boundary on (a store across two
// cache lines costs nearly two), and the last four over pixels already filled.
void fill(uint32_t* out, uint32_t colour, int32_t count) {
    if (count < 4) {
        portableRows.fill(out, colour, count);
        return;
    }
    const uint32x4_t colours = vdupq_n_u32(colour);
    const uint32x4x4_t sixteen = sixteenOf(colours);
    uint32_t* const end = out + count;
    vst1q_u32(out, colours);
    uint32_t* at = out + (4 - (reinterpret_cast<uintptr_t>(out) >> 2 & 3));
    for (; at + 16 <= end; at += 16)
        vst1q_u32_x4(at, sixteen);
    for (; at + 4 <= end; at += 4)
        vst1q_u32(at, colours);
    vst1q_u32(end - 4, colours);
}

void swapRedBlueOpaque(uint32_t* out, const uint32_t* in, int32_t count) {
    int32_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const uint8x16x4_t pixels = loadPixels(in + i);
        storePixels(out + i, {{pixels.val[2], pixels.val[1], pixels.val[0], vdupq_n_u8(0xFF)}});
    }
    portableRows.swapRedBlueOpaque(out + i, in + i, count - i);
}

} // namespace

const RowKernels neonRows = ZEMA_ROW_KERNELS(fill);

} // namespace zema

#endif
