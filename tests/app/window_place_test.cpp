// Centring the game window on the desktop.
#include "app/window_place.h"

#include <gtest/gtest.h>

#include <climits>

namespace zema {

TEST(WindowPlace, CentresOnCommonDesktops) {
    const WindowPlace fullHd = centeredWindowPlace(1920, 1080, 800, 600);
    EXPECT_EQ(fullHd.x, 560);
    EXPECT_EQ(fullHd.y, 240);
    const WindowPlace small = centeredWindowPlace(640, 480, 800, 600);
    EXPECT_EQ(small.x, -80);
    EXPECT_EQ(small.y, -60);
}

TEST(WindowPlace, HalvesRoundTowardZero) {
    EXPECT_EQ(centeredWindowPlace(799, 600, 800, 600).x, 0);
    EXPECT_EQ(centeredWindowPlace(801, 599, 800, 600).x, 0);
    EXPECT_EQ(centeredWindowPlace(801, 599, 800, 600).y, 0);
    EXPECT_EQ(centeredWindowPlace(797, 603, 800, 600).x, -1);
    EXPECT_EQ(centeredWindowPlace(797, 603, 800, 600).y, 1);
}

TEST(WindowPlace, ExtremeSizesDoNotOverflow) {
    EXPECT_EQ(centeredWindowPlace(INT_MIN, INT_MAX, INT_MAX, INT_MIN).x, INT_MIN + 1);
    EXPECT_EQ(centeredWindowPlace(INT_MIN, INT_MAX, INT_MAX, INT_MIN).y, INT_MAX);
}

} // namespace zema
