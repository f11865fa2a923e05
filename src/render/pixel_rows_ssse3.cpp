// The row kernels in SSSE3, for x86 processors that have it (nearly all since 2008): a 4-bit
// texel is a 16-entry table lookup (pshufb) per byte plane, 32 texels at a time. Only these
// functions are built for SSSE3, so the build runs on any x86-64.
#include "render/pixel_rows.h"
#include "render/pixel_rows_x86.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#define ZEMA_SSSE3 __attribute__((target("ssse3")))

namespace zema {

namespace {

// The 32 texel indices of 16 bytes, in order: the left texel of each byte is its high nibble.
ZEMA_SSSE3 inline void splitNibbles(__m128i bytes, __m128i& first, __m128i& second) {
    const __m128i low = _mm_set1_epi8(0x0F);
    const __m128i left = _mm_and_si128(_mm_srli_epi16(bytes, 4), low);
    const __m128i right = _mm_and_si128(bytes, low);
    first = _mm_unpacklo_epi8(left, right);
    second = _mm_unpackhi_epi8(left, right);
}

// The four byte planes of 16 pixels woven into their ARGB values, four pixels a register.
ZEMA_SSSE3 inline void weavePlanes(__m128i blue, __m128i green, __m128i red, __m128i alpha,
                                   __m128i out[4]) {
    const __m128i blueGreenLow = _mm_unpacklo_epi8(blue, green);
    const __m128i blueGreenHigh = _mm_unpackhi_epi8(blue, green);
    const __m128i redAlphaLow = _mm_unpacklo_epi8(red, alpha);
    const __m128i redAlphaHigh = _mm_unpackhi_epi8(red, alpha);
    out[0] = _mm_unpacklo_epi16(blueGreenLow, redAlphaLow);
    out[1] = _mm_unpackhi_epi16(blueGreenLow, redAlphaLow);
    out[2] = _mm_unpacklo_epi16(blueGreenHigh, redAlphaHigh);
    out[3] = _mm_unpackhi_epi16(blueGreenHigh, redAlphaHigh);
}

struct Planes {
    __m128i blue, green, red, alpha;
};

ZEMA_SSSE3 inline __m128i plane(const uint8_t* bytes) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes));
}

ZEMA_SSSE3 inline Planes loadPlanes(const CopyTables& tables) {
    return {plane(tables.colourPlanes[0]), plane(tables.colourPlanes[1]),
            plane(tables.colourPlanes[2]), plane(tables.colourPlanes[3])};
}

// 16 texels of indices over 16 pixels at out. Over the picture a transparent texel's colour is
// 0 and a shown one's alpha 0xFF (CopyTables), so the alpha plane says which pixels are kept.
template <bool Cleared>
ZEMA_SSSE3 inline void copySixteen(uint32_t* out, __m128i indices, const Planes& planes) {
    __m128i* pixels = reinterpret_cast<__m128i*>(out);
    const __m128i alpha = _mm_shuffle_epi8(planes.alpha, indices);
    const int shown = _mm_movemask_epi8(alpha);
    if (!Cleared && shown == 0) return; // all transparent
    // All shown: nothing of the picture below is kept, so it is not read.
    const bool keeps = !Cleared && shown != 0xFFFF;
    __m128i colours[4];
    weavePlanes(_mm_shuffle_epi8(planes.blue, indices), _mm_shuffle_epi8(planes.green, indices),
                _mm_shuffle_epi8(planes.red, indices), alpha, colours);
    for (int k = 0; k < 4; ++k) {
        if (keeps) {
            const __m128i keep = _mm_cmpeq_epi32(colours[k], _mm_setzero_si128());
            colours[k] = _mm_or_si128(colours[k], _mm_and_si128(_mm_loadu_si128(pixels + k), keep));
        }
        _mm_storeu_si128(pixels + k, colours[k]);
    }
}

template <bool Cleared, bool Odd>
ZEMA_SSSE3 void copyPairs(uint32_t* out, const uint8_t* src, int32_t pairs,
                          const CopyTables& tables) {
    if (pairs < 16) {
        copyPairsOf(portableRows, Cleared, Odd)(out, src, pairs, tables);
        return;
    }
    const Planes planes = loadPlanes(tables);
    for (int32_t p = 0; p < pairs; p += 16) {
        // The last block ends where the row does, over pixels the one before drew already: a
        // pixel drawn twice comes out the same.
        if (p + 16 > pairs) p = pairs - 16;
        __m128i first, second;
        splitNibbles(sixteenPairsAt<Odd>(src + p), first, second);
        copySixteen<Cleared>(out + 2 * p, first, planes);
        copySixteen<Cleared>(out + 2 * p + 16, second, planes);
    }
}

// (s * a + d * (255 - a) + 127) / 255 in 16-bit lanes; x / 255 is (x + 1 + (x >> 8)) >> 8 for
// every x up to 255 * 255 + 127.
ZEMA_SSSE3 inline __m128i mixChannels(__m128i s, __m128i d, __m128i a) {
    const __m128i x =
        _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(s, a),
                                    _mm_mullo_epi16(d, _mm_sub_epi16(_mm_set1_epi16(255), a))),
                      _mm_set1_epi16(127));
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8)),
                          8);
}

// Four ARGB texels over four pixels, the result opaque.
ZEMA_SSSE3 inline __m128i blendFour(__m128i texels, __m128i below) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaLow = _mm_shuffle_epi8(
        texels, _mm_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1));
    const __m128i alphaHigh = _mm_shuffle_epi8(
        texels, _mm_setr_epi8(11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1));
    const __m128i low =
        mixChannels(_mm_unpacklo_epi8(texels, zero), _mm_unpacklo_epi8(below, zero), alphaLow);
    const __m128i high =
        mixChannels(_mm_unpackhi_epi8(texels, zero), _mm_unpackhi_epi8(below, zero), alphaHigh);
    return _mm_or_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}

ZEMA_SSSE3 void blendRow(uint32_t* out, const uint32_t* texels, int32_t count) {
    const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels + i));
        __m128i* pixels = reinterpret_cast<__m128i*>(out + i);
        const __m128i alpha = _mm_and_si128(t, alphaBytes);
        const int opaque = _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, alphaBytes));
        if (opaque == 0xFFFF) {
            _mm_storeu_si128(pixels, t);
            continue;
        }
        const __m128i transparent = _mm_cmpeq_epi32(alpha, _mm_setzero_si128());
        if (_mm_movemask_epi8(transparent) == 0xFFFF) continue;
        const __m128i below = _mm_loadu_si128(pixels);
        // Opaque texels come out of the blend as themselves; transparent ones leave the pixel.
        const __m128i blended = blendFour(t, below);
        _mm_storeu_si128(pixels, _mm_or_si128(_mm_and_si128(transparent, below),
                                              _mm_andnot_si128(transparent, blended)));
    }
    portableRows.blendRow(out + i, texels + i, count - i);
}

// (a * (256 - w) + b * w + 128) >> 8 a channel, in 16-bit lanes: at most 255 * 256 + 128.
ZEMA_SSSE3 void mixRows(uint32_t* out, const uint32_t* above, const uint32_t* below, int32_t count,
                        uint32_t weight) {
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(128);
    const __m128i keep = _mm_set1_epi16(static_cast<int16_t>(256 - weight));
    const __m128i take = _mm_set1_epi16(static_cast<int16_t>(weight));
    const auto mixed = [&](__m128i a, __m128i b) ZEMA_SSSE3 {
        return _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(a, keep), _mm_mullo_epi16(b, take)), half),
            8);
    };
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(above + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(below + i));
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(out + i),
            _mm_packus_epi16(mixed(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero)),
                             mixed(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero))));
    }
    portableRows.mixRows(out + i, above + i, below + i, count - i, weight);
}

// The same mix with a weight for each texel: four texels at a time, loaded one by one (there is
// no gather before AVX2), each one's weight spread over its channels' 16-bit lanes.
ZEMA_SSSE3 void mixAcross(uint32_t* out, const uint32_t* texels, const int32_t* left,
                          const int32_t* right, const uint32_t* weight, int32_t count) {
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(128);
    const __m128i whole = _mm_set1_epi16(256);
    const __m128i spreadLow = _mm_setr_epi8(0, -1, 0, -1, 0, -1, 0, -1, 4, -1, 4, -1, 4, -1, 4, -1);
    const __m128i spreadHigh =
        _mm_setr_epi8(8, -1, 8, -1, 8, -1, 8, -1, 12, -1, 12, -1, 12, -1, 12, -1);
    const auto mixed = [&](__m128i a, __m128i b, __m128i take) ZEMA_SSSE3 {
        const __m128i keep = _mm_sub_epi16(whole, take);
        return _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(a, keep), _mm_mullo_epi16(b, take)), half),
            8);
    };
    const auto texel = [&](const int32_t* at, int32_t k) {
        return static_cast<int>(texels[at[k]]);
    };
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i a = _mm_setr_epi32(texel(left, i), texel(left, i + 1), texel(left, i + 2),
                                         texel(left, i + 3));
        const __m128i b = _mm_setr_epi32(texel(right, i), texel(right, i + 1), texel(right, i + 2),
                                         texel(right, i + 3));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weight + i));
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(out + i),
            _mm_packus_epi16(mixed(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero),
                                   _mm_shuffle_epi8(w, spreadLow)),
                             mixed(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero),
                                   _mm_shuffle_epi8(w, spreadHigh))));
    }
    portableRows.mixAcross(out + i, texels, left + i, right + i, weight + i, count - i);
}

ZEMA_SSSE3 void swapRedBlueOpaque(uint32_t* out, const uint32_t* in, int32_t count) {
    const __m128i order = _mm_setr_epi8(2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
    const __m128i opaque = _mm_set1_epi32(static_cast<int32_t>(0xFF000000u));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(out + i),
            _mm_or_si128(
                _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)), order),
                opaque));
    portableRows.swapRedBlueOpaque(out + i, in + i, count - i);
}

} // namespace

const RowKernels ssse3Rows = ZEMA_ROW_KERNELS(fillWide);

} // namespace zema

#endif
