// Draws the fifteen pictures and the icon and encodes each as a bitmap of its resource's depth.
#include "picture_set.h"

#include "bmp_writer.h"
#include "icon_picture.h"
#include "pictures.h"

namespace {

std::vector<uint8_t> indexed(const Canvas& canvas) {
    return encodeIndexedBitmap(canvas, {std::begin(sharedPalette), std::end(sharedPalette)}, 4);
}

// Gives a tile a palette of its own colours; pure blue, where used, is entry 0.
bool tile(const RgbTile& tile, std::vector<uint8_t>& bytes) {
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
        if (index > 255) return false;
        canvas.pixels[i] = static_cast<uint8_t>(index);
    }
    bytes = encodeIndexedBitmap(canvas, palette, 8);
    return true;
}

} // namespace

bool drawPictures(std::vector<DrawnPicture>& pictures, std::string& error) {
    pictures.clear();
    const Canvas craft = craftPicture();
    pictures.push_back({111, indexed(craft)});
    pictures.push_back({112, indexed(mirrored(craft))});
    pictures.push_back({113, indexed(mapPicture())});
    const struct {
        int id;
        RgbTile (*make)();
    } tiles[] = {{114, gateTile}, {115, shotTile}, {143, energyTile}};
    for (const auto& t : tiles) {
        DrawnPicture picture = {t.id, {}};
        if (!tile(t.make(), picture.bytes)) {
            error = "tile " + std::to_string(t.id) + " has more than 256 colours";
            return false;
        }
        pictures.push_back(std::move(picture));
    }
    pictures.push_back({116, indexed(enemyPicture(1))});
    pictures.push_back({117, indexed(enemyPicture(2))});
    pictures.push_back({118, indexed(enemyPicture(3))});
    pictures.push_back({119, indexed(guardianPicture())});
    pictures.push_back({120, indexed(itemPicture(1))});
    pictures.push_back({121, indexed(itemPicture(2))});
    pictures.push_back({124, indexed(itemPicture(3))});
    pictures.push_back({142, indexed(titlePicture())});
    pictures.push_back({144, indexed(gameOverPicture())});
    pictures.push_back({123, encodeArgbBitmap(iconSize, iconSize, iconPixels(craft))});
    return true;
}
