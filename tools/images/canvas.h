// An indexed picture being drawn by the image generator, with the few shape fills the
// pictures are built from. Index 0 is always the transparent pure blue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zema {

constexpr uint8_t clear = 0;

struct Point {
    float x, y;
};

struct Canvas {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels; // one palette index per pixel, top row first
};

Canvas makeCanvas(int width, int height, uint8_t fill = clear);
inline uint8_t& at(Canvas& canvas, int x, int y) {
    return canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
}
inline uint8_t at(const Canvas& canvas, int x, int y) {
    return canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
}
void plot(Canvas& canvas, int x, int y, uint8_t index); // ignores pixels off the canvas

// Inclusive-exclusive rectangle [x0, x1) x [y0, y1), clipped to the canvas.
void fillRect(Canvas& canvas, int x0, int y0, int x1, int y1, uint8_t index);
void fillEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, uint8_t index);
void fillPolygon(Canvas& canvas, const std::vector<Point>& points, uint8_t index);
void drawLine(Canvas& canvas, Point from, Point to, float thickness, uint8_t index);

// A light ramp from dark to light, picked through an ordered dither: level 0..1.
struct Ramp {
    std::vector<uint8_t> indices;
};
uint8_t rampIndex(const Ramp& ramp, float level, int x, int y);

// Shades an ellipse as a lit dome (light from the upper left) with the ramp.
void shadeEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, const Ramp& ramp,
                  float gloss = 0.35f);
// Shades a polygon with a vertical gradient, lighter at the top.
void shadePolygon(Canvas& canvas, const std::vector<Point>& points, const Ramp& ramp, float top,
                  float bottom);

// Paints every drawn pixel that touches a transparent one (or the edge) with the ink index,
// widening the silhouette by `thickness` pixels first so that no detail is lost.
void outline(Canvas& canvas, uint8_t ink, int thickness);
Canvas mirrored(const Canvas& canvas);

} // namespace zema
