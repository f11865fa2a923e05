// The one reader of decimal numbers and WxH sizes that the options, settings, scripts and
// zema-sim share.
#include "decimal.h"

#include <gtest/gtest.h>

namespace zema {
namespace {

TEST(DecimalTest, NumbersAreDigitsOnlyUpToTheirMostAndDigits) {
    constexpr uint64_t any = UINT64_MAX;
    const struct {
        const char* text;
        uint64_t max;
        size_t maxDigits;
        bool read;
        uint64_t value;
    } cases[] = {
        {"0", 9, 20, true, 0},
        {"007", 9, 20, true, 7},
        {"1000", 1000, 20, true, 1000},
        {"1001", 1000, 20, false, 0},
        {"7", 5, 20, false, 0},
        {"", any, 20, false, 0},
        {"+1", any, 20, false, 0},
        {"-1", any, 20, false, 0},
        {" 1", any, 20, false, 0},
        {"1 ", any, 20, false, 0},
        {"1a", any, 20, false, 0},
        {"0000000001", any, 10, true, 1},
        {"00000000001", any, 10, false, 0},
        {"18446744073709551615", any, 20, true, any},
        {"18446744073709551616", any, 20, false, 0},
    };
    for (const auto& c : cases) {
        uint64_t value = 12345;
        EXPECT_EQ(parseDecimal(c.text, c.max, value, c.maxDigits), c.read) << c.text;
        EXPECT_EQ(value, c.read ? c.value : 12345) << c.text;
    }
}

TEST(DecimalTest, SizesAreTwoSidesFromOneToTheirMost) {
    int32_t w = -1, h = -1;
    EXPECT_TRUE(parseSize("016384x01", largestSide, w, h));
    EXPECT_EQ(w, 16384);
    EXPECT_EQ(h, 1);
    for (const char* refused : {"0x1", "1x0", "16385x1", "1x16385", "1X1", "x1", "1x", "1x1x1",
                                " 1x1", "+1x1", "1 x1", "", "001x1"}) {
        w = h = -1;
        EXPECT_FALSE(parseSize(refused, largestSide, w, h, 2)) << refused;
        EXPECT_EQ(w + h, -2) << refused;
    }
}

} // namespace
} // namespace zema
