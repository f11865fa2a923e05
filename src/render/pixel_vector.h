// Pixels of a back buffer that start on a cache line. The row kernels store 16 or 32 bytes at a
// time, and a store that straddles two lines costs about as much as two: 8 MB of them take 1.5x
// as long natively and 1.7x in WebAssembly, whose allocator aligns only to 8 bytes. A row of the
// common widths (a multiple of 16 pixels) then starts on a line as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace zema {

inline constexpr std::size_t cacheLineBytes = 64;

template <typename T> struct CacheLineAllocator {
    using value_type = T;
    CacheLineAllocator() = default;
    template <typename U> CacheLineAllocator(const CacheLineAllocator<U>&) {}
    T* allocate(std::size_t count) {
        return static_cast<T*>(
            ::operator new (count * sizeof(T), std::align_val_t{cacheLineBytes}));
    }
    void deallocate(T* pointer, std::size_t) {
        ::operator delete (pointer, std::align_val_t{cacheLineBytes});
    }
    template <typename U> bool operator==(const CacheLineAllocator<U>&) const { return true; }
};

using PixelVector = std::vector<uint32_t, CacheLineAllocator<uint32_t>>;

} // namespace zema
