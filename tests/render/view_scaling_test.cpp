// The view's place in the window for each way of filling, and the scaler against a slow
// per-pixel reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "render/view_scaler.h"

namespace zema {
namespace {

TEST(ViewScaling, PlacesThePictureWithBars) {
    using S = ViewScale;
    const struct {
        int32_t windowW, windowH, viewW, viewH;
        S scale;
        int32_t x, y, w, h;
    } cases[] = {
        {2560, 1440, 800, 600, S::Integer, 480, 120, 1600, 1200},
        {2560, 1440, 800, 600, S::Fit, 320, 0, 1920, 1440},
        {2560, 1440, 800, 600, S::Stretch, 0, 0, 2560, 1440},
        {1000, 700, 800, 600, S::Fit, 33, 0, 933, 700},
        {1000, 700, 800, 600, S::Integer, 100, 50, 800, 600},
        {800, 1000, 800, 600, S::Fit, 0, 200, 800, 600},  // bars above and below
        {640, 480, 800, 600, S::Integer, 0, 0, 640, 480}, // not even 1x: as fit
        {1000, 1, 800, 600, S::Fit, 499, 0, 1, 1},        // never below one pixel
        {1000, 700, 800, -1, S::Stretch, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const PictureRect got = placeView(c.windowW, c.windowH, c.viewW, c.viewH, c.scale);
        EXPECT_EQ(std::vector<int32_t>({got.x, got.y, got.width, got.height}),
                  std::vector<int32_t>({c.x, c.y, c.w, c.h}))
            << c.viewW << "x" << c.viewH << " in " << c.windowW << "x" << c.windowH;
    }
}

// Output pixel x's two texels and the share of the second, in doubles, from its footprint.
void referenceTap(int32_t x, int32_t in, int32_t out, int32_t& a, int32_t& b, int32_t& weight) {
    const double centre = (x + 0.5) * in / out, edge = std::floor(centre + 0.5);
    weight = int32_t(std::lround(std::clamp((centre - edge) * out / in + 0.5, 0.0, 1.0) * 256));
    a = std::clamp(int32_t(edge) - 1, 0, in - 1);
    b = std::clamp(int32_t(edge), 0, in - 1);
}

uint32_t referenceMix(uint32_t p, uint32_t q, int w) {
    uint32_t out = 0;
    for (int s = 0; s < 32; s += 8)
        out |= ((((p >> s) & 0xFF) * (256 - w) + ((q >> s) & 0xFF) * w + 128) >> 8) << s;
    return out;
}

TEST(ViewScaling, ScalerMatchesThePerPixelReference) {
    std::mt19937 random(15);
    ScalePlan plan; // kept across cases and frames, as the display keeps it
    for (int round = 0; round < 60; ++round) {
        const int32_t sw = 1 + random() % 40, sh = 1 + random() % 30, k = 1 + random() % 4;
        const bool whole = round % 4 == 0; // a whole factor: exact squares
        const int32_t rw = whole ? sw * k : 1 + random() % 150,
                      rh = whole ? sh * k : 1 + random() % 150;
        const int32_t tw = 1 + random() % 160, th = 1 + random() % 160, pitch = tw + random() % 3;
        const PictureRect rect = {int32_t(random() % 80) - 40, int32_t(random() % 80) - 40, rw, rh};
        std::vector<uint32_t> src(size_t(sw) * sh), dst(size_t(pitch) * th, 0x12345678);
        const BackBuffer source = {src.data(), sw, sh, sw};
        BackBuffer target = {dst.data(), tw, th, pitch};
        // Two frames of the same sizes: the second must not show the first's rows.
        for (int frame = 0; frame < 2; ++frame) {
            std::generate(src.begin(), src.end(), [&] { return 0xFF000000u | random(); });
            scaleView(plan, source, target, rect);
        }
        for (int32_t y = 0; y < th; ++y)
            for (int32_t x = 0; x < pitch; ++x) {
                const uint32_t got = dst[size_t(y) * pitch + x];
                if (x >= tw || x < rect.x || x >= rect.x + rw || y < rect.y || y >= rect.y + rh) {
                    ASSERT_EQ(got, 0x12345678u) << "wrote outside at " << x << "," << y;
                    continue;
                }
                int32_t c0, c1, r0, r1, cw, rw8;
                referenceTap(x - rect.x, sw, rw, c0, c1, cw);
                referenceTap(y - rect.y, sh, rh, r0, r1, rw8);
                const uint32_t *row0 = &src[size_t(r0) * sw], *row1 = &src[size_t(r1) * sw];
                const uint32_t want = referenceMix(referenceMix(row0[c0], row0[c1], cw),
                                                   referenceMix(row1[c0], row1[c1], cw), rw8);
                for (int s = 0; s < 32; s += 8) // doubles may round an exact half the other way
                    ASSERT_LE(std::abs(int((got >> s) & 0xFF) - int((want >> s) & 0xFF)),
                              whole ? 0 : 2)
                        << sw << "x" << sh << " to " << rw << "x" << rh << " at " << x << "," << y;
            }
    }
}

} // namespace
} // namespace zema
