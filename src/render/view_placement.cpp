// The picture's rectangle for fit, integer and stretch.
#include "render/view_placement.h"

#include <algorithm>

namespace zema {

namespace {

PictureRect centred(int32_t windowWidth, int32_t windowHeight, int64_t width, int64_t height) {
    const auto w = static_cast<int32_t>(std::clamp<int64_t>(width, 1, windowWidth));
    const auto h = static_cast<int32_t>(std::clamp<int64_t>(height, 1, windowHeight));
    return {(windowWidth - w) / 2, (windowHeight - h) / 2, w, h};
}

} // namespace

PictureRect placeView(int32_t windowWidth, int32_t windowHeight, int32_t viewWidth,
                      int32_t viewHeight, ViewScale scale) {
    if (windowWidth <= 0 || windowHeight <= 0 || viewWidth <= 0 || viewHeight <= 0) return {};
    if (scale == ViewScale::Stretch) return {0, 0, windowWidth, windowHeight};
    if (scale == ViewScale::Integer) {
        const int32_t factor = std::min(windowWidth / viewWidth, windowHeight / viewHeight);
        if (factor >= 1)
            return centred(windowWidth, windowHeight, int64_t{factor} * viewWidth,
                           int64_t{factor} * viewHeight);
    }
    // The side that limits the picture fills the window; the other is rounded to the nearest.
    const int64_t ww = windowWidth, wh = windowHeight, vw = viewWidth, vh = viewHeight;
    if (ww * vh <= wh * vw)
        return centred(windowWidth, windowHeight, ww, (2 * ww * vh + vw) / (2 * vw));
    return centred(windowWidth, windowHeight, (2 * wh * vw + vh) / (2 * vh), wh);
}

} // namespace zema
