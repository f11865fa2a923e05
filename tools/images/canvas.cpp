// Shape fills for the generator's indexed pictures: each pixel is tested at its centre.
#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace zema {

namespace {
constexpr float bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

bool insidePolygon(const std::vector<Point>& points, float x, float y) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const Point a = points[i], b = points[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

struct Bounds {
    int x0, y0, x1, y1;
};

Bounds boundsOf(const Canvas& canvas, const std::vector<Point>& points) {
    float x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
    for (const Point& p : points) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    return {std::max(0, static_cast<int>(x0)), std::max(0, static_cast<int>(y0)),
            std::min(canvas.width, static_cast<int>(x1) + 1),
            std::min(canvas.height, static_cast<int>(y1) + 1)};
}

// The box of the ellipse about (cx, cy) with radii rx and ry, clipped to the canvas.
Bounds ellipseBounds(const Canvas& canvas, float cx, float cy, float rx, float ry) {
    return {std::max(0, static_cast<int>(cx - rx)), std::max(0, static_cast<int>(cy - ry)),
            std::min(canvas.width, static_cast<int>(cx + rx) + 1),
            std::min(canvas.height, static_cast<int>(cy + ry) + 1)};
}

} // namespace

Canvas makeCanvas(int width, int height, uint8_t fill) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.pixels.assign(static_cast<size_t>(width) * height, fill);
    return canvas;
}

void plot(Canvas& canvas, int x, int y, uint8_t index) {
    if (x >= 0 && y >= 0 && x < canvas.width && y < canvas.height) at(canvas, x, y) = index;
}

void fillRect(Canvas& canvas, int x0, int y0, int x1, int y1, uint8_t index) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0);
    x1 = std::min(x1, canvas.width), y1 = std::min(y1, canvas.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            at(canvas, x, y) = index;
}

void fillEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, uint8_t index) {
    const Bounds b = ellipseBounds(canvas, cx, cy, rx, ry);
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) at(canvas, x, y) = index;
        }
}

void fillPolygon(Canvas& canvas, const std::vector<Point>& points, uint8_t index) {
    const Bounds b = boundsOf(canvas, points);
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x)
            if (insidePolygon(points, x + 0.5f, y + 0.5f)) at(canvas, x, y) = index;
}

void drawLine(Canvas& canvas, Point from, Point to, float thickness, uint8_t index) {
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float length = std::max(std::sqrt(dx * dx + dy * dy), 0.001f);
    const float nx = -dy / length * thickness / 2, ny = dx / length * thickness / 2;
    fillPolygon(canvas,
                {{from.x + nx, from.y + ny},
                 {to.x + nx, to.y + ny},
                 {to.x - nx, to.y - ny},
                 {from.x - nx, from.y - ny}},
                index);
}

uint8_t rampIndex(const Ramp& ramp, float level, int x, int y) {
    const int steps = static_cast<int>(ramp.indices.size());
    float scaled = std::clamp(level, 0.0f, 1.0f) * (steps - 1);
    scaled += (bayer[y & 3][x & 3] + 0.5f) / 16.0f - 0.5f;
    const int step = std::clamp(static_cast<int>(std::lround(scaled)), 0, steps - 1);
    return ramp.indices[step];
}

void shadeEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, const Ramp& ramp,
                  float gloss) {
    const float lx = -0.45f, ly = -0.6f, lz = 0.66f;
    const Bounds b = ellipseBounds(canvas, cx, cy, rx, ry);
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            const float d = dx * dx + dy * dy;
            if (d > 1.0f) continue;
            const float dz = std::sqrt(1.0f - d);
            const float light = std::max(0.0f, dx * lx + dy * ly + dz * lz);
            const float level = 0.15f + 0.85f * light + gloss * std::pow(light, 12.0f);
            at(canvas, x, y) = rampIndex(ramp, level, x, y);
        }
}

void shadePolygon(Canvas& canvas, const std::vector<Point>& points, const Ramp& ramp, float top,
                  float bottom) {
    const Bounds b = boundsOf(canvas, points);
    const float span = std::max(1.0f, static_cast<float>(b.y1 - b.y0));
    for (int y = b.y0; y < b.y1; ++y) {
        const float level = top + (bottom - top) * (y - b.y0) / span;
        for (int x = b.x0; x < b.x1; ++x)
            if (insidePolygon(points, x + 0.5f, y + 0.5f))
                at(canvas, x, y) = rampIndex(ramp, level, x, y);
    }
}

void outline(Canvas& canvas, uint8_t ink, int thickness) {
    for (int pass = 0; pass < thickness; ++pass) {
        const Canvas before = canvas;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x) {
                if (at(before, x, y) != clear) continue;
                const bool touches = (x > 0 && at(before, x - 1, y) != clear) ||
                                     (x + 1 < canvas.width && at(before, x + 1, y) != clear) ||
                                     (y > 0 && at(before, x, y - 1) != clear) ||
                                     (y + 1 < canvas.height && at(before, x, y + 1) != clear);
                if (touches) at(canvas, x, y) = ink;
            }
    }
}

Canvas mirrored(const Canvas& canvas) {
    Canvas out = canvas;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            at(out, x, y) = at(canvas, canvas.width - 1 - x, y);
    return out;
}

} // namespace zema
