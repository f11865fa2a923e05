// Glyphs of the generator's font, one string of 35 cells per character.
#include "font.h"

#include <cstring>

namespace zema {

namespace {
struct Glyph {
    char c;
    const char* rows; // 7 rows of 5 cells, '#' set
};

constexpr Glyph glyphs[] = {
    {'A', ".###.#...##...#######...##...##...#"}, {'B', "####.#...##...#####.#...##...#####."},
    {'C', ".###.#...##....#....#....#...#.###."}, {'D', "####.#...##...##...##...##...#####."},
    {'E', "######....#....####.#....#....#####"}, {'F', "######....#....####.#....#....#...."},
    {'G', ".###.#...##....#.####...##...#.####"}, {'H', "#...##...##...#######...##...##...#"},
    {'I', ".###...#....#....#....#....#...###."}, {'J', "..###...#....#....#....#.#..#..##.."},
    {'K', "#...##..#.#.#..##...#.#..#..#.#...#"}, {'L', "#....#....#....#....#....#....#####"},
    {'M', "#...###.###.#.##.#.##...##...##...#"}, {'N', "#...##...###..##.#.##..###...##...#"},
    {'O', ".###.#...##...##...##...##...#.###."}, {'P', "####.#...##...#####.#....#....#...."},
    {'Q', ".###.#...##...##...##.#.##..#..##.#"}, {'R', "####.#...##...#####.#.#..#..#.#...#"},
    {'S', ".#####....#.....###.....#....#####."}, {'T', "#####..#....#....#....#....#....#.."},
    {'U', "#...##...##...##...##...##...#.###."}, {'V', "#...##...##...##...##...#.#.#...#.."},
    {'W', "#...##...##...##.#.##.#.##.#.#.#.#."}, {'X', "#...##...#.#.#...#...#.#.#...##...#"},
    {'Y', "#...##...#.#.#...#....#....#....#.."}, {'Z', "#####....#...#...#...#...#....#####"},
    {'a', "...........###.....#.#####...#.####"}, {'b', "#....#....#.##.##..##...##...#####."},
    {'c', "...........###.#....#....#...#.###."}, {'d', "....#....#.##.##..###...##...#.####"},
    {'e', "...........###.#...#######.....###."}, {'f', "..##..#..#.#...###...#....#....#..."},
    {'g', "...........#####...#.####....#####."}, {'h', "#....#....#.##.##..##...##...##...#"},
    {'i', "..#........##....#....#....#...###."}, {'j', "...#........##....#....#.#..#..##.."},
    {'k', "#....#....#..#.#.#..##...#.#..#..#."}, {'l', ".##....#....#....#....#....#...###."},
    {'m', "..........##.#.#.#.##.#.##...##...#"}, {'n', "..........#.##.##..##...##...##...#"},
    {'o', "...........###.#...##...##...#.###."}, {'p', "..........####.#...##...#####.#...."},
    {'q', "...........#####...##...#.####....#"}, {'r', "..........#.##.##..##....#....#...."},
    {'s', "...........#####.....###.....#####."}, {'t', ".#....#...###...#....#....#..#..##."},
    {'u', "..........#...##...##...##..##.##.#"}, {'v', "..........#...##...##...#.#.#...#.."},
    {'w', "..........#...##...##.#.##.#.#.#.#."}, {'x', "..........#...#.#.#...#...#.#.#...#"},
    {'y', "..........#...##...#.####....#.###."}, {'z', "..........#####...#...#...#...#####"},
    {'0', ".###.#...##..###.#.###..##...#.###."}, {'1', "..#...##....#....#....#....#...###."},
    {'2', ".###.#...#....#...#...#...#...#####"}, {'3', "#####...#...#.....#.....##...#.###."},
    {'4', "...#...##..#.#.#..#.#####...#....#."}, {'5', "######....####.....#....##...#.###."},
    {'6', "..##..#...#....####.#...##...#.###."}, {'7', "#####....#...#...#...#....#....#..."},
    {'8', ".###.#...##...#.###.#...##...#.###."}, {'9', ".###.#...##...#.####....#...#..##.."},
    {'.', "..........................##...##.."}, {'!', "..#....#....#....#....#.........#.."},
    {'-', "................###................"},
};

const char* rowsOf(char c) {
    for (const Glyph& g : glyphs)
        if (g.c == c) return g.rows;
    return nullptr;
}
} // namespace

bool glyphPixel(char c, int column, int row) {
    const char* rows = rowsOf(c);
    if (!rows || column < 0 || row < 0 || column >= glyphWidth || row >= glyphHeight) return false;
    const size_t cell = static_cast<size_t>(row * glyphWidth + column);
    return cell < std::strlen(rows) && rows[cell] == '#';
}

int textWidth(const std::string& text, int scale) {
    return text.empty() ? 0 : (static_cast<int>(text.size()) * (glyphWidth + 1) - 1) * scale;
}

void drawText(Canvas& canvas, const std::string& text, int x, int y, const TextStyle& style) {
    const int s = style.scale;
    if (style.shadow != clear) {
        const int offset = s / 2 > 0 ? s / 2 : 1;
        TextStyle flat = {s, style.shadow, style.shadow, style.shadow, clear, 0};
        drawText(canvas, text, x + offset, y + offset, flat);
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const int gx = x + static_cast<int>(i) * (glyphWidth + 1) * s;
        for (int row = 0; row < glyphHeight; ++row)
            for (int column = 0; column < glyphWidth; ++column) {
                if (!glyphPixel(text[i], column, row)) continue;
                const int px = gx + column * s, py = y + row * s;
                // Bevel only the block sides that face outside the letter.
                const bool openUp = !glyphPixel(text[i], column, row - 1);
                const bool openLeft = !glyphPixel(text[i], column - 1, row);
                const bool openDown = !glyphPixel(text[i], column, row + 1);
                const bool openRight = !glyphPixel(text[i], column + 1, row);
                for (int v = 0; v < s; ++v)
                    for (int u = 0; u < s; ++u) {
                        uint8_t index = style.face;
                        if ((openUp && v < style.bevel) || (openLeft && u < style.bevel))
                            index = style.light;
                        if ((openDown && v >= s - style.bevel) ||
                            (openRight && u >= s - style.bevel))
                            index = style.dark;
                        plot(canvas, px + u, py + v, index);
                    }
            }
    }
}

void drawTextCentred(Canvas& canvas, const std::string& text, int y, const TextStyle& style) {
    drawText(canvas, text, (canvas.width - textWidth(text, style.scale)) / 2, y, style);
}

} // namespace zema
