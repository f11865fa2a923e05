// What the SSSE3 and AVX2 row kernels share; plain SSE2, which every x86-64 processor has.
#pragma once

#if defined(__x86_64__) || defined(__i386__)

#include <emmintrin.h>

#include <cstdint>

namespace zema {

// 16 bytes of indices from src: for an odd row each byte is made of the low nibble of one and
// the high nibble of the next.
template <bool Odd>
__attribute__((target("sse2"))) inline __m128i sixteenPairsAt(const uint8_t* src) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    if constexpr (!Odd) return bytes;
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 1));
    return _mm_or_si128(_mm_and_si128(_mm_slli_epi16(bytes, 4), _mm_set1_epi8(-16)),
                        _mm_and_si128(_mm_srli_epi16(next, 4), _mm_set1_epi8(0x0F)));
}

} // namespace zema

#endif
