// Which row kernels the draws run: the fastest the build has and the processor runs, chosen once
// at start-up, or the one a test or benchmark asks for.
#include "render/pixel_rows.h"

namespace zema {

namespace {

const RowKernels* kernelsOf(PixelPath path) {
    switch (path) {
    case PixelPath::portable:
        return &portableRows;
#if defined(__x86_64__) || defined(__i386__)
    case PixelPath::ssse3:
        __builtin_cpu_init(); // the choice runs among the static initialisers
        return __builtin_cpu_supports("ssse3") ? &ssse3Rows : nullptr;
    case PixelPath::avx2:
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") ? &avx2Rows : nullptr;
#endif
#ifdef __wasm_simd128__
    case PixelPath::wasmSimd:
        return &wasmSimdRows;
#endif
#ifdef __aarch64__
    case PixelPath::neon: // part of the architecture: every 64-bit ARM processor has it
        return &neonRows;
#endif
    default:
        return nullptr;
    }
}

PixelPath fastestPath() {
    const PixelPath fastestFirst[] = {PixelPath::avx2, PixelPath::wasmSimd, PixelPath::neon,
                                      PixelPath::ssse3};
    for (const PixelPath path : fastestFirst)
        if (kernelsOf(path) != nullptr) return path;
    return PixelPath::portable;
}

PixelPath pathInUse = fastestPath();
const RowKernels* kernelsInUse = kernelsOf(pathInUse);

} // namespace

const char* pixelPathName(PixelPath path) {
    switch (path) {
    case PixelPath::portable:
        return "portable";
    case PixelPath::ssse3:
        return "ssse3";
    case PixelPath::avx2:
        return "avx2";
    case PixelPath::wasmSimd:
        return "wasmSimd";
    case PixelPath::neon:
        return "neon";
    }
    return "unknown";
}

bool pixelPathAvailable(PixelPath path) {
    return kernelsOf(path) != nullptr;
}

bool usePixelPath(PixelPath path) {
    const RowKernels* kernels = kernelsOf(path);
    if (kernels == nullptr) return false;
    pathInUse = path;
    kernelsInUse = kernels;
    return true;
}

PixelPath pixelPathInUse() {
    return pathInUse;
}

const RowKernels& rowKernels() {
    return *kernelsInUse;
}

} // namespace zema
