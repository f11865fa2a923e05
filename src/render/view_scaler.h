// Scales the W x H back buffer into a rectangle of the window's pixels: nearest neighbour by the
// whole factor, then linear across the remaining fraction only ("sharp bilinear"), so that only
// the output pixels straddling a texel's edge are blends of two texels. At a whole factor every
// texel becomes an exact square. No platform underneath.
#pragma once

#include <cstdint>
#include <vector>

#include "render/compositor.h"
#include "render/view_placement.h"

namespace zema {

// One output pixel along an axis: texel first weighed 256 - weight, texel second weighed
// weight (0..255; 0 takes first alone). Texel indices are clamped to the source.
struct AxisTap {
    int32_t first, second;
    uint32_t weight;
};

// The taps of outSize pixels covering inSize texels. Output pixel x spans the source from
// x * in / out to (x + 1) * in / out; it takes the texel its centre lies in, or blends the two
// on either side of the texel edge it straddles by how much of it lies on each side (weights
// rounded to 1/256). Empty when a size is not positive.
std::vector<AxisTap> axisTaps(int32_t inSize, int32_t outSize);

// The tables and working rows of one scaling; kept between frames and made again only when a
// size changes, so a frame allocates nothing.
struct ScalePlan {
    int32_t sourceWidth = 0, sourceHeight = 0, width = 0, height = 0;
    int32_t from = 0, to = 0; // the picture's columns inside the target
    std::vector<AxisTap> columns, rows;
    // Across, the columns from..to left to right: count pixels of one texel, then, with a
    // weight, one pixel blending it with the next texel.
    struct Span {
        int32_t texel;
        uint32_t count, weight;
    };
    std::vector<Span> spans;
    std::vector<uint32_t> scaledRows[2]; // source rows scaled across, to width
    int32_t scaledRowOf[2] = {-1, -1};   // which source row each holds
};

// Draws source scaled to fill the rectangle of target (the part inside target). Every source
// row is scaled across once; each output row is then a copy of one such row or a blend of two.
// A source or target without pixels, or with a pitch below its width, or a rectangle with a side
// not from 1 to maxBitmapSide, leaves the target alone.
void scaleView(ScalePlan& plan, const BackBuffer& source, BackBuffer& target, PictureRect rect);

// Fills target outside the rectangle with colour: the bars around the picture.
void fillOutside(BackBuffer& target, PictureRect rect, uint32_t colour);

} // namespace zema
