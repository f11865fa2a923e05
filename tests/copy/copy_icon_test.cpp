// Icon images out of windres's executables decoded to the patterns drawn (a 32-bit one without
// alpha shown by its mask), and what is not an icon image refused.
#include "copy/copy_icon.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "test_files.h"

namespace zema {
namespace {

std::vector<uint8_t> resourceOf(const std::string& path, uint16_t type, uint16_t id) {
    const std::vector<uint8_t> file = fileBytes(path);
    PeFile pe;
    PeResource found;
    std::vector<uint8_t> bytes;
    if (openPe(memorySource(file.data(), file.size()), pe) == PeFault::none &&
        findPeResource(pe, type, id, found) == PeFault::none)
        readPeResource(pe, found, bytes);
    return bytes;
}
const std::string seed = std::string(ZEMA_PE_CORPUS) + "/pe32_japanese";

// The stand-in's 32 x 32 image (the second of its icon): a diagonal split, the corners clear.
TEST(CopyIcon, ShowsAlphaOrElseTheMask) {
    std::vector<uint8_t> image =
        resourceOf(std::string(ZEMA_STAND_IN_DIR) + "/pe64-japanese/standin.exe", peIcon, 2);
    for (const bool alpha : {true, false}) {
        for (size_t at = 40 + 3; !alpha && at < 40 + 32 * 32 * 4; at += 4)
            image[at] = 0; // only the mask says what shows
        IconPixels icon;
        ASSERT_TRUE(decodeIconImage(image.data(), image.size(), icon));
        ASSERT_EQ(icon.width * icon.height, 32 * 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const bool corner = (x < 2 || x >= 30) && (y < 2 || y >= 30);
                const uint32_t got = icon.argb[size_t(y * 32 + x)];
                ASSERT_EQ(corner ? got >> 24 : got, corner  ? 0
                                                    : x > y ? 0xFFE0A020u
                                                            : 0xFF2040C0u)
                    << alpha << " " << x << "," << y;
            }
    }
}

// The seed's group: one 8 x 8 4-bit image, its colours alternating, the bottom row's first pixel
// masked; another group number has none. That image damaged is refused.
TEST(CopyIcon, ReadsAGroupAndRefusesWhatIsNotAnIconImage) {
    const std::vector<uint8_t> file = fileBytes(seed);
    PeFile pe;
    ASSERT_EQ(openPe(memorySource(file.data(), file.size()), pe), PeFault::none);
    IconPixels icon;
    ASSERT_TRUE(readCopyIcon(pe, 123, icon));
    ASSERT_EQ(icon.width * icon.height, 64);
    for (int at = 0; at < 64; ++at)
        EXPECT_EQ(icon.argb[size_t(at)], at == 56 ? 0x00E0A020u
                                         : at % 2 ? 0xFF2040C0u
                                                  : 0xFFE0A020u)
            << at;
    EXPECT_FALSE(readCopyIcon(pe, 124, icon));
    EXPECT_TRUE(icon.argb.empty());
    const std::vector<uint8_t> good = resourceOf(seed, peIcon, 1);
    const std::function<void(std::vector<uint8_t>&)> damages[] = {
        [](std::vector<uint8_t>& b) { b.resize(b.size() - 1); },    // the mask cut short
        [](std::vector<uint8_t>& b) { b[8] = 15; },                 // an odd height
        [](std::vector<uint8_t>& b) { b[14] = 16, b.resize(200); }, // 16 bits, and their size
        [](std::vector<uint8_t>& b) { b[16] = 1; },                 // compressed
        [](std::vector<uint8_t>& b) { b[32] = 17; },                // 17 colours at 4 bits
        [](std::vector<uint8_t>& b) { b[0] = 0x89, b[1] = 'P', b[2] = 'N'; }, // stored as PNG
        [](std::vector<uint8_t>& b) { b[4] = 1, b[5] = 1; },                  // wider than 256
    };
    // The same at 8 bits a pixel: each nibble a byte of its own.
    std::vector<uint8_t> wide(good.begin(), good.begin() + 40 + 64);
    wide[14] = 8, wide[32] = 16;
    for (size_t at = 40 + 64; at < 40 + 64 + 32; ++at)
        for (const int nibble : {good[at] >> 4, good[at] & 15})
            wide.push_back(uint8_t(nibble));
    wide.insert(wide.end(), good.begin() + 40 + 64 + 32, good.end());
    IconPixels eight;
    ASSERT_TRUE(decodeIconImage(wide.data(), wide.size(), eight));
    ASSERT_TRUE(decodeIconImage(good.data(), good.size(), icon));
    EXPECT_EQ(eight.argb, icon.argb);
    // Six wide, its rows still padded to four bytes.
    std::vector<uint8_t> narrow = good;
    narrow[4] = 6;
    ASSERT_TRUE(decodeIconImage(narrow.data(), narrow.size(), icon));
    for (int at = 0; at < 48; ++at)
        EXPECT_EQ(icon.argb[size_t(at)], at == 42 ? 0x00E0A020u
                                         : at % 2 ? 0xFF2040C0u
                                                  : 0xFFE0A020u)
            << "six wide: " << at;
    ASSERT_TRUE(decodeIconImage(good.data(), good.size(), icon));
    for (size_t i = 0; i < std::size(damages); ++i) {
        std::vector<uint8_t> bad = good;
        damages[i](bad);
        icon = {};
        EXPECT_FALSE(decodeIconImage(bad.data(), bad.size(), icon)) << i;
        EXPECT_TRUE(icon.argb.empty()) << i;
    }
}

} // namespace
} // namespace zema
