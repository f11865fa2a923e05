// The row kernels in AVX2, for x86 processors that have it: a 4-bit texel's colour is looked up
// whole, eight texels at a time, from the 16 colours held in two registers (vpermd), and ARGB
// rows are blended eight at a time. Only these functions are built for AVX2, and they run only
// where the processor has it.
#include "render/pixel_rows.h"
#include "render/pixel_rows_x86.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#define ZEMA_AVX2 __attribute__((target("avx2")))

namespace zema {

namespace {

// The 16 colours as two tables of eight: vpermd looks up eight 32-bit entries by the low three
// bits of each lane's index, and bit 3 picks the table.
struct Palette {
    __m256i low, high;
};

// Eight pixels from the indices in the low eight bytes of indices.
ZEMA_AVX2 inline __m256i lookUpEight(__m128i indices, const Palette& palette) {
    const __m256i lanes = _mm256_cvtepu8_epi32(indices);
    const __m256 upper = _mm256_castsi256_ps(_mm256_slli_epi32(lanes, 28));
    return _mm256_castps_si256(_mm256_blendv_ps(
        _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(palette.low, lanes)),
        _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(palette.high, lanes)), upper));
}

// Eight texels over eight pixels: a transparent one's colour is 0 (CopyTables), so the pixels
// it keeps are those where the colour is 0.
template <bool Cleared>
ZEMA_AVX2 inline void copyEight(uint32_t* out, __m128i indices, const Palette& palette) {
    __m256i* pixels = reinterpret_cast<__m256i*>(out);
    __m256i colours = lookUpEight(indices, palette);
    if (!Cleared) {
        const __m256i keep = _mm256_cmpeq_epi32(colours, _mm256_setzero_si256());
        const int kept = _mm256_movemask_ps(_mm256_castsi256_ps(keep));
        if (kept == 0xFF) return; // all transparent: the picture shows through
        if (kept != 0)
            colours = _mm256_or_si256(colours, _mm256_and_si256(_mm256_loadu_si256(pixels), keep));
    }
    _mm256_storeu_si256(pixels, colours);
}

template <bool Cleared, bool Odd>
ZEMA_AVX2 void copyPairs(uint32_t* out, const uint8_t* src, int32_t pairs,
                         const CopyTables& tables) {
    if (pairs < 16) {
        copyPairsOf(portableRows, Cleared, Odd)(out, src, pairs, tables);
        return;
    }
    const Palette palette = {
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(tables.colours)),
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(tables.colours + 8))};
    const __m128i low = _mm_set1_epi8(0x0F);
    for (int32_t p = 0; p < pairs; p += 16) {
        // The last block ends where the row does, over pixels the one before drew already: a
        // pixel drawn twice comes out the same.
        if (p + 16 > pairs) p = pairs - 16;
        const __m128i bytes = sixteenPairsAt<Odd>(src + p);
        const __m128i left = _mm_and_si128(_mm_srli_epi16(bytes, 4), low);
        const __m128i right = _mm_and_si128(bytes, low);
        // The 32 indices in order: the left texel of each byte is its high nibble.
        const __m128i first = _mm_unpacklo_epi8(left, right);
        const __m128i second = _mm_unpackhi_epi8(left, right);
        uint32_t* at = out + 2 * p;
        copyEight<Cleared>(at, first, palette);
        copyEight<Cleared>(at + 8, _mm_unpackhi_epi64(first, first), palette);
        copyEight<Cleared>(at + 16, second, palette);
        copyEight<Cleared>(at + 24, _mm_unpackhi_epi64(second, second), palette);
    }
}

// (s * a + d * (255 - a) + 127) / 255 in 16-bit lanes; x / 255 is (x + 1 + (x >> 8)) >> 8 for
// every x up to 255 * 255 + 127.
ZEMA_AVX2 inline __m256i mixChannels(__m256i s, __m256i d, __m256i a) {
    const __m256i x = _mm256_add_epi16(
        _mm256_add_epi16(_mm256_mullo_epi16(s, a),
                         _mm256_mullo_epi16(d, _mm256_sub_epi16(_mm256_set1_epi16(255), a))),
        _mm256_set1_epi16(127));
    return _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_add_epi16(x, _mm256_set1_epi16(1)), _mm256_srli_epi16(x, 8)), 8);
}

// Eight ARGB texels over eight pixels, the result opaque.
ZEMA_AVX2 inline __m256i blendEight(__m256i texels, __m256i below) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i alphaLow = _mm256_shuffle_epi8(
        texels, _mm256_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1, 3, -1, 3,
                                 -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1));
    const __m256i alphaHigh = _mm256_shuffle_epi8(
        texels, _mm256_setr_epi8(11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1, 11,
                                 -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1));
    const __m256i low = mixChannels(_mm256_unpacklo_epi8(texels, zero),
                                    _mm256_unpacklo_epi8(below, zero), alphaLow);
    const __m256i high = mixChannels(_mm256_unpackhi_epi8(texels, zero),
                                     _mm256_unpackhi_epi8(below, zero), alphaHigh);
    return _mm256_or_si256(_mm256_packus_epi16(low, high),
                           _mm256_set1_epi32(static_cast<int>(0xFF000000u)));
}

ZEMA_AVX2 void blendRow(uint32_t* out, const uint32_t* texels, int32_t count) {
    const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i t = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(texels + i));
        __m256i* pixels = reinterpret_cast<__m256i*>(out + i);
        const __m256i alpha = _mm256_and_si256(t, alphaBytes);
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, alphaBytes)) == -1) {
            _mm256_storeu_si256(pixels, t);
            continue;
        }
        const __m256i transparent = _mm256_cmpeq_epi32(alpha, _mm256_setzero_si256());
        if (_mm256_movemask_epi8(transparent) == -1) continue;
        const __m256i below = _mm256_loadu_si256(pixels);
        // Opaque texels come out of the blend as themselves; transparent ones leave the pixel.
        _mm256_storeu_si256(pixels, _mm256_blendv_epi8(blendEight(t, below), below, transparent));
    }
    ssse3Rows.blendRow(out + i, texels + i, count - i);
}

// (a * (256 - w) + b * w + 128) >> 8 a channel, in 16-bit lanes: at most 255 * 256 + 128.
ZEMA_AVX2 void mixRows(uint32_t* out, const uint32_t* above, const uint32_t* below, int32_t count,
                       uint32_t weight) {
    const __m256i zero = _mm256_setzero_si256(), half = _mm256_set1_epi16(128);
    const __m256i keep = _mm256_set1_epi16(static_cast<int16_t>(256 - weight));
    const __m256i take = _mm256_set1_epi16(static_cast<int16_t>(weight));
    const auto mixed = [&](__m256i a, __m256i b) ZEMA_AVX2 {
        return _mm256_srli_epi16(
            _mm256_add_epi16(
                _mm256_add_epi16(_mm256_mullo_epi16(a, keep), _mm256_mullo_epi16(b, take)), half),
            8);
    };
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(above + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(below + i));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(out + i),
            _mm256_packus_epi16(
                mixed(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero)),
                mixed(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero))));
    }
    ssse3Rows.mixRows(out + i, above + i, below + i, count - i, weight);
}

// The same mix with a weight for each texel: the weights of eight texels are spread over their
// channels' 16-bit lanes, and the two texels of each are gathered from the row.
ZEMA_AVX2 void mixAcross(uint32_t* out, const uint32_t* texels, const int32_t* left,
                         const int32_t* right, const uint32_t* weight, int32_t count) {
    const __m256i zero = _mm256_setzero_si256(), half = _mm256_set1_epi16(128);
    const __m256i whole = _mm256_set1_epi16(256);
    const __m256i spreadLow =
        _mm256_setr_epi8(0, -1, 0, -1, 0, -1, 0, -1, 4, -1, 4, -1, 4, -1, 4, -1, 0, -1, 0, -1, 0,
                         -1, 0, -1, 4, -1, 4, -1, 4, -1, 4, -1);
    const __m256i spreadHigh = _mm256_add_epi8(spreadLow, _mm256_set1_epi16(8));
    const auto mixed = [&](__m256i a, __m256i b, __m256i take) ZEMA_AVX2 {
        const __m256i keep = _mm256_sub_epi16(whole, take);
        return _mm256_srli_epi16(
            _mm256_add_epi16(
                _mm256_add_epi16(_mm256_mullo_epi16(a, keep), _mm256_mullo_epi16(b, take)), half),
            8);
    };
    const int* row = reinterpret_cast<const int*>(texels);
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i a = _mm256_i32gather_epi32(
            row, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(left + i)), 4);
        const __m256i b = _mm256_i32gather_epi32(
            row, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(right + i)), 4);
        const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(weight + i));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(out + i),
            _mm256_packus_epi16(mixed(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero),
                                      _mm256_shuffle_epi8(w, spreadLow)),
                                mixed(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero),
                                      _mm256_shuffle_epi8(w, spreadHigh))));
    }
    ssse3Rows.mixAcross(out + i, texels, left + i, right + i, weight + i, count - i);
}

ZEMA_AVX2 void swapRedBlueOpaque(uint32_t* out, const uint32_t* in, int32_t count) {
    const __m256i order = _mm256_setr_epi8(2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15, 2,
                                           1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
    const __m256i opaque = _mm256_set1_epi32(static_cast<int32_t>(0xFF000000u));
    int32_t i = 0;
    for (; i + 8 <= count; i += 8)
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(out + i),
            _mm256_or_si256(
                _mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i)),
                                    order),
                opaque));
    ssse3Rows.swapRedBlueOpaque(out + i, in + i, count - i);
}

} // namespace

const RowKernels avx2Rows = ZEMA_ROW_KERNELS(fillWide);

} // namespace zema

#endif
