// Axis scaling and the D-pad as a stick.
#include "input/axis_scaling.h"

#include <gtest/gtest.h>

namespace zema {

TEST(AxisScaling, OnlyTheRawEndsReachTheEnds) {
    EXPECT_EQ(scaleAxis(-32768), -1000);
    EXPECT_EQ(scaleAxis(32767), 1000);
    EXPECT_EQ(scaleAxis(-32767), -999);
    EXPECT_EQ(scaleAxis(32766), 999);
}

// The browser's SDL tops a pad out at -32767: the stick must still reach its low end there.
TEST(AxisScaling, ALowEndOfMinus32767IsTheEnd) {
    EXPECT_EQ(scaleAxis(-32767, -32767), -1000);
    EXPECT_EQ(scaleAxis(-32766, -32767), -999);
    EXPECT_EQ(scaleAxis(-32768, -32767), -1000);
    EXPECT_EQ(scaleAxis(32767, -32767), 1000);
    EXPECT_EQ(scaleAxis(-16384, -32767), -500);
}

TEST(AxisScaling, RoundsTowardZeroAroundTheCentre) {
    EXPECT_EQ(scaleAxis(0), 0);
    EXPECT_EQ(scaleAxis(32), 0);
    EXPECT_EQ(scaleAxis(-32), 0);
    EXPECT_EQ(scaleAxis(33), 1);
    EXPECT_EQ(scaleAxis(-33), -1);
    EXPECT_EQ(scaleAxis(16384), 500);
    EXPECT_EQ(scaleAxis(-16384), -500);
}

TEST(DpadAxis, AHeldDirectionIsTheStickAtItsEnd) {
    EXPECT_EQ(dpadAxis(true, false, 0), -1000);
    EXPECT_EQ(dpadAxis(false, true, 0), 1000);
    EXPECT_EQ(dpadAxis(true, false, 1000), -1000);
    EXPECT_EQ(dpadAxis(false, true, -999), 1000);
}

TEST(DpadAxis, NeitherOrBothLeaveTheStick) {
    EXPECT_EQ(dpadAxis(false, false, -999), -999);
    EXPECT_EQ(dpadAxis(false, false, 1000), 1000);
    EXPECT_EQ(dpadAxis(true, true, 17), 17);
}

} // namespace zema
