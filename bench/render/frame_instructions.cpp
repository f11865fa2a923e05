// Draws the 1920 x 1080 play frame FRAMES times on the row kernels of PATH and nothing more, for
// counting instructions under an emulator: two runs with two counts differ by the frames alone
// (neon_instructions.sh). Prints a checksum of the picture, so that paths can be compared.
// Usage: frame_instructions PATH FRAMES [guardian]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "play_frame.h"
#include "render/images.h"
#include "render/pixel_rows.h"
#include "render/pixel_vector.h"

using namespace zema;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: frame_instructions PATH FRAMES [guardian]\n");
        return 2;
    }
    bool onPath = false;
    for (const PixelPath path : allPixelPaths)
        if (std::strcmp(argv[1], pixelPathName(path)) == 0) onPath = usePixelPath(path);
    if (!onPath) {
        std::fprintf(stderr, "frame_instructions: no path %s on this build and processor\n",
                     argv[1]);
        return 1;
    }
    if (loadImages() >= 0) {
        std::fprintf(stderr, "frame_instructions: the pictures did not load\n");
        return 1;
    }
    const std::vector<DisplayOp> ops =
        playFrameOps(argc > 3 && std::strcmp(argv[3], "guardian") == 0);
    PixelVector pixels(static_cast<size_t>(playFrameWidth) * playFrameHeight);
    BackBuffer target{pixels.data(), playFrameWidth, playFrameHeight, playFrameWidth};
    for (int frame = 0, frames = std::atoi(argv[2]); frame < frames; ++frame)
        compositeFrame(target, ops);
    uint64_t hash = 14695981039346656037ull; // FNV-1a over the pixels
    for (const uint32_t pixel : pixels)
        hash = (hash ^ pixel) * 1099511628211ull;
    std::printf("%016llx\n", static_cast<unsigned long long>(hash));
    return 0;
}
