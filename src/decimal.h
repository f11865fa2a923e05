// Whole numbers and sizes written in decimal, read the same way by the command line, the settings
// file, the scripts and demos, zema-sim's options and the page: digits only (no sign, no spaces),
// leading zeros allowed, a size as "WxH" with a lower-case x.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zema {

// The largest side of a window, a view or a display mode that any of them takes.
constexpr int32_t largestSide = 16384;

// text as a number from 0 to max into value; false, with value unchanged, for an empty text,
// anything but digits, more than maxDigits digits (leading zeros count) or a number past max.
template <class Whole>
bool parseDecimal(std::string_view text, uint64_t max, Whole& value,
                  size_t maxDigits = std::string_view::npos) {
    if (text.empty() || text.size() > maxDigits) return false;
    uint64_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        const auto digit = static_cast<uint64_t>(c - '0');
        if (digit > max || number > (max - digit) / 10) return false;
        number = number * 10 + digit;
    }
    value = static_cast<Whole>(number);
    return true;
}

// "WxH", each side from 1 to maxSide as parseDecimal reads it; false, with both unchanged,
// otherwise.
template <class Side>
bool parseSize(std::string_view text, uint64_t maxSide, Side& width, Side& height,
               size_t maxDigits = std::string_view::npos) {
    const size_t x = text.find('x');
    Side w = 0, h = 0;
    if (x == std::string_view::npos || !parseDecimal(text.substr(0, x), maxSide, w, maxDigits) ||
        !parseDecimal(text.substr(x + 1), maxSide, h, maxDigits) || w == 0 || h == 0)
        return false;
    width = w;
    height = h;
    return true;
}

} // namespace zema
