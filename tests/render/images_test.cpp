// The image table loaded through findResource: sizes, formats, failures and release.
#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "display/display.h"
#include "render/images.h"
#include "test_resources.h"

namespace zema {

namespace {

class Images : public testing::Test {
  protected:
    void SetUp() override { makeTestPictures(); }
    void TearDown() override { releaseImages(); }
};

TEST_F(Images, AllFifteenLoadAtTheirRequestedSizes) {
    ASSERT_EQ(loadImages(), -1);
    for (int slot = 0; slot < imageSlotCount; ++slot) {
        ASSERT_NE(imageTextures[slot], nullptr) << imageSlotName(static_cast<ImageSlot>(slot));
        EXPECT_EQ(textureWidth(*imageTextures[slot]), imageTable[slot].textureWidth);
        EXPECT_EQ(textureHeight(*imageTextures[slot]), imageTable[slot].textureHeight);
    }
    EXPECT_EQ(textureWidth(*imageTextures[imgGuardian]), 800);
    // Only the right-facing craft is held at 5 bits a channel: 0x10 stays, 0xF0 becomes 0xEF, 0x40
    // 0x42.
    EXPECT_EQ(textureTexel(*imageTextures[imgCraftRight], 5, 5),
              0xFF000000u | 0x10 << 16 | 0xEF << 8 | 0x42);
    EXPECT_EQ(textureTexel(*imageTextures[imgCraftLeft], 5, 5), testPictureColour(imgCraftLeft));
    // The map keeps two texels a byte.
    EXPECT_LT(textureBytes(*imageTextures[imgMap]), 5000u * 5000 / 2 + 4096);
}

TEST_F(Images, MissingResourceStopsAtItsSlotKeepingTheEarlierOnes) {
    testResources.erase(imageTable[imgMap].resourceId);
    EXPECT_EQ(loadImages(), imgMap);
    EXPECT_NE(imageTextures[imgCraftRight], nullptr);
    EXPECT_NE(imageTextures[imgCraftLeft], nullptr);
    EXPECT_EQ(imageTextures[imgMap], nullptr);
    EXPECT_EQ(imageTextures[imgGate], nullptr);
}

TEST_F(Images, PictureOfTheWrongSizeOrDepthFails) {
    const BitmapSpec wrongSize{31, 30, 8, {0x000000}, std::vector<uint8_t>(31 * 30, 0)};
    testResources[imageTable[imgShot].resourceId] = buildBitmap(wrongSize);
    EXPECT_EQ(loadImages(), imgShot);

    makeTestPictures();
    const BitmapSpec wrongDepth{30, 30, 4, {0x000000}, std::vector<uint8_t>(30 * 30, 0)};
    testResources[imageTable[imgEnergy].resourceId] = buildBitmap(wrongDepth);
    EXPECT_EQ(loadImages(), imgEnergy);
}

TEST_F(Images, DamagedResourceFails) {
    std::vector<uint8_t>& title = testResources[imageTable[imgTitle].resourceId];
    title.resize(title.size() - 1);
    EXPECT_EQ(loadImages(), imgTitle);
}

TEST_F(Images, ReleaseEmptiesEverySlotAndDrawingThenDoesNothing) {
    ASSERT_EQ(loadImages(), -1);
    releaseImages();
    for (Texture* texture : imageTextures)
        EXPECT_EQ(texture, nullptr);
    uint32_t pixel = 0xFF123456u;
    BackBuffer buffer{&pixel, 1, 1, 1};
    compositeImage(buffer, imgGate, {0, 0, 30, 30}, {1, 1}, {0, 0}, 0xFFFFFFFFu);
    compositeImage(buffer, imageSlotCount, {0, 0, 30, 30}, {1, 1}, {0, 0}, 0xFFFFFFFFu);
    EXPECT_EQ(pixel, 0xFF123456u);
}

} // namespace

} // namespace zema
