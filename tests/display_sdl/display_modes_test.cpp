// The mode list: SDL's largest-first list turned into the game's ascending 32-bit list.
#include <gtest/gtest.h>

#include "display/display_modes.h"

namespace zema {

TEST(AdapterModeOrder, ReversesSdlsLargestFirstList) {
    const auto modes = adapterModeOrder({{1024, 768, 60, 4}, {800, 600, 60, 4}, {640, 480, 60, 4}});
    ASSERT_EQ(modes.size(), 3u);
    EXPECT_EQ(modes[0].Width, 640u);
    EXPECT_EQ(modes[1].Width, 800u);
    EXPECT_EQ(modes[2].Width, 1024u);
    EXPECT_EQ(modes[2].Height, 768u);
    EXPECT_EQ(modes[2].RefreshRate, 60u);
    EXPECT_EQ(modes[2].Format, formatX8R8G8B8);
}

TEST(AdapterModeOrder, KeepsOnlyFourByteModesWithARealSize) {
    const auto modes = adapterModeOrder({{1920, 1080, 60, 4},
                                         {1920, 1080, 60, 2},
                                         {1280, 720, 0, 3},
                                         {0, 0, 0, 0},
                                         {800, 600, 75, 4},
                                         {0, 0, 0, 4}});
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0].Width, 800u);
    EXPECT_EQ(modes[0].RefreshRate, 75u);
    EXPECT_EQ(modes[1].Width, 1920u);
}

TEST(AdapterModeOrder, OffscreenDriversBogusModeLeavesNothing) {
    EXPECT_TRUE(adapterModeOrder({{0, 0, 0, 0}}).empty());
    EXPECT_TRUE(adapterModeOrder({}).empty());
}

TEST(AdapterModeOrder, LastListedStaysLastWhateverItsSize) {
    // A platform that does not sort: the reversed order is kept, not re-sorted.
    const auto modes = adapterModeOrder({{640, 480, 60, 4}, {1024, 768, 60, 4}});
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes.back().Width, 640u);
}

} // namespace zema
