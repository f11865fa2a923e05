// The reference drawing: for each pixel, map its centre into the source rectangle, sample the
// four nearest texel centres with clamped indices, tint, and blend by alpha.
#include "reference_draw.h"

#include <algorithm>
#include <cmath>

namespace zema {

namespace {

double channel(uint32_t argb, int c) {
    return static_cast<double>((argb >> (8 * c)) & 0xFF);
}

} // namespace

void referenceDraw(ReferenceCanvas& canvas, const Picture& picture, SourceRect source,
                   Vector2 scaling, Vector2 translation, uint32_t colour) {
    canvas.undecided.assign(canvas.pixels.size(), false);
    if (source.left < 0 || source.left > picture.width || source.top < 0 ||
        source.top > picture.height || source.right < source.left || source.bottom < source.top)
        return;
    if (!(scaling.x != 0 && scaling.y != 0 && std::isfinite(scaling.x) &&
          std::isfinite(scaling.y) && std::isfinite(translation.x) && std::isfinite(translation.y)))
        return;
    const double w = source.right - source.left, h = source.bottom - source.top;
    const double sx = scaling.x, sy = scaling.y, tx = translation.x, ty = translation.y;
    constexpr double hair = 1e-3;
    auto texel = [&](double i, double j) {
        const auto x = static_cast<int32_t>(std::clamp(i, 0.0, picture.width - 1.0));
        const auto y = static_cast<int32_t>(std::clamp(j, 0.0, picture.height - 1.0));
        return picture.argb[static_cast<size_t>(y) * picture.width + x];
    };
    for (int32_t py = 0; py < canvas.height; ++py) {
        const double dy = py + 0.5 - ty;
        const double v = dy / sy;
        const bool edgeY = std::abs(dy) < hair || std::abs(dy - sy * h) < hair;
        for (int32_t px = 0; px < canvas.width; ++px) {
            const double dx = px + 0.5 - tx;
            const double u = dx / sx;
            const bool edgeX = std::abs(dx) < hair || std::abs(dx - sx * w) < hair;
            const size_t at = static_cast<size_t>(py) * canvas.width + px;
            if (edgeX || edgeY) canvas.undecided[at] = true;
            if (!(u >= 0 && u < w && v >= 0 && v < h)) continue;
            const double s = source.left + u - 0.5, t = source.top + v - 0.5;
            const double i = std::floor(s), j = std::floor(t);
            const double fx = s - i, fy = t - j;
            const uint32_t t00 = texel(i, j), t10 = texel(i + 1, j);
            const uint32_t t01 = texel(i, j + 1), t11 = texel(i + 1, j + 1);
            double value[4];
            for (int c = 0; c < 4; ++c) {
                const double top = channel(t00, c) * (1 - fx) + channel(t10, c) * fx;
                const double bottom = channel(t01, c) * (1 - fx) + channel(t11, c) * fx;
                value[c] = (top * (1 - fy) + bottom * fy) * channel(colour, c) / 255;
            }
            const double alpha = value[3] / 255;
            uint32_t out = 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                const double mixed = value[c] * alpha + channel(canvas.pixels[at], c) * (1 - alpha);
                out |= static_cast<uint32_t>(std::lround(mixed)) << (8 * c);
            }
            canvas.pixels[at] = out;
        }
    }
}

} // namespace zema
