// zema-stand-in: the parts of stand-in copies of the original for the tests, made from our own
// pictures so that no test file comes from anywhere else. `zema-stand-in parts DIR` writes the
// fifteen pictures with their colours inverted (pure blue, the colour key, kept), an 8-bit and a
// 24-bit title, a two-image icon, a broken WAV, a file named like an executable that is none, and
// the resource scripts windres makes executables of; `zema-stand-in cut IN OUT` writes the first
// half of IN.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/picture_list.h"
#include "bmp_writer.h"
#include "picture_set.h"
#include "render/bmp_reader.h"

namespace zema {

namespace {

struct Picture {
    int id, width, height, bits;
};
#define ZEMA_STAND_IN_PICTURE(slot, id, w, h, bits, ...) {id, w, h, bits},
constexpr Picture pictures[] = {ZEMA_PICTURES(ZEMA_STAND_IN_PICTURE)};
#undef ZEMA_STAND_IN_PICTURE
constexpr int titleId = 142, missingId = 114;

// Every colour but the key turned to its opposite; one that would become the key stays near it.
Rgb inverted(uint32_t argb) {
    const Rgb c = {uint8_t(~(argb >> 16)), uint8_t(~(argb >> 8)), uint8_t(~argb)};
    if ((argb & 0xFFFFFF) == 0x0000FF) return keyBlue;
    if (c.r == 0 && c.g == 0 && c.b == 255) return {0, 0, 254};
    return c;
}

Canvas indices(const BitmapView& view) {
    Canvas canvas = makeCanvas(view.width, view.height);
    for (int y = 0; y < view.height; ++y)
        for (int x = 0; x < view.width; ++x)
            at(canvas, x, y) = bitmapIndex(view, x, y);
    return canvas;
}

std::vector<Rgb> invertedPalette(const BitmapView& view) {
    std::vector<Rgb> palette;
    for (uint32_t colour : view.palette)
        palette.push_back(inverted(colour));
    return palette;
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}
void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void putInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t colours) {
    put32(out, 40);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));
    put16(out, 1);
    put16(out, uint32_t(bits));
    for (uint32_t field : {0u, 0u, 2835u, 2835u, colours, 0u})
        put32(out, field);
}

// The picture at 24 bits a pixel, bottom-up: a depth the game refuses.
std::vector<uint8_t> deepBitmap(const BitmapView& view) {
    const size_t row = (size_t(view.width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> out = {'B', 'M'};
    put32(out, uint32_t(54 + row * view.height));
    put32(out, 0);
    put32(out, 54);
    putInfoHeader(out, view.width, view.height, 24, 0);
    for (int y = view.height - 1; y >= 0; --y) {
        for (int x = 0; x < view.width; ++x) {
            const Rgb c = inverted(view.palette[bitmapIndex(view, x, y)]);
            out.insert(out.end(), {c.b, c.g, c.r});
        }
        out.resize(out.size() + row - size_t(view.width) * 3, 0);
    }
    return out;
}

// The icon's pattern: a diagonal split of two colours, the corners see-through; the tests
// work out the same.
constexpr uint32_t iconAbove = 0xFFE0A020u, iconBelow = 0xFF2040C0u;
uint32_t iconColour(int side, int x, int y) {
    if ((x < 2 || x >= side - 2) && (y < 2 || y >= side - 2)) return 0;
    return x > y ? iconAbove : iconBelow;
}

// An icon file: a 16 x 16 4-bit image and a 32 x 32 32-bit one with alpha.
std::vector<uint8_t> iconFile() {
    std::vector<std::vector<uint8_t>> images;
    for (const int side : {16, 32}) {
        const int bits = side == 16 ? 4 : 32;
        std::vector<uint8_t> image;
        putInfoHeader(image, side, 2 * side, bits, bits == 4 ? 16 : 0);
        if (bits == 4) {
            const uint32_t colours[16] = {0, iconAbove & 0xFFFFFF, iconBelow & 0xFFFFFF};
            for (uint32_t c : colours)
                put32(image, c);
        }
        for (int y = side - 1; y >= 0; --y)
            for (int x = 0; x < side; x += bits == 4 ? 2 : 1) {
                const uint32_t c = iconColour(side, x, y);
                if (bits == 32) {
                    put32(image, c);
                    continue;
                }
                const auto index = [&](int at) {
                    const uint32_t colour = iconColour(side, at, y);
                    return colour == 0 ? 0 : at > y ? 1 : 2;
                };
                image.push_back(uint8_t(index(x) << 4 | index(x + 1)));
            }
        const size_t maskRow = (size_t(side) + 31) / 32 * 4;
        for (int y = side - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < side; ++x)
                if (iconColour(side, x, y) == 0) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
            image.insert(image.end(), row.begin(), row.end());
        }
        images.push_back(image);
    }
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int side = i == 0 ? 16 : 32;
        out.insert(out.end(), {uint8_t(side), uint8_t(side), uint8_t(i == 0 ? 16 : 0), 0});
        put16(out, 1);
        put16(out, i == 0 ? 4 : 32);
        put32(out, uint32_t(images[i].size()));
        put32(out, offset);
        offset += uint32_t(images[i].size());
    }
    for (const std::vector<uint8_t>& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

// A resource script: every picture but `leave`, the title from `title`, in one language, with
// or without the icon.
std::string script(const char* language, const std::string& title, int leave, bool icon) {
    std::string text = std::string("LANGUAGE ") + language + "\n";
    for (const Picture& p : pictures)
        if (p.id != leave)
            text += std::to_string(p.id) + " BITMAP \"" +
                    (p.id == titleId ? title : std::to_string(p.id) + ".bmp") + "\"\n";
    if (icon) text += std::to_string(iconResourceId) + " ICON \"icon.ico\"\n";
    return text;
}

bool write(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (writeFile(path, bytes)) return true;
    std::fprintf(stderr, "zema-stand-in: cannot write %s: %s\n", path.c_str(),
                 std::strerror(errno));
    return false;
}

bool writeText(const std::string& path, const std::string& text) {
    return write(path, std::vector<uint8_t>(text.begin(), text.end()));
}

int makeParts(const std::string& dir) {
    std::vector<DrawnPicture> drawn;
    std::string error;
    if (!drawPictures(drawn, error)) {
        std::fprintf(stderr, "zema-stand-in: %s\n", error.c_str());
        return 1;
    }
    bool ok = true;
    for (const DrawnPicture& picture : drawn) {
        BitmapView view;
        if (picture.id == iconResourceId) continue;
        if (!readBitmap(picture.bytes.data(), picture.bytes.size(), view)) return 1;
        const Canvas canvas = indices(view);
        const std::vector<Rgb> palette = invertedPalette(view);
        const std::string name = dir + "/" + std::to_string(picture.id);
        ok = write(name + ".bmp", encodeIndexedBitmap(canvas, palette, view.bitsPerPixel)) && ok;
        if (picture.id != titleId) continue;
        ok = write(dir + "/title-8.bmp", encodeIndexedBitmap(canvas, palette, 8)) && ok;
        ok = write(dir + "/title-24.bmp", deepBitmap(view)) && ok;
    }
    const std::string broken = "RIFF\x04\0\0\0JUNK";
    ok = write(dir + "/icon.ico", iconFile()) && writeText(dir + "/broken.wav", broken) &&
         writeText(dir + "/not-an-executable.exe", "This is a text file, not a program.\n") &&
         // English, 4-bit title; Japanese, 8-bit title, with the icon; one picture missing; a
         // 24-bit title; only the icon, as ZEMA's own zema.exe.
         writeText(dir + "/whole-english.rc", script("9, 1", "142.bmp", 0, false)) &&
         writeText(dir + "/whole-japanese.rc", script("0x11, 1", "title-8.bmp", 0, true)) &&
         writeText(dir + "/missing-picture.rc", script("9, 1", "142.bmp", missingId, false)) &&
         writeText(dir + "/deep-picture.rc", script("9, 1", "title-24.bmp", 0, false)) &&
         writeText(dir + "/icon-only.rc",
                   "LANGUAGE 9, 1\n" + std::to_string(iconResourceId) + " ICON \"icon.ico\"\n") &&
         ok;
    return ok ? 0 : 1;
}

int cutInHalf(const std::string& in, const std::string& out) {
    std::FILE* file = std::fopen(in.c_str(), "rb");
    std::vector<uint8_t> bytes;
    for (int c = file ? std::fgetc(file) : EOF; c != EOF; c = std::fgetc(file))
        bytes.push_back(uint8_t(c));
    if (file) std::fclose(file);
    if (bytes.empty()) {
        std::fprintf(stderr, "zema-stand-in: cannot read %s\n", in.c_str());
        return 1;
    }
    bytes.resize(bytes.size() / 2);
    return write(out, bytes) ? 0 : 1;
}

} // namespace

} // namespace zema

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "parts") return zema::makeParts(argv[2]);
    if (argc == 4 && std::string(argv[1]) == "cut") return zema::cutInHalf(argv[2], argv[3]);
    std::fprintf(stderr, "usage: zema-stand-in parts DIR | zema-stand-in cut IN OUT\n");
    return 2;
}
