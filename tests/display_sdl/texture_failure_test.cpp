// A picture that cannot be loaded ends start-up with the texture message; the slots before it
// stay loaded and no later slot is tried. The embedded pictures are replaced by this test's own:
// two good craft bitmaps and a broken map.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "display/display_sdl.h"
#include "render/images.h"
#include "render/resources.h"

namespace zema {

namespace {
void put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A plain 4-bit 200 x 148 bitmap, every pixel palette entry 1 (grey).
std::vector<uint8_t> craftBitmap() {
    const uint32_t rowBytes = 100, offset = 14 + 40 + 64;
    std::vector<uint8_t> out = {'B', 'M'};
    put(out, offset + rowBytes * 148, 4);
    put(out, 0, 4);
    put(out, offset, 4);
    put(out, 40, 4);
    put(out, 200, 4);
    put(out, 148, 4);
    put(out, 1, 2);
    put(out, 4, 2);
    for (int i = 0; i < 6; ++i)
        put(out, 0, 4);
    put(out, 0xFF0000, 4); // blue
    for (int i = 1; i < 16; ++i)
        put(out, 0x808080, 4);
    out.insert(out.end(), rowBytes * 148, 0x11);
    return out;
}

const std::vector<uint8_t> craft = craftBitmap();
const uint8_t brokenMap[60] = {'B', 'M', 1, 2, 3};
} // namespace

bool findResource(int id, Resource& resource) {
    if (id == imageTable[imgCraftRight].resourceId || id == imageTable[imgCraftLeft].resourceId) {
        resource = {craft.data(), craft.size()};
        return true;
    }
    if (id == imageTable[imgMap].resourceId) {
        resource = {brokenMap, sizeof brokenMap};
        return true;
    }
    return false;
}

TEST(TextureFailure, BrokenMapEndsStartUpWithTheTextureMessage) {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    displaySettings.messagesToStderrOnly = true;
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    SDL_Window* window = SDL_CreateWindow("ZEMA", 0, 0, 800, 600, 0);
    ASSERT_NE(window, nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(initDisplay(window), E_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zema: cannot load the pictures: picture imgMap cannot be read or is not of its "
              "size\nテクスチャの作成に失敗しました\n");
    EXPECT_NE(imageTextures[imgCraftRight], nullptr);
    EXPECT_NE(imageTextures[imgCraftLeft], nullptr);
    for (int slot = imgMap; slot < imageSlotCount; ++slot)
        EXPECT_EQ(imageTextures[slot], nullptr);
    releaseDisplay();
    SDL_DestroyWindow(window);
    SDL_Quit();
}

} // namespace zema
