// zema-images: writes the game's fifteen pictures and its window icon as bitmaps named by
// resource identifier (assets/picture_list.h: "111.bmp" ... "144.bmp") into the given folder.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "assets/picture_list.h"

#include "bmp_writer.h"
#include "icon_picture.h"
#include "pictures.h"

namespace zema {

namespace {
std::string folder;
bool failed = false;

#define ZEMA_PICTURE_ID(slot, id, ...) id,
constexpr int pictureIds[] = {ZEMA_PICTURES(ZEMA_PICTURE_ID)};
#undef ZEMA_PICTURE_ID
#define ZEMA_PICTURE_SIZE(slot, id, width, height, bits, ...) {width, height, bits},
struct BitmapShape {
    int width, height, bitsPerPixel;
};
constexpr BitmapShape pictureShapes[] = {ZEMA_PICTURES(ZEMA_PICTURE_SIZE)};
#undef ZEMA_PICTURE_SIZE
// The slot's order in the list; the generator draws by slot name.
#define ZEMA_PICTURE_SLOT(slot, ...) slot,
enum PictureSlot { ZEMA_PICTURES(ZEMA_PICTURE_SLOT) };
#undef ZEMA_PICTURE_SLOT

// A drawing of another size or depth than the list says would not load in the game.
bool shapeMatches(PictureSlot slot, int width, int height, int bits) {
    const BitmapShape& shape = pictureShapes[slot];
    if (shape.width == width && shape.height == height && shape.bitsPerPixel == bits) return true;
    std::fprintf(stderr, "zema-images: picture %d is %d x %d x %d, the list says %d x %d x %d\n",
                 pictureIds[slot], width, height, bits, shape.width, shape.height,
                 shape.bitsPerPixel);
    failed = true;
    return false;
}

void save(int id, const std::vector<uint8_t>& bytes) {
    const std::string path = folder + "/" + std::to_string(id) + ".bmp";
    if (!writeFile(path, bytes)) {
        std::fprintf(stderr, "zema-images: cannot write %s: %s\n", path.c_str(),
                     std::strerror(errno));
        failed = true;
    }
}

void saveIndexed(PictureSlot slot, const Canvas& canvas) {
    if (!shapeMatches(slot, canvas.width, canvas.height, 4)) return;
    save(pictureIds[slot],
         encodeIndexedBitmap(canvas, {std::begin(sharedPalette), std::end(sharedPalette)}, 4));
}

// Gives a tile a palette of its own colours; pure blue, where used, is entry 0.
void saveTile(PictureSlot slot, const RgbTile& tile) {
    if (!shapeMatches(slot, tile.width, tile.height, 8)) return;
    const int id = pictureIds[slot];
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

} // namespace zema

int main(int argc, char** argv) {
    using namespace zema;
    if (argc != 2) {
        std::fprintf(stderr, "usage: zema-images OUTPUT-FOLDER\n");
        return 2;
    }
    folder = argv[1];
    const Canvas craft = craftPicture();
    saveIndexed(imgCraftRight, craft);
    saveIndexed(imgCraftLeft, mirrored(craft));
    saveIndexed(imgMap, mapPicture());
    saveTile(imgGate, gateTile());
    saveTile(imgShot, shotTile());
    saveIndexed(imgEnemy1, enemyPicture(1));
    saveIndexed(imgEnemy2, enemyPicture(2));
    saveIndexed(imgEnemy3, enemyPicture(3));
    saveIndexed(imgGuardian, guardianPicture());
    saveIndexed(imgItem1, itemPicture(1));
    saveIndexed(imgItem2, itemPicture(2));
    saveIndexed(imgItem3, itemPicture(3));
    saveIndexed(imgTitle, titlePicture());
    saveTile(imgEnergy, energyTile());
    saveIndexed(imgGameOver, gameOverPicture());
    save(iconResourceId, encodeArgbBitmap(iconSize, iconSize, iconPixels(craft)));
    return failed ? 1 : 0;
}
