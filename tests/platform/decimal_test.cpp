// The one reader of decimal numbers and WxH sizes that the options, settings, scripts and
// zema-sim share (their own tests hold each caller's refusals).
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
        uint64_t value; // 0: refused
    } cases[] = {{"007", 9, 3, 7},
                 {"0007", 9, 3, 0},
                 {"1000", 1000, 9, 1000},
                 {"1001", 1000, 9, 0},
                 {"7", 5, 9, 0},
                 {"", any, 9, 0},
                 {"+1", any, 9, 0},
                 {" 1", any, 9, 0},
                 {"1 ", any, 9, 0},
                 {"1a", any, 9, 0},
                 {"18446744073709551615", any, 20, any},
                 {"18446744073709551616", any, 20, 0}};
    for (const auto& c : cases) {
        uint64_t value = 0;
        EXPECT_EQ(parseDecimal(c.text, c.max, value, c.maxDigits), c.value != 0) << c.text;
        EXPECT_EQ(value, c.value) << c.text << ": unchanged when refused";
    }
}

TEST(DecimalTest, SizesAreTwoSidesFromOneToTheirMost) {
    int32_t w = -1, h = -1;
    EXPECT_FALSE(parseSize("001x1", largestSide, w, h, 2));
    EXPECT_FALSE(parseSize("1x0", largestSide, w, h));
    EXPECT_EQ(w + h, -2) << "unchanged when refused";
    EXPECT_TRUE(parseSize("016384x01", largestSide, w, h, 6));
    EXPECT_EQ(w * 100000 + h, 1638400001);
}

} // namespace
} // namespace zema
