// The view's place in the window for each way of filling, and the scaler against a slow
// per-pixel reference.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "render/view_scaler.h"

namespace zema {

namespace {

TEST(ViewScaling, PlacesThePictureWithBars) {
    struct Case {
        int32_t windowW, windowH, viewW, viewH;
        ViewScale scale;
        PictureRect want;
    } cases[] = {
        {2560, 1440, 800, 600, ViewScale::Integer, {480, 120, 1600, 1200}},
        {2560, 1440, 800, 600, ViewScale::Fit, {320, 0, 1920, 1440}},
        {2560, 1440, 800, 600, ViewScale::Stretch, {0, 0, 2560, 1440}},
        {1000, 700, 800, 600, ViewScale::Fit, {33, 0, 933, 700}},
        {1000, 700, 800, 600, ViewScale::Integer, {100, 50, 800, 600}},
        {800, 1000, 800, 600, ViewScale::Fit, {0, 200, 800, 600}}, // bars above and below
        {3840, 2160, 800, 600, ViewScale::Integer, {720, 180, 2400, 1800}},
        {640, 480, 800, 600, ViewScale::Integer, {0, 0, 640, 480}}, // under 1x: as fit
        {1000, 1, 800, 600, ViewScale::Fit, {499, 0, 1, 1}},        // never below one pixel
        {0, 700, 800, 600, ViewScale::Fit, {0, 0, 0, 0}},
        {1000, 700, 800, -1, ViewScale::Stretch, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const PictureRect got = placeView(c.windowW, c.windowH, c.viewW, c.viewH, c.scale);
        SCOPED_TRACE(::testing::Message() << c.viewW << "x" << c.viewH << " in " << c.windowW << "x"
                                          << c.windowH << " scale " << int(c.scale));
        EXPECT_EQ(got.x, c.want.x);
        EXPECT_EQ(got.y, c.want.y);
        EXPECT_EQ(got.width, c.want.width);
        EXPECT_EQ(got.height, c.want.height);
    }
}

// Where output pixel x of out samples in texels: the two texels around the edge it straddles and
// the share of the second, in doubles, straight from the pixel's footprint.
void referenceTap(int32_t x, int32_t in, int32_t out, int32_t& a, int32_t& b, double& share) {
    const double centre = (x + 0.5) * in / out, edge = std::floor(centre + 0.5);
    share = std::clamp((centre - edge) * out / in + 0.5, 0.0, 1.0);
    a = std::clamp(int32_t(edge) - 1, 0, in - 1);
    b = std::clamp(int32_t(edge), 0, in - 1);
}

uint32_t channelMix(uint32_t p, uint32_t q, double share, int shift) {
    const int w = int(std::lround(share * 256));
    return ((((p >> shift) & 0xFF) * (256 - w) + ((q >> shift) & 0xFF) * w + 128) >> 8) << shift;
}

uint32_t pixelMix(uint32_t p, uint32_t q, double share) {
    return channelMix(p, q, share, 0) | channelMix(p, q, share, 8) | channelMix(p, q, share, 16) |
           channelMix(p, q, share, 24);
}

TEST(ViewScaling, ScalerMatchesThePerPixelReference) {
    std::mt19937 random(15);
    ScalePlan plan; // kept across cases and frames, as the display keeps it
    for (int round = 0; round < 60; ++round) {
        const int32_t sw = 1 + random() % 40, sh = 1 + random() % 30;
        const bool whole = round % 4 == 0; // a whole factor: exact squares
        const int32_t factor = 1 + random() % 4;
        const int32_t rw = whole ? sw * factor : 1 + random() % 150;
        const int32_t rh = whole ? sh * factor : 1 + random() % 150;
        const int32_t tw = 1 + random() % 160, th = 1 + random() % 160, pitch = tw + random() % 3;
        const PictureRect rect = {int32_t(random() % 80) - 40, int32_t(random() % 80) - 40, rw, rh};
        std::vector<uint32_t> src(size_t(sw) * sh), dst(size_t(pitch) * th, 0x12345678);
        const BackBuffer source = {src.data(), sw, sh, sw};
        BackBuffer target = {dst.data(), tw, th, pitch};
        // Two frames of the same sizes: the second must not show the first's rows.
        for (int frame = 0; frame < 2; ++frame) {
            for (uint32_t& p : src)
                p = 0xFF000000u | (random() & 0xFFFFFF);
            scaleView(plan, source, target, rect);
        }
        for (int32_t y = 0; y < th; ++y)
            for (int32_t x = 0; x < pitch; ++x) {
                const uint32_t got = dst[size_t(y) * pitch + x];
                const bool inside =
                    x < tw && x >= rect.x && x < rect.x + rw && y >= rect.y && y < rect.y + rh;
                if (!inside) {
                    ASSERT_EQ(got, 0x12345678u) << "wrote outside at " << x << "," << y;
                    continue;
                }
                int32_t c0, c1, r0, r1;
                double cs, rs;
                referenceTap(x - rect.x, sw, rw, c0, c1, cs);
                referenceTap(y - rect.y, sh, rh, r0, r1, rs);
                const uint32_t upper =
                    pixelMix(src[size_t(r0) * sw + c0], src[size_t(r0) * sw + c1], cs);
                const uint32_t lower =
                    pixelMix(src[size_t(r1) * sw + c0], src[size_t(r1) * sw + c1], cs);
                const uint32_t want = pixelMix(upper, lower, rs);
                for (int shift = 0; shift < 32; shift += 8) {
                    const int diff = int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF);
                    // Doubles may round a weight the other way at an exact half.
                    ASSERT_LE(std::abs(diff), whole ? 0 : 2)
                        << sw << "x" << sh << " to " << rw << "x" << rh << " at " << x << "," << y;
                }
            }
    }
}

} // namespace

} // namespace zema
