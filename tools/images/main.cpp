// zema-images: writes the game's fifteen pictures and its window icon as bitmaps named by
// resource identifier ("111.bmp" ... "144.bmp", icon "123.bmp") into the given folder.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "bmp_writer.h"
#include "picture_set.h"

int main(int argc, char** argv) {
    using namespace zema;
    if (argc != 2) {
        std::fprintf(stderr, "usage: zema-images OUTPUT-FOLDER\n");
        return 2;
    }
    std::vector<DrawnPicture> pictures;
    std::string error;
    if (!drawPictures(pictures, error)) {
        std::fprintf(stderr, "zema-images: %s\n", error.c_str());
        return 1;
    }
    bool failed = false;
    for (const DrawnPicture& picture : pictures) {
        const std::string path = std::string(argv[1]) + "/" + std::to_string(picture.id) + ".bmp";
        if (!writeFile(path, picture.bytes)) {
            std::fprintf(stderr, "zema-images: cannot write %s: %s\n", path.c_str(),
                         std::strerror(errno));
            failed = true;
        }
    }
    return failed ? 1 : 0;
}
