// The compositor: clears the back buffer and draws source rectangles of textures into it,
// clipped, scaled, filtered and blended as described in compositor.h.
#include "render/compositor.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/pixel_rows.h"
#include "render/pixel_vector.h"
#include "render/texture.h"

namespace zema {

namespace {

// Working rows and per-column sampling tables, made once: a frame allocates nothing. Draws run
// on the one game thread. Each starts on a cache line, as the back buffer does (pixel_vector.h).
alignas(cacheLineBytes) uint32_t rowAbove[maxBitmapSide], rowBelow[maxBitmapSide];
alignas(cacheLineBytes) int32_t columnLeft[maxBitmapSide], columnRight[maxBitmapSide];
alignas(cacheLineBytes) uint32_t columnWeight[maxBitmapSide];
// Filtered draws: the two source rows mixed across, and the two mixed down.
alignas(cacheLineBytes) uint32_t mixedAbove[maxBitmapSide],
    mixedBelow[maxBitmapSide], mixedRow[maxBitmapSide];

constexpr uint32_t opaque = 0xFF000000u;
constexpr uint32_t untinted = 0xFFFFFFFFu;

uint32_t scale255(uint32_t value, uint32_t factor) {
    return (value * factor + 127) / 255;
}

uint32_t tint(uint32_t texel, uint32_t colour) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= scale255((texel >> shift) & 0xFF, (colour >> shift) & 0xFF) << shift;
    return out;
}

uint32_t blend(uint32_t source, uint32_t below) {
    const uint32_t alpha = source >> 24;
    if (alpha == 255) return source;
    if (alpha == 0) return below;
    return blendPartial(source, below, alpha);
}

void blendRow(uint32_t* target, const uint32_t* texels, int32_t count, int step, uint32_t colour) {
    // step -1 reads texels from the end: a mirrored row.
    const uint32_t* texel = step > 0 ? texels : texels + count - 1;
    if (colour == untinted && step > 0) {
        rowKernels().blendRow(target, texels, count);
    } else if (colour == untinted) {
        // Most texels are fully opaque or fully transparent: copy or skip those.
        for (int32_t i = 0; i < count; ++i, texel += step) {
            const uint32_t t = *texel;
            if (t >= 0xFF000000u)
                target[i] = t;
            else if (t >= 0x01000000u)
                target[i] = blendPartial(t, target[i], t >> 24);
        }
    } else {
        for (int32_t i = 0; i < count; ++i, texel += step)
            target[i] = blend(tint(*texel, colour), target[i]);
    }
}

// The pixels of one axis a draw covers, clipped to 0..limit: [first, end).
struct Span {
    int32_t first, end;
};

Span coveredSpan(double scale, double translation, double extent, int32_t limit) {
    // Pixel p is covered when 0 <= (p + 0.5 - translation) / scale < extent.
    double first, end;
    if (scale > 0) {
        first = std::ceil(translation - 0.5);
        end = std::ceil(translation + scale * extent - 0.5);
    } else {
        first = std::floor(translation + scale * extent - 0.5) + 1;
        end = std::floor(translation - 0.5) + 1;
    }
    first = std::clamp(first, 0.0, static_cast<double>(limit));
    end = std::clamp(end, first, static_cast<double>(limit));
    return {static_cast<int32_t>(first), static_cast<int32_t>(end)};
}

// Texel position sampled for pixel p: s = start + (p + 0.5 - translation) / scale - 0.5, split
// into the texel left of it (clamped to the texture) and the weight of the next one in 1/256.
struct Sample {
    int32_t lower, upper;
    uint32_t weight;
};

Sample sampleAt(int32_t p, double scale, double translation, int32_t start, int32_t size) {
    double s = start + (p + 0.5 - translation) / scale - 0.5;
    s = std::clamp(s, -1.0, static_cast<double>(size));
    const double whole = std::floor(s);
    auto lower = static_cast<int32_t>(whole);
    // The fraction in 1/256, rounded half up as lround does (it is never negative): the split
    // into whole and fraction is exact, and this is no call into the C library, a column each.
    const double fraction = (s - whole) * 256;
    auto weight = static_cast<uint32_t>(fraction);
    if (fraction - weight >= 0.5) ++weight;
    if (weight == 256) { // rounds up to the next texel exactly
        ++lower;
        weight = 0;
    }
    return {std::clamp(lower, 0, size - 1), std::clamp(lower + 1, 0, size - 1), weight};
}

bool isExact(float scale, float translation) {
    return (scale == 1.0f || scale == -1.0f) && translation == std::floor(translation) &&
           std::abs(translation) < 1e12f;
}

// The hot path: an untinted, unmirrored, unscaled draw of a texture whose palette is all fully
// opaque or fully transparent. Each texel is copied or skipped, with no blending arithmetic
// (CopyTables); 4-bit rows go through the row kernels. With a clear under the draw (cleared
// true), a keyed texel writes the clear colour instead of leaving the pixel: every pixel is
// written and none is read.
void makeCopyTables(const Texture& texture, CopyTables& tables, bool cleared, uint32_t clear) {
    for (int i = 0; i < 256; ++i) {
        const bool shown = (texture.palette[i] >> 24) != 0;
        tables.colours[i] = shown ? texture.palette[i] : cleared ? clear : 0;
        tables.keep[i] = shown || cleared ? 0 : 0xFFFFFFFFu;
    }
    if (texture.bitsPerTexel != 4) return;
    for (int b = 0; b < 256; ++b) {
        const int left = b >> 4, right = b & 0x0F;
        // Little-endian: the left texel is the low half of the 64-bit pair.
        tables.pairColours[b] = tables.colours[left] | uint64_t{tables.colours[right]} << 32;
        tables.pairKeep[b] = tables.keep[left] | uint64_t{tables.keep[right]} << 32;
    }
    for (int i = 0; i < 16; ++i) {
        for (int plane = 0; plane < 4; ++plane)
            tables.colourPlanes[plane][i] = static_cast<uint8_t>(tables.colours[i] >> 8 * plane);
    }
}

// A frame's draws use a few textures again and again, and a texture's copy tables depend only
// on the palette entries its texels can name and on the clear under the draw: the last few
// tables made are kept and found again by those.
struct KeptCopyTables {
    int32_t bitsPerTexel = 0; // 0: none made yet
    bool cleared = false;
    uint32_t clear = 0;
    uint32_t palette[256];
    CopyTables tables;
};
constexpr int keptCopyTablesCount = 8;
KeptCopyTables keptCopyTables[keptCopyTablesCount];
int nextKeptCopyTables = 0;

const CopyTables& copyTablesFor(const Texture& texture, bool cleared, uint32_t clear) {
    const size_t named = texture.bitsPerTexel == 4 ? 16 : 256;
    if (!cleared) clear = 0; // not used
    for (const KeptCopyTables& kept : keptCopyTables) {
        if (kept.bitsPerTexel == texture.bitsPerTexel && kept.cleared == cleared &&
            kept.clear == clear &&
            std::memcmp(kept.palette, texture.palette, named * sizeof(uint32_t)) == 0)
            return kept.tables;
    }
    KeptCopyTables& kept = keptCopyTables[nextKeptCopyTables];
    nextKeptCopyTables = (nextKeptCopyTables + 1) % keptCopyTablesCount;
    kept.bitsPerTexel = texture.bitsPerTexel;
    kept.cleared = cleared;
    kept.clear = clear;
    std::memcpy(kept.palette, texture.palette, sizeof kept.palette);
    makeCopyTables(texture, kept.tables, cleared, clear);
    return kept.tables;
}

inline void fillPixels(uint32_t* out, uint32_t colour, int32_t count) {
    rowKernels().fill(out, colour, count);
}

// One texel over the pixel below: a shown texel replaces it, a keyed one leaves it. Over a
// clear (Cleared) every texel is written and the pixel below is never read.
template <bool Cleared>
inline void copyTexel(uint32_t& pixel, uint8_t index, const CopyTables& tables) {
    if constexpr (Cleared)
        pixel = tables.colours[index];
    else
        pixel = (pixel & tables.keep[index]) | tables.colours[index];
}

template <bool Cleared>
void copySingles(uint32_t* out, const uint8_t* src, int32_t count, const CopyTables& tables) {
    constexpr uint64_t everyByte = 0x0101010101010101ull;
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t chunk;
        std::memcpy(&chunk, src + i, 8);
        const uint8_t first = chunk & 0xFF;
        if (chunk == first * everyByte) {
            if (tables.keep[first] == 0xFFFFFFFFu) continue; // eight transparent texels
            if (tables.keep[first] == 0) {
                const int32_t start = i;
                while (i + 16 <= count && std::memcmp(src + i + 8, &chunk, 8) == 0)
                    i += 8;
                fillPixels(out + start, tables.colours[first], i + 8 - start);
                continue;
            }
        }
        for (int q = 0; q < 8; ++q)
            copyTexel<Cleared>(out[i + q], src[i + q], tables);
    }
    for (; i < count; ++i)
        copyTexel<Cleared>(out[i], src[i], tables);
}

template <bool Cleared>
void copyIndexedRow(uint32_t* target, const Texture& texture, int32_t row, int64_t column,
                    int32_t count, const CopyTables& tables, uint32_t clear) {
    const uint8_t* indices = texture.indices.data() + static_cast<size_t>(row) * texture.rowBytes;
    const int32_t inside =
        static_cast<int32_t>(std::clamp<int64_t>(texture.width - column, 0, count));
    int32_t i = 0;
    if (texture.bitsPerTexel == 8) {
        copySingles<Cleared>(target, indices + column, inside, tables);
        i = inside;
    } else {
        // Starting on a right-hand nibble, the pairs straddle bytes: the kernels for odd rows
        // read them so, and the pixels are written from the first one on, as from an even row.
        const bool odd = (column & 1) != 0;
        const int32_t pairs = inside / 2;
        if (pairs > 0)
            copyPairsOf(rowKernels(), Cleared, odd)(target, indices + (column >> 1), pairs, tables);
        i = 2 * pairs;
        if (i < inside) { // one texel left over
            const int64_t x = column + i;
            copyTexel<Cleared>(target[i], odd ? indices[x >> 1] & 0x0F : indices[x >> 1] >> 4,
                               tables);
            ++i;
        }
    }
    if (i < count) { // past the right edge: the last column repeats
        const uint32_t last = textureTexel(texture, texture.width - 1, row);
        if (Cleared || last >= opaque) { // every pixel the same (the map at the world's edge)
            fillPixels(target + i, blend(last, clear), count - i);
        } else {
            for (; i < count; ++i)
                target[i] = blend(last, target[i]);
        }
    }
}

// Whether texture rows a and b (next to each other or the same) hold the same indices.
bool sameRows(const Texture& texture, int32_t a, int32_t b) {
    if (a == b) return true;
    const int32_t lower = std::max(a, b);
    return std::abs(a - b) == 1 &&
           static_cast<size_t>(lower / 64) < texture.sameAsRowAbove.size() &&
           (texture.sameAsRowAbove[lower / 64] >> (lower % 64) & 1) != 0;
}

bool copyable(const Texture& texture, Vector2 scaling, uint32_t colour) {
    return scaling.x > 0 && colour == untinted && texture.bitsPerTexel != 32 && texture.binaryAlpha;
}

// cleared: the target is taken as cleared to clear under the draw (copyable draws only).
void drawExact(BackBuffer& target, const Texture& texture, SourceRect source, Vector2 scaling,
               Vector2 translation, uint32_t colour, Span across, Span down, bool cleared = false,
               uint32_t clear = 0) {
    const auto tx = static_cast<int64_t>(translation.x);
    const auto ty = static_cast<int64_t>(translation.y);
    const int32_t count = across.end - across.first;
    // Texel column of the leftmost pixel of the span, and the row of each pixel row.
    const int64_t firstColumn =
        scaling.x > 0 ? source.left + across.first - tx : source.left + tx - (across.end - 1) - 1;
    const int step = scaling.x > 0 ? 1 : -1;
    const bool copying = copyable(texture, scaling, colour);
    const CopyTables* tables = copying ? &copyTablesFor(texture, cleared, clear) : nullptr;
    int32_t rowOfLineAbove = -1; // the texture row the pixel row above was drawn from
    for (int32_t py = down.first; py < down.end; ++py) {
        const int64_t rowAt = scaling.y > 0 ? source.top + py - ty : source.top + ty - py - 1;
        const auto row = static_cast<int32_t>(std::clamp<int64_t>(rowAt, 0, texture.height - 1));
        uint32_t* line = target.pixels + static_cast<ptrdiff_t>(py) * target.pitch + across.first;
        const bool repeatsAbove = py > down.first && sameRows(texture, row, rowOfLineAbove);
        rowOfLineAbove = row;
        if (copying && cleared && repeatsAbove) {
            // Over a clear a row's pixels follow from its indices alone: those of the row above
            // are copied, by the C library's copy (the page's is the browser's own).
            std::memcpy(line, line - target.pitch, static_cast<size_t>(count) * sizeof(uint32_t));
        } else if (copying) {
            if (cleared)
                copyIndexedRow<true>(line, texture, row, firstColumn, count, *tables, clear);
            else
                copyIndexedRow<false>(line, texture, row, firstColumn, count, *tables, clear);
        } else {
            // ARGB texels inside the texture are read where they are.
            const bool inside = texture.bitsPerTexel == 32 && firstColumn >= 0 &&
                                firstColumn + count <= texture.width;
            const uint32_t* texels = rowAbove;
            if (inside)
                texels =
                    texture.texels.data() + static_cast<size_t>(row) * texture.width + firstColumn;
            else
                fetchTextureRow(texture, row, firstColumn, count, rowAbove);
            blendRow(line, texels, count, step, colour);
        }
    }
}

void drawFiltered(BackBuffer& target, const Texture& texture, SourceRect source, Vector2 scaling,
                  Vector2 translation, uint32_t colour, Span across, Span down) {
    const int32_t count = across.end - across.first;
    int32_t lowest = texture.width - 1, highest = 0;
    for (int32_t i = 0; i < count; ++i) {
        const Sample s =
            sampleAt(across.first + i, scaling.x, translation.x, source.left, texture.width);
        columnLeft[i] = s.lower;
        columnRight[i] = s.upper;
        columnWeight[i] = s.weight;
        lowest = std::min(lowest, std::min(s.lower, s.upper));
        highest = std::max(highest, std::max(s.lower, s.upper));
    }
    const int32_t fetched = highest - lowest + 1;
    // Columns counted from the first one fetched.
    for (int32_t i = 0; i < count; ++i) {
        columnLeft[i] -= lowest;
        columnRight[i] -= lowest;
    }
    // A source row mixed across once serves every pixel row that samples it. A row of one
    // colour (the energy bar's and the beam's bands) mixes to that colour everywhere: it is
    // filled instead, and true returned.
    const RowKernels& kernels = rowKernels();
    const auto mixAcross = [&](const uint32_t* texels, uint32_t* out) {
        if (std::all_of(texels + 1, texels + fetched, [&](uint32_t t) { return t == texels[0]; })) {
            fillPixels(out, texels[0], count);
            return true;
        }
        kernels.mixAcross(out, texels, columnLeft, columnRight, columnWeight, count);
        return false;
    };
    int32_t rowAboveIs = -1, rowBelowIs = -1;
    bool aboveOneColour = false, belowOneColour = false;
    for (int32_t py = down.first; py < down.end; ++py) {
        const Sample t = sampleAt(py, scaling.y, translation.y, source.top, texture.height);
        if (rowAboveIs != t.lower) {
            if (rowBelowIs == t.lower) {
                std::copy(mixedBelow, mixedBelow + count, mixedAbove);
                aboveOneColour = belowOneColour;
            } else {
                fetchTextureRow(texture, t.lower, lowest, fetched, rowAbove);
                aboveOneColour = mixAcross(rowAbove, mixedAbove);
            }
            rowAboveIs = t.lower;
        }
        if (t.weight != 0 && rowBelowIs != t.upper) {
            fetchTextureRow(texture, t.upper, lowest, fetched, rowBelow);
            belowOneColour = mixAcross(rowBelow, mixedBelow);
            rowBelowIs = t.upper;
        }
        const bool oneColour = aboveOneColour && (t.weight == 0 || belowOneColour);
        const uint32_t* texels = mixedAbove;
        if (t.weight != 0 && oneColour) {
            fillPixels(mixedRow, mix(mixedAbove[0], mixedBelow[0], t.weight), count);
            texels = mixedRow;
        } else if (t.weight != 0) {
            kernels.mixRows(mixedRow, mixedAbove, mixedBelow, count, t.weight);
            texels = mixedRow;
        }
        uint32_t* line = target.pixels + static_cast<ptrdiff_t>(py) * target.pitch + across.first;
        if (colour == untinted && oneColour && texels[0] >= opaque) {
            fillPixels(line, texels[0], count); // an opaque texel replaces the pixel
        } else if (colour == untinted) {
            kernels.blendRow(line, texels, count);
        } else {
            for (int32_t i = 0; i < count; ++i)
                line[i] = blend(tint(texels[i], colour), line[i]);
        }
    }
}

} // namespace

void compositeClear(BackBuffer& target, uint32_t colour) {
    if (target.pixels == nullptr || target.pitch < target.width) return;
    for (int32_t y = 0; y < target.height; ++y) {
        fillPixels(target.pixels + static_cast<ptrdiff_t>(y) * target.pitch, colour | opaque,
                   target.width);
    }
}

namespace {

// The pixels a draw covers inside the clip; false when it draws nothing at all.
bool drawSpans(const BackBuffer& target, const Texture& texture, SourceRect source, Vector2 scaling,
               Vector2 translation, PixelRect clip, Span& across, Span& down) {
    if (target.pixels == nullptr || target.width <= 0 || target.height <= 0 ||
        target.pitch < target.width)
        return false;
    if (!std::isfinite(scaling.x) || !std::isfinite(scaling.y) || scaling.x == 0 ||
        scaling.y == 0 || !std::isfinite(translation.x) || !std::isfinite(translation.y))
        return false;
    if (source.left < 0 || source.left > texture.width || source.top < 0 ||
        source.top > texture.height || source.right <= source.left || source.bottom <= source.top)
        return false;
    const double width = static_cast<double>(source.right) - source.left;
    const double height = static_cast<double>(source.bottom) - source.top;
    across = coveredSpan(scaling.x, translation.x, width, std::min(target.width, maxBitmapSide));
    down = coveredSpan(scaling.y, translation.y, height, std::min(target.height, maxBitmapSide));
    // A pixel's value never depends on which others the draw writes, so clipping is exact.
    across = {std::max(across.first, clip.left), std::min(across.end, clip.right)};
    down = {std::max(down.first, clip.top), std::min(down.end, clip.bottom)};
    return across.first < across.end && down.first < down.end;
}

} // namespace

void compositeDraw(BackBuffer& target, const Texture& texture, SourceRect source, Vector2 scaling,
                   Vector2 translation, uint32_t colour, PixelRect clip) {
    Span across, down;
    if (!drawSpans(target, texture, source, scaling, translation, clip, across, down)) return;
    if (isExact(scaling.x, translation.x) && isExact(scaling.y, translation.y))
        drawExact(target, texture, source, scaling, translation, colour, across, down);
    else
        drawFiltered(target, texture, source, scaling, translation, colour, across, down);
}

bool compositeDrawBounds(const BackBuffer& target, const Texture& texture, SourceRect source,
                         Vector2 scaling, Vector2 translation, PixelRect& bounds) {
    Span across, down;
    if (!drawSpans(target, texture, source, scaling, translation, everywhere, across, down))
        return false;
    bounds = {across.first, down.first, across.end, down.end};
    return true;
}

bool compositeClearAndDraw(BackBuffer& target, uint32_t clearColour, const Texture& texture,
                           SourceRect source, Vector2 scaling, Vector2 translation, uint32_t colour,
                           PixelRect clip) {
    Span across, down;
    if (!drawSpans(target, texture, source, scaling, translation, clip, across, down)) return false;
    const bool covers = across.first == std::max(0, clip.left) &&
                        across.end == std::min(target.width, clip.right) &&
                        down.first == std::max(0, clip.top) &&
                        down.end == std::min(target.height, clip.bottom);
    if (!covers || !isExact(scaling.x, translation.x) || !isExact(scaling.y, translation.y) ||
        !copyable(texture, scaling, colour))
        return false;
    drawExact(target, texture, source, scaling, translation, colour, across, down, true,
              clearColour | opaque);
    return true;
}

} // namespace zema
