// Icon images: the stand-in icon file's 4-bit and 32-bit images decoded to the pattern drawn, a
// 32-bit one without alpha shown by its mask, and what is not an icon image refused.
#include "copy/copy_icon.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "pe_builder.h"
#include "test_files.h"

namespace zema {
namespace {

uint32_t drawn(int side, int x, int y) {
    if ((x < 2 || x >= side - 2) && (y < 2 || y >= side - 2)) return 0;
    return x > y ? 0xFFE0A020u : 0xFF2040C0u;
}

// The images of the stand-in icon file: the 16 x 16 one first.
std::vector<std::vector<uint8_t>> iconImages() {
    const std::vector<uint8_t> file = fileBytes(std::string(ZEMA_STAND_IN_DIR) + "/parts/icon.ico");
    std::vector<std::vector<uint8_t>> images;
    for (size_t i = 0; file.size() >= 6 && i < file[4]; ++i) {
        const uint8_t* entry = &file[6 + 16 * i];
        const uint32_t size = entry[8] | entry[9] << 8 | entry[10] << 16;
        const uint32_t at = entry[12] | entry[13] << 8;
        images.emplace_back(file.begin() + at, file.begin() + at + size);
    }
    return images;
}

TEST(CopyIcon, DecodesEachDepthToThePatternDrawn) {
    const std::vector<std::vector<uint8_t>> images = iconImages();
    ASSERT_EQ(images.size(), 2u);
    std::vector<uint8_t> noAlpha = images[1];
    for (size_t at = 40 + 3; at < 40 + 32 * 32 * 4; at += 4)
        noAlpha[at] = 0; // only the mask says what shows
    struct Case {
        const char* what;
        const std::vector<uint8_t>& image;
        int side;
    };
    for (const Case& c : {Case{"4 bits", images[0], 16}, Case{"32 bits", images[1], 32},
                          Case{"32 bits, no alpha", noAlpha, 32}}) {
        IconPixels icon;
        ASSERT_TRUE(decodeIconImage(c.image.data(), c.image.size(), icon)) << c.what;
        ASSERT_EQ(icon.width, c.side);
        ASSERT_EQ(icon.height, c.side);
        for (int y = 0; y < c.side; ++y)
            for (int x = 0; x < c.side; ++x) {
                const uint32_t want = drawn(c.side, x, y);
                // A masked pixel keeps its colour at alpha 0; only its alpha matters.
                const uint32_t got = icon.argb[size_t(y * c.side + x)];
                ASSERT_EQ(want == 0 ? got >> 24 : got, want) << c.what << " " << x << "," << y;
            }
    }
}

TEST(CopyIcon, RefusesWhatIsNotAnIconImage) {
    const std::vector<uint8_t> good = iconImages().at(0);
    const std::function<void(std::vector<uint8_t>&)> damages[] = {
        [](std::vector<uint8_t>& b) { b.resize(b.size() - 1); }, // the mask cut short
        [](std::vector<uint8_t>& b) { b[8] = 31; },              // an odd height
        [](std::vector<uint8_t>& b) { b[14] = 16; },             // 16 bits a pixel
        [](std::vector<uint8_t>& b) { b[16] = 1; },              // compressed
        [](std::vector<uint8_t>& b) { b[32] = 17; },             // 17 colours at 4 bits
        [](std::vector<uint8_t>& b) { b[0] = 0x89, b[1] = 'P', b[2] = 'N'; }, // stored as PNG
        [](std::vector<uint8_t>& b) { put32At(b, 4, 257); },                  // wider than 256
    };
    IconPixels icon;
    ASSERT_TRUE(decodeIconImage(good.data(), good.size(), icon));
    for (size_t i = 0; i < std::size(damages); ++i) {
        std::vector<uint8_t> bad = good;
        damages[i](bad);
        icon = {};
        EXPECT_FALSE(decodeIconImage(bad.data(), bad.size(), icon)) << i;
        EXPECT_TRUE(icon.argb.empty()) << i;
    }
}

// A group whose first image cannot be decoded falls back to the next; a group missing or of
// the wrong kind gives none.
TEST(CopyIcon, ReadsTheGroupsBestImage) {
    const std::vector<std::vector<uint8_t>> images = iconImages();
    const auto group = [](uint16_t type) {
        std::vector<uint8_t> g = {0, 0, uint8_t(type), 0, 2, 0};
        for (const uint8_t id : {1, 2}) {
            const uint8_t side = id == 1 ? 16 : 32; // the larger one is damaged
            const std::vector<uint8_t> entry = {side, side, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, id, 0};
            g.insert(g.end(), entry.begin(), entry.end());
        }
        return g;
    };
    const std::vector<uint8_t> damaged(images[1].begin(), images[1].begin() + 100);
    for (const uint16_t type : {1, 2}) {
        const BuiltPe built = buildPe(false, {{peIcon, 1, 9, images[0]},
                                              {peIcon, 2, 9, damaged},
                                              {peIconGroup, 123, 9, group(type)}});
        PeFile pe;
        ASSERT_EQ(openPe(memorySource(built.bytes.data(), built.bytes.size()), pe), PeFault::none);
        IconPixels icon;
        EXPECT_EQ(readCopyIcon(pe, 123, icon), type == 1) << type;
        EXPECT_EQ(icon.width, type == 1 ? 16 : 0);
        EXPECT_FALSE(readCopyIcon(pe, 124, icon));
    }
}

} // namespace
} // namespace zema
