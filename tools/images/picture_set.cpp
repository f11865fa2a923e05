// Draws the fifteen pictures and the icon and encodes each as a bitmap of the size and depth the
// picture list gives its resource.
#include "picture_set.h"

#include "assets/picture_list.h"

#include "bmp_writer.h"
#include "icon_picture.h"
#include "pictures.h"

namespace zema {

namespace {

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

struct Drawing {
    std::vector<DrawnPicture>& pictures;
    std::string& error;

    // A drawing of another size or depth than the list says would not load in the game.
    bool shapeMatches(PictureSlot slot, int width, int height, int bits) {
        const BitmapShape& shape = pictureShapes[slot];
        if (shape.width == width && shape.height == height && shape.bitsPerPixel == bits)
            return true;
        error = "picture " + std::to_string(pictureIds[slot]) + " is " + std::to_string(width) +
                " x " + std::to_string(height) + " x " + std::to_string(bits) + ", the list says " +
                std::to_string(shape.width) + " x " + std::to_string(shape.height) + " x " +
                std::to_string(shape.bitsPerPixel);
        return false;
    }

    bool indexed(PictureSlot slot, const Canvas& canvas) {
        if (!shapeMatches(slot, canvas.width, canvas.height, 4)) return false;
        pictures.push_back(
            {pictureIds[slot],
             encodeIndexedBitmap(canvas, {std::begin(sharedPalette), std::end(sharedPalette)}, 4)});
        return true;
    }

    // Gives a tile a palette of its own colours; pure blue, where used, is entry 0.
    bool tile(PictureSlot slot, const RgbTile& tile) {
        if (!shapeMatches(slot, tile.width, tile.height, 8)) return false;
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
                error = "tile " + std::to_string(id) + " has more than 256 colours";
                return false;
            }
            canvas.pixels[i] = static_cast<uint8_t>(index);
        }
        pictures.push_back({id, encodeIndexedBitmap(canvas, palette, 8)});
        return true;
    }
};

} // namespace

bool drawPictures(std::vector<DrawnPicture>& pictures, std::string& error, PictureChoice choice) {
    pictures.clear();
    Drawing d{pictures, error};
    if (choice == PictureChoice::TitleOnly) return d.indexed(imgTitle, titlePicture());
    const Canvas craft = craftPicture();
    const bool drawn =
        d.indexed(imgCraftRight, craft) && d.indexed(imgCraftLeft, mirrored(craft)) &&
        d.indexed(imgMap, mapPicture()) && d.tile(imgGate, gateTile()) &&
        d.tile(imgShot, shotTile()) && d.indexed(imgEnemy1, enemyPicture(1)) &&
        d.indexed(imgEnemy2, enemyPicture(2)) && d.indexed(imgEnemy3, enemyPicture(3)) &&
        d.indexed(imgGuardian, guardianPicture()) && d.indexed(imgItem1, itemPicture(1)) &&
        d.indexed(imgItem2, itemPicture(2)) && d.indexed(imgItem3, itemPicture(3)) &&
        d.indexed(imgTitle, titlePicture()) && d.tile(imgEnergy, energyTile()) &&
        d.indexed(imgGameOver, gameOverPicture());
    if (!drawn) return false;
    pictures.push_back({iconResourceId, encodeArgbBitmap(iconSize, iconSize, iconPixels(craft))});
    return true;
}

} // namespace zema
