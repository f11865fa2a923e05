// The sharp bilinear scaler: one table of taps per axis, each source row scaled across once,
// output rows copied or blended from those.
#include "render/view_scaler.h"

#include <algorithm>
#include <cstring>

namespace zema {

namespace {

// Two channels at a time (red and blue, then alpha and green), each lane 16 bits wide: at most
// 255 * 256 + 128, so no lane spills into the next.
inline uint32_t mix(uint32_t a, uint32_t b, uint32_t weight) {
    const uint32_t keep = 256 - weight;
    const uint32_t rb =
        (((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight + 0x800080u) >> 8) & 0xFF00FFu;
    const uint32_t ag =
        (((a >> 8) & 0xFF00FFu) * keep + ((b >> 8) & 0xFF00FFu) * weight + 0x800080u) & 0xFF00FF00u;
    return rb | ag;
}

constexpr int runSpill = 8;

// Row by row, channel by channel in bytes: the same arithmetic as mix, in 16-bit lanes, which
// the compiler turns into vector code.
void blendRows(const uint32_t* upper, const uint32_t* lower, uint32_t* out, int32_t count,
               uint32_t weight) {
    const auto* a = reinterpret_cast<const uint8_t*>(upper);
    const auto* b = reinterpret_cast<const uint8_t*>(lower);
    auto* o = reinterpret_cast<uint8_t*>(out);
    const auto keep = static_cast<uint16_t>(256 - weight), take = static_cast<uint16_t>(weight);
    for (size_t i = 0, n = static_cast<size_t>(count) * 4; i < n; ++i)
        o[i] = static_cast<uint8_t>(static_cast<uint16_t>(a[i] * keep + b[i] * take + 128) >> 8);
}

bool usable(const BackBuffer& buffer) {
    return buffer.pixels && buffer.width > 0 && buffer.height > 0 && buffer.pitch >= buffer.width;
}

void plan(ScalePlan& plan, const BackBuffer& source, PictureRect rect, int32_t from, int32_t to) {
    if (plan.sourceWidth == source.width && plan.sourceHeight == source.height &&
        plan.width == rect.width && plan.height == rect.height && plan.from == from &&
        plan.to == to)
        return;
    plan.sourceWidth = source.width;
    plan.sourceHeight = source.height;
    plan.width = rect.width;
    plan.height = rect.height;
    plan.from = from;
    plan.to = to;
    plan.columns = axisTaps(source.width, rect.width);
    plan.rows = axisTaps(source.height, rect.height);
    plan.spans.clear();
    for (int32_t x = from; x < to; ++x) {
        const AxisTap tap = plan.columns[static_cast<size_t>(x)];
        ScalePlan::Span* last = plan.spans.empty() ? nullptr : &plan.spans.back();
        // A blend's second texel is always its first's next one (see axisTaps).
        if (!last || last->weight != 0 || last->texel != tap.first)
            plan.spans.push_back({tap.first, 0, 0}), last = &plan.spans.back();
        if (tap.weight == 0)
            ++last->count;
        else
            last->weight = tap.weight;
    }
    for (int i = 0; i < 2; ++i)
        plan.scaledRows[i].assign(static_cast<size_t>(rect.width) + runSpill, 0);
}

// Source row `row` scaled across, from the two kept rows or made into the one not needed by
// `keep` (the other row of the blend being built).
const uint32_t* scaledRow(ScalePlan& plan, const BackBuffer& source, int32_t row, int32_t keep) {
    for (int i = 0; i < 2; ++i)
        if (plan.scaledRowOf[i] == row) return plan.scaledRows[i].data();
    const int slot = plan.scaledRowOf[0] == keep ? 1 : 0;
    uint32_t* out = plan.scaledRows[slot].data();
    const uint32_t* in = source.pixels + static_cast<size_t>(row) * source.pitch;
    // Runs are short (about the whole factor): each is filled eight pixels at a time, the last
    // eight spilling into what comes next, written after it, or into the row's spare end.
    uint32_t* p = out + plan.from;
    for (const ScalePlan::Span& span : plan.spans) {
        const uint32_t texel = in[span.texel];
        uint32_t k = 0;
        do { // nearly always once, with no test before it
            for (int i = 0; i < runSpill; ++i)
                p[k + i] = texel;
            k += runSpill;
        } while (k < span.count);
        p += span.count;
        if (span.weight != 0) *p++ = mix(texel, in[span.texel + 1], span.weight);
    }
    plan.scaledRowOf[slot] = row;
    return out;
}

} // namespace

std::vector<AxisTap> axisTaps(int32_t inSize, int32_t outSize) {
    std::vector<AxisTap> taps;
    if (inSize <= 0 || outSize <= 0) return taps;
    taps.reserve(static_cast<size_t>(outSize));
    const int64_t in = inSize, out = outSize;
    for (int64_t x = 0; x < out; ++x) {
        // In units of 1 / (2 out) texels the pixel's centre is at (2x + 1) in; edge is the
        // texel edge nearest to it.
        const int64_t centre = (2 * x + 1) * in;
        const int64_t edge = (centre + out) / (2 * out);
        // How much of the pixel lies past the edge, in units of 1 / (2 in) of the pixel.
        const int64_t past = centre - 2 * out * edge + in;
        int64_t weight = 0;
        if (past >= 2 * in)
            weight = 256;
        else if (past > 0)
            weight = (past * 256 + in) / (2 * in);
        const auto first = static_cast<int32_t>(std::clamp<int64_t>(edge - 1, 0, in - 1));
        const auto second = static_cast<int32_t>(std::clamp<int64_t>(edge, 0, in - 1));
        if (weight >= 256 || first == second)
            taps.push_back({weight >= 256 ? second : first, second, 0});
        else
            taps.push_back({first, second, static_cast<uint32_t>(weight)});
    }
    return taps;
}

void scaleView(ScalePlan& scalePlan, const BackBuffer& source, BackBuffer& target,
               PictureRect rect) {
    if (!usable(source) || !usable(target) || rect.width <= 0 || rect.height <= 0 ||
        rect.width > maxBitmapSide || rect.height > maxBitmapSide)
        return;
    const int64_t left = std::max<int64_t>(rect.x, 0), top = std::max<int64_t>(rect.y, 0);
    const int64_t right = std::min<int64_t>(int64_t{rect.x} + rect.width, target.width);
    const int64_t bottom = std::min<int64_t>(int64_t{rect.y} + rect.height, target.height);
    if (left >= right || top >= bottom) return;
    // Columns of the picture that lie inside the target.
    const auto from = static_cast<int32_t>(left - rect.x),
               to = static_cast<int32_t>(right - rect.x);
    plan(scalePlan, source, rect, from, to);
    // The rows kept are last frame's.
    scalePlan.scaledRowOf[0] = scalePlan.scaledRowOf[1] = -1;
    const size_t bytes = static_cast<size_t>(to - from) * 4;
    for (int64_t y = top; y < bottom; ++y) {
        const AxisTap tap = scalePlan.rows[static_cast<size_t>(y - rect.y)];
        uint32_t* out = target.pixels + y * target.pitch + left;
        const uint32_t* upper = scaledRow(scalePlan, source, tap.first, tap.second) + from;
        if (tap.weight == 0) {
            std::memcpy(out, upper, bytes);
            continue;
        }
        const uint32_t* lower = scaledRow(scalePlan, source, tap.second, tap.first) + from;
        blendRows(upper, lower, out, to - from, tap.weight);
    }
}

void fillOutside(BackBuffer& target, PictureRect rect, uint32_t colour) {
    if (!usable(target)) return;
    const int64_t left = std::clamp<int64_t>(rect.x, 0, target.width);
    const int64_t right = std::clamp<int64_t>(int64_t{rect.x} + rect.width, left, target.width);
    const int64_t top = std::clamp<int64_t>(rect.y, 0, target.height);
    const int64_t bottom = std::clamp<int64_t>(int64_t{rect.y} + rect.height, top, target.height);
    for (int64_t y = 0; y < target.height; ++y) {
        uint32_t* row = target.pixels + y * target.pitch;
        if (y < top || y >= bottom) {
            std::fill(row, row + target.width, colour);
            continue;
        }
        std::fill(row, row + left, colour);
        std::fill(row + right, row + target.width, colour);
    }
}

} // namespace zema
