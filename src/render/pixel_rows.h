// The inner loops of the exact draws, one set for each instruction set: the portable one, SSSE3
// and AVX2 on x86 (picked at run time by what the processor has), NEON on 64-bit ARM and
// WebAssembly SIMD in the browser build. Every set writes exactly the pixels the portable one
// does.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cwchar>

namespace zema {

// Copying the texels of a palette whose entries are all fully opaque or fully transparent:
// out = (below & keep) | colour, where keep is all ones for a transparent index and colour 0
// (and a shown colour's alpha is 0xFF). Over a clear, keep is 0 and a transparent index's
// colour is the clear colour.
struct CopyTables {
    uint32_t colours[256], keep[256];
    uint64_t pairColours[256], pairKeep[256]; // 4-bit textures: byte -> two texels, left first
    // 4-bit textures: the first 16 colours split into byte planes (blue, green, red, alpha), for
    // table lookups on 16 texels at a time.
    alignas(16) uint8_t colourPlanes[4][16];
};

// Source over below by a partial alpha (1..254), each channel rounded; the result is opaque.
inline uint32_t blendPartial(uint32_t source, uint32_t below, uint32_t alpha) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFF, d = (below >> shift) & 0xFF;
        out |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

// Mixes two texels, the second weighed weight / 256, each channel rounded. Two channels at a
// time in 16-bit lanes: a channel's sum is at most 255 * 256 + 128, which fits its lane.
inline uint32_t mix(uint32_t a, uint32_t b, uint32_t weight) {
    if (weight == 0 || a == b) return a;
    const uint32_t keep = 256 - weight;
    const uint32_t redBlue =
        (((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * weight + 0x00800080u) >> 8) & 0x00FF00FFu;
    const uint32_t alphaGreen =
        ((((a >> 8) & 0x00FF00FFu) * keep + ((b >> 8) & 0x00FF00FFu) * weight + 0x00800080u) >> 8) &
        0x00FF00FFu;
    return redBlue | alphaGreen << 8;
}

using CopyPairs = void (*)(uint32_t* out, const uint8_t* src, int32_t pairs,
                           const CopyTables& tables);

// count pixels of one colour: the C library's wide fill where wchar_t is 32 bits, the fastest
// fill at hand natively; a plain fill where it is 16 (Windows).
inline void fillWide(uint32_t* out, uint32_t colour, int32_t count) {
    if constexpr (sizeof(wchar_t) == sizeof(uint32_t))
        std::wmemset(reinterpret_cast<wchar_t*>(out), static_cast<wchar_t>(colour),
                     static_cast<std::size_t>(count));
    else
        std::fill_n(out, count, colour);
}

struct RowKernels {
    // pairs bytes of 4-bit indices (the left texel in the high nibble), two pixels a byte, over
    // a clear: every pixel is written and none read.
    CopyPairs copyPairsCleared;
    // The same over the picture: transparent texels leave their pixels.
    CopyPairs copyPairsOver;
    // The same two for a row that starts on a right-hand nibble: pixels 2k and 2k + 1 are the low
    // nibble of src[k] and the high one of src[k + 1], so pairs + 1 bytes are read. The pixels
    // then start where the row does instead of one texel on, and the stores stay aligned.
    CopyPairs copyOddPairsCleared;
    CopyPairs copyOddPairsOver;
    // count ARGB texels, untinted and in order, over out: opaque ones replace the pixel,
    // transparent ones leave it, the rest are blended.
    void (*blendRow)(uint32_t* out, const uint32_t* texels, int32_t count);
    // count texels of above mixed with those of below by weight / 256 (1..255): mix, each.
    void (*mixRows)(uint32_t* out, const uint32_t* above, const uint32_t* below, int32_t count,
                    uint32_t weight);
    // A filtered draw's source row mixed across: out[i] = mix(texels[left[i]], texels[right[i]],
    // weight[i]), weights 0..255. AVX2 gathers the texels; the other vector paths load them one
    // by one and mix four at a time.
    void (*mixAcross)(uint32_t* out, const uint32_t* texels, const int32_t* left,
                      const int32_t* right, const uint32_t* weight, int32_t count);
    // count pixels of one colour. The C library's wide fill natively; in the page, whose C
    // library fills one pixel at a time, vector stores.
    void (*fill)(uint32_t* out, uint32_t colour, int32_t count);
    // count ARGB pixels with red and blue swapped, for a window that keeps them red first (the
    // page's canvas), and opaque: such a window shows their alpha.
    void (*swapRedBlueOpaque)(uint32_t* out, const uint32_t* in, int32_t count);
};

// A file's set in RowKernels' order, from the functions it defines under these names (its four
// copies as copyPairs<Cleared, Odd>) and the fill it uses.
// clang-format off
#define ZEMA_ROW_KERNELS(fillKernel)                                                               \
    {copyPairs<true, false>, copyPairs<false, false>, copyPairs<true, true>,                       \
     copyPairs<false, true>, blendRow, mixRows, mixAcross, fillKernel, swapRedBlueOpaque}
// clang-format on

inline CopyPairs copyPairsOf(const RowKernels& kernels, bool cleared, bool odd) {
    if (odd) return cleared ? kernels.copyOddPairsCleared : kernels.copyOddPairsOver;
    return cleared ? kernels.copyPairsCleared : kernels.copyPairsOver;
}

enum class PixelPath { portable, ssse3, avx2, wasmSimd, neon };
inline constexpr PixelPath allPixelPaths[] = {
    PixelPath::portable, PixelPath::ssse3, PixelPath::avx2, PixelPath::wasmSimd, PixelPath::neon};

const char* pixelPathName(PixelPath path);
// Whether this build has the path and this processor runs it.
bool pixelPathAvailable(PixelPath path);
// The draws use path from now on (tests and benchmarks compare the paths); false, with nothing
// changed, when it is not available. At start-up the fastest available path is in use.
bool usePixelPath(PixelPath path);
PixelPath pixelPathInUse();
// The kernels of the path in use.
const RowKernels& rowKernels();

// Each path's kernels; the vector ones hand their rows' last few texels to the portable ones.
extern const RowKernels portableRows;
extern const RowKernels ssse3Rows;    // x86 builds only
extern const RowKernels avx2Rows;     // x86 builds only
extern const RowKernels wasmSimdRows; // builds with WebAssembly SIMD only
extern const RowKernels neonRows;     // 64-bit ARM builds only

} // namespace zema
