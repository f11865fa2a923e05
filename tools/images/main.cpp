// zema-images: writes the game's fifteen pictures and its window icon as bitmaps named by
// resource identifier ("111.bmp" ... "144.bmp", icon "123.bmp") into the given folder.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "bmp_writer.h"
#include "icon_picture.h"
#include "pictures.h"

namespace {
std::string folder;
bool failed = false;

void save(int id, const std::vector<uint8_t>& bytes) {
    const std::string path = folder + "/" + std::to_string(id) + ".bmp";
    if (!writeFile(path, bytes)) {
        std::fprintf(stderr, "zema-images: cannot write %s: %s\n", path.c_str(),
                     std::strerror(errno));
        failed = true;
    }
}

void saveIndexed(int id, const Canvas& canvas) {
    save(id, encodeIndexedBitmap(canvas, {std::begin(sharedPalette), std::end(sharedPalette)}, 4));
}

// Gives a tile a palette of its own colours; pure blue, where used, is entry 0.
void saveTile(int id, const RgbTile& tile) {
    std::vector<Rgb> palette;
    Canvas canvas = makeCanvas(tile.width, tile.height);
    auto same = [](Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    for (const Rgb& c : tile.pixels)
        if (same(c, keyBlue)) {
            palette.push_back(keyBlue);
            break;
        }
    for (size_t i = 0; i < tile.pixels.size(); ++i) {
        size_t index = 0;
        while (index < palette.size() && !same(palette[index], tile.pixels[i]))
            ++index;
        if (index == palette.size()) palette.push_back(tile.pixels[i]);
        if (index > 255) {
            std::fprintf(stderr, "zema-images: tile %d has more than 256 colours\n", id);
            failed = true;
            return;
        }
        canvas.pixels[i] = static_cast<uint8_t>(index);
    }
    save(id, encodeIndexedBitmap(canvas, palette, 8));
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zema-images OUTPUT-FOLDER\n");
        return 2;
    }
    folder = argv[1];
    const Canvas craft = craftPicture();
    saveIndexed(111, craft);
    saveIndexed(112, mirrored(craft));
    saveIndexed(113, mapPicture());
    saveTile(114, gateTile());
    saveTile(115, shotTile());
    saveIndexed(116, enemyPicture(1));
    saveIndexed(117, enemyPicture(2));
    saveIndexed(118, enemyPicture(3));
    saveIndexed(119, guardianPicture());
    saveIndexed(120, itemPicture(1));
    saveIndexed(121, itemPicture(2));
    saveIndexed(124, itemPicture(3));
    saveIndexed(142, titlePicture());
    saveTile(143, energyTile());
    saveIndexed(144, gameOverPicture());
    save(123, encodeArgbBitmap(iconSize, iconSize, iconPixels(craft)));
    return failed ? 1 : 0;
}
