// The row kernels in WebAssembly SIMD, for the browser build: the SSSE3 kernels' lookups with
// i8x16.swizzle, 32 texels at a time.
#include "render/pixel_rows.h"

#ifdef __wasm_simd128__

#include <wasm_simd128.h>

namespace zema {

namespace {

inline v128_t interleaveLow8(v128_t a, v128_t b) {
    return wasm_i8x16_shuffle(a, b, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
}
inline v128_t interleaveHigh8(v128_t a, v128_t b) {
    return wasm_i8x16_shuffle(a, b, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31);
}
inline v128_t interleaveLow16(v128_t a, v128_t b) {
    return wasm_i16x8_shuffle(a, b, 0, 8, 1, 9, 2, 10, 3, 11);
}
inline v128_t interleaveHigh16(v128_t a, v128_t b) {
    return wasm_i16x8_shuffle(a, b, 4, 12, 5, 13, 6, 14, 7, 15);
}

struct Planes {
    v128_t blue, green, red, alpha;
};

// 16 texels of indices over 16 pixels at out. Over the picture a transparent texel's colour is
// 0 and a shown one's alpha 0xFF (CopyTables), so the alpha plane says which pixels are kept.
template <bool Cleared>
inline void copySixteen(uint32_t* out, v128_t indices, const Planes& planes) {
    const v128_t alpha = wasm_i8x16_swizzle(planes.alpha, indices);
    if (!Cleared && !wasm_v128_any_true(alpha)) return; // all transparent
    // All shown: nothing of the picture below is kept, so it is not read.
    const bool keeps = !Cleared && !wasm_i8x16_all_true(alpha);
    const v128_t blue = wasm_i8x16_swizzle(planes.blue, indices);
    const v128_t green = wasm_i8x16_swizzle(planes.green, indices);
    const v128_t red = wasm_i8x16_swizzle(planes.red, indices);
    const v128_t blueGreenLow = interleaveLow8(blue, green);
    const v128_t blueGreenHigh = interleaveHigh8(blue, green);
    const v128_t redAlphaLow = interleaveLow8(red, alpha);
    const v128_t redAlphaHigh = interleaveHigh8(red, alpha);
    const v128_t colours[4] = {interleaveLow16(blueGreenLow, redAlphaLow),
                               interleaveHigh16(blueGreenLow, redAlphaLow),
                               interleaveLow16(blueGreenHigh, redAlphaHigh),
                               interleaveHigh16(blueGreenHigh, redAlphaHigh)};
    for (int k = 0; k < 4; ++k) {
        v128_t pixels = colours[k];
        if (keeps) {
            const v128_t keep = wasm_i32x4_eq(pixels, wasm_i32x4_splat(0));
            pixels = wasm_v128_or(pixels, wasm_v128_and(wasm_v128_load(out + 4 * k), keep));
        }
        wasm_v128_store(out + 4 * k, pixels);
    }
}

// 16 bytes of indices from src: for an odd row each byte is made of the low nibble of one and
// the high nibble of the next.
template <bool Odd> inline v128_t sixteenPairsAt(const uint8_t* src) {
    if constexpr (Odd)
        return wasm_v128_or(wasm_i8x16_shl(wasm_v128_load(src), 4),
                            wasm_u8x16_shr(wasm_v128_load(src + 1), 4));
    else
        return wasm_v128_load(src);
}

template <bool Cleared, bool Odd>
void copyPairs(uint32_t* out, const uint8_t* src, int32_t pairs, const CopyTables& tables) {
    if (pairs < 16) {
        copyPairsOf(portableRows, Cleared, Odd)(out, src, pairs, tables);
        return;
    }
    const Planes planes = {
        wasm_v128_load(tables.colourPlanes[0]), wasm_v128_load(tables.colourPlanes[1]),
        wasm_v128_load(tables.colourPlanes[2]), wasm_v128_load(tables.colourPlanes[3])};
    const v128_t low = wasm_i8x16_splat(0x0F);
    int32_t p = 0;
    while (p < pairs) {
        // The last block ends where the row does, over pixels the one before drew already: a
        // pixel drawn twice comes out the same.
        if (p + 16 > pairs) p = pairs - 16;
        const v128_t bytes = sixteenPairsAt<Odd>(src + p);
        const uint8_t pair = wasm_u8x16_extract_lane(bytes, 0);
        const v128_t repeated = wasm_i8x16_splat(pair);
        if (!wasm_v128_any_true(wasm_v128_xor(bytes, repeated))) {
            // One byte repeated (the map's corridors and plain walls): the 32 pixels are one
            // pair of colours repeated, stored whole with no lookups, for as long as the byte
            // goes on.
            if (Cleared || tables.pairKeep[pair] == 0) {
                const v128_t colours =
                    wasm_i64x2_splat(static_cast<int64_t>(tables.pairColours[pair]));
                do {
                    for (int k = 0; k < 8; ++k)
                        wasm_v128_store(out + 2 * p + 4 * k, colours);
                    p += 16;
                } while (p + 16 <= pairs && !wasm_v128_any_true(wasm_v128_xor(
                                                sixteenPairsAt<Odd>(src + p), repeated)));
                continue;
            }
            if (tables.pairKeep[pair] == ~uint64_t{0}) { // both transparent over the picture
                p += 16;
                continue;
            }
        }
        const v128_t left = wasm_u8x16_shr(bytes, 4), right = wasm_v128_and(bytes, low);
        copySixteen<Cleared>(out + 2 * p, interleaveLow8(left, right), planes);
        copySixteen<Cleared>(out + 2 * p + 16, interleaveHigh8(left, right), planes);
        p += 16;
    }
}

// (s * a + d * (255 - a) + 127) / 255 in 16-bit lanes; x / 255 is (x + 1 + (x >> 8)) >> 8 for
// every x up to 255 * 255 + 127.
inline v128_t mixChannels(v128_t s, v128_t d, v128_t a) {
    const v128_t x =
        wasm_i16x8_add(wasm_i16x8_add(wasm_i16x8_mul(s, a),
                                      wasm_i16x8_mul(d, wasm_i16x8_sub(wasm_i16x8_splat(255), a))),
                       wasm_i16x8_splat(127));
    return wasm_u16x8_shr(
        wasm_i16x8_add(wasm_i16x8_add(x, wasm_i16x8_splat(1)), wasm_u16x8_shr(x, 8)), 8);
}

// Four ARGB texels over four pixels, the result opaque.
inline v128_t blendFour(v128_t texels, v128_t below) {
    // Each texel's alpha in its four 16-bit lanes (16 picks a zero byte).
    const v128_t zero = wasm_i32x4_splat(0);
    const v128_t alphaLow =
        wasm_i8x16_shuffle(texels, zero, 3, 16, 3, 16, 3, 16, 3, 16, 7, 16, 7, 16, 7, 16, 7, 16);
    const v128_t alphaHigh = wasm_i8x16_shuffle(texels, zero, 11, 16, 11, 16, 11, 16, 11, 16, 15,
                                                16, 15, 16, 15, 16, 15, 16);
    const v128_t low = mixChannels(wasm_u16x8_extend_low_u8x16(texels),
                                   wasm_u16x8_extend_low_u8x16(below), alphaLow);
    const v128_t high = mixChannels(wasm_u16x8_extend_high_u8x16(texels),
                                    wasm_u16x8_extend_high_u8x16(below), alphaHigh);
    return wasm_v128_or(wasm_u8x16_narrow_i16x8(low, high),
                        wasm_i32x4_splat(static_cast<int>(0xFF000000u)));
}

void blendRow(uint32_t* out, const uint32_t* texels, int32_t count) {
    const v128_t alphaBytes = wasm_i32x4_splat(static_cast<int>(0xFF000000u));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const v128_t t = wasm_v128_load(texels + i);
        const v128_t alpha = wasm_v128_and(t, alphaBytes);
        if (wasm_i32x4_all_true(wasm_i32x4_eq(alpha, alphaBytes))) {
            wasm_v128_store(out + i, t);
            continue;
        }
        const v128_t transparent = wasm_i32x4_eq(alpha, wasm_i32x4_splat(0));
        if (wasm_i32x4_all_true(transparent)) continue;
        const v128_t below = wasm_v128_load(out + i);
        // Opaque texels come out of the blend as themselves; transparent ones leave the pixel.
        wasm_v128_store(out + i, wasm_v128_bitselect(below, blendFour(t, below), transparent));
    }
    portableRows.blendRow(out + i, texels + i, count - i);
}

// (a * (256 - w) + b * w + 128) >> 8 a channel, in 16-bit lanes: at most 255 * 256 + 128.
void mixRows(uint32_t* out, const uint32_t* above, const uint32_t* below, int32_t count,
             uint32_t weight) {
    const v128_t half = wasm_i16x8_splat(128);
    const v128_t keep = wasm_i16x8_splat(static_cast<int16_t>(256 - weight));
    const v128_t take = wasm_i16x8_splat(static_cast<int16_t>(weight));
    const auto mixed = [&](v128_t a, v128_t b) {
        return wasm_u16x8_shr(
            wasm_i16x8_add(wasm_i16x8_add(wasm_i16x8_mul(a, keep), wasm_i16x8_mul(b, take)), half),
            8);
    };
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const v128_t a = wasm_v128_load(above + i), b = wasm_v128_load(below + i);
        wasm_v128_store(
            out + i, wasm_u8x16_narrow_i16x8(
                         mixed(wasm_u16x8_extend_low_u8x16(a), wasm_u16x8_extend_low_u8x16(b)),
                         mixed(wasm_u16x8_extend_high_u8x16(a), wasm_u16x8_extend_high_u8x16(b))));
    }
    portableRows.mixRows(out + i, above + i, below + i, count - i, weight);
}

// The same mix with a weight for each texel, as on SSSE3: four texels at a time, loaded one by
// one, each one's weight spread over its channels' 16-bit lanes.
void mixAcross(uint32_t* out, const uint32_t* texels, const int32_t* left, const int32_t* right,
               const uint32_t* weight, int32_t count) {
    const v128_t zero = wasm_i32x4_splat(0), half = wasm_i16x8_splat(128);
    const v128_t whole = wasm_i16x8_splat(256);
    const auto mixed = [&](v128_t a, v128_t b, v128_t take) {
        const v128_t keep = wasm_i16x8_sub(whole, take);
        return wasm_u16x8_shr(
            wasm_i16x8_add(wasm_i16x8_add(wasm_i16x8_mul(a, keep), wasm_i16x8_mul(b, take)), half),
            8);
    };
    const auto gathered = [&](const int32_t* at) {
        return wasm_u32x4_make(texels[at[0]], texels[at[1]], texels[at[2]], texels[at[3]]);
    };
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const v128_t a = gathered(left + i), b = gathered(right + i);
        const v128_t w = wasm_v128_load(weight + i);
        const v128_t takeLow =
            wasm_i8x16_shuffle(w, zero, 0, 16, 0, 16, 0, 16, 0, 16, 4, 16, 4, 16, 4, 16, 4, 16);
        const v128_t takeHigh =
            wasm_i8x16_shuffle(w, zero, 8, 16, 8, 16, 8, 16, 8, 16, 12, 16, 12, 16, 12, 16, 12, 16);
        wasm_v128_store(
            out + i,
            wasm_u8x16_narrow_i16x8(
                mixed(wasm_u16x8_extend_low_u8x16(a), wasm_u16x8_extend_low_u8x16(b), takeLow),
                mixed(wasm_u16x8_extend_high_u8x16(a), wasm_u16x8_extend_high_u8x16(b), takeHigh)));
    }
    portableRows.mixAcross(out + i, texels, left + i, right + i, weight + i, count - i);
}

void fill(uint32_t* out, uint32_t colour, int32_t count) {
    int32_t i = 0;
    for (; i < count && (reinterpret_cast<uintptr_t>(out + i) & 15) != 0; ++i)
        out[i] = colour; // up to the first aligned pixel
    const v128_t colours = wasm_i32x4_splat(static_cast<int32_t>(colour));
    for (; i + 16 <= count; i += 16) {
        for (int k = 0; k < 4; ++k)
            wasm_v128_store(out + i + 4 * k, colours);
    }
    for (; i + 4 <= count; i += 4)
        wasm_v128_store(out + i, colours);
    for (; i < count; ++i)
        out[i] = colour;
}

void swapRedBlueOpaque(uint32_t* out, const uint32_t* in, int32_t count) {
    const v128_t opaque = wasm_i32x4_splat(static_cast<int32_t>(0xFF000000u));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const v128_t pixels = wasm_v128_load(in + i);
        wasm_v128_store(out + i,
                        wasm_v128_or(wasm_i8x16_shuffle(pixels, pixels, 2, 1, 0, 3, 6, 5, 4, 7, 10,
                                                        9, 8, 11, 14, 13, 12, 15),
                                     opaque));
    }
    portableRows.swapRedBlueOpaque(out + i, in + i, count - i);
}

} // namespace

const RowKernels wasmSimdRows = ZEMA_ROW_KERNELS(fill);

} // namespace zema

#endif
