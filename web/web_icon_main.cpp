// Build-time tool of the browser build: writes the web app's icons, the desktop's 64 x 64 icon
// enlarged by a whole factor, each icon pixel a square of them.
// Usage: zema-web-icon SIZE OUTPUT.png   (SIZE a whole multiple of 64)
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "exit_status.h"
#include "icon_picture.h"
#include "pictures.h"
#include "png/png_writer.h"

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < zema::iconSize || size % zema::iconSize != 0 || size > 4096) {
        std::fprintf(stderr, "usage: zema-web-icon SIZE OUTPUT.png (SIZE a multiple of %d)\n",
                     zema::iconSize);
        return zema::exitUsage;
    }
    const std::vector<uint32_t> icon = zema::iconPixels(zema::craftPicture());
    const int factor = size / zema::iconSize;
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const uint32_t argb = icon[(y / factor) * zema::iconSize + x / factor];
            uint8_t* out = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            out[0] = argb >> 16 & 0xff;
            out[1] = argb >> 8 & 0xff;
            out[2] = argb & 0xff;
            out[3] = argb >> 24;
        }
    const std::vector<uint8_t> png = zema::encodeRgbaPng(rgba.data(), size, size);
    std::FILE* out = std::fopen(argv[2], "wb");
    const bool written =
        out && !png.empty() && std::fwrite(png.data(), 1, png.size(), out) == png.size();
    if ((out && std::fclose(out) != 0) || !written) {
        std::fprintf(stderr, "zema-web-icon: cannot write %s\n", argv[2]);
        return zema::exitFailed;
    }
    return 0;
}
