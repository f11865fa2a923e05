// A small inflate for the fixed-code blocks our PNG writer makes, written from RFC 1951 so that
// the tests read the writer's output back without trusting it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zema {

class BitReader {
  public:
    BitReader(const uint8_t* data, size_t size) : data(data), size(size) {}
    uint32_t bits(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value |= next() << i;
        return value;
    }
    // A Huffman code, most significant bit first, continued by one more bit.
    uint32_t extend(uint32_t code) { return code << 1 | next(); }
    bool overrun = false;

  private:
    uint32_t next() {
        if (position / 8 >= size) {
            overrun = true;
            return 0;
        }
        const uint32_t bit = (data[position / 8] >> (position % 8)) & 1;
        ++position;
        return bit;
    }
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};

// Inflates one final block with fixed codes (RFC 1951, 3.2.6); empty on anything else.
inline std::vector<uint8_t> inflateFixed(const std::vector<uint8_t>& deflated) {
    static const int lengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                     15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                     67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int distanceBase[] = {
        1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    BitReader in(deflated.data(), deflated.size());
    std::vector<uint8_t> out;
    if (in.bits(1) != 1 || in.bits(2) != 1) return {};
    for (;;) {
        uint32_t code = 0;
        for (int i = 0; i < 7; ++i)
            code = in.extend(code);
        int symbol;
        if (code <= 0x17) {
            symbol = 256 + static_cast<int>(code);
        } else {
            code = in.extend(code);
            if (code >= 0x30 && code <= 0xBF)
                symbol = static_cast<int>(code - 0x30);
            else if (code >= 0xC0 && code <= 0xC7)
                symbol = 280 + static_cast<int>(code - 0xC0);
            else
                symbol = 144 + static_cast<int>(in.extend(code) - 0x190);
        }
        if (in.overrun) return {};
        if (symbol < 256) {
            out.push_back(static_cast<uint8_t>(symbol));
            continue;
        }
        if (symbol == 256) return out;
        const int l = symbol - 257;
        const int lengthExtra = l < 8 || l == 28 ? 0 : (l - 4) / 4;
        const int length = lengthBase[l] + static_cast<int>(in.bits(lengthExtra));
        uint32_t d = 0;
        for (int i = 0; i < 5; ++i)
            d = in.extend(d);
        const int distanceExtra = d < 4 ? 0 : static_cast<int>(d / 2 - 1);
        const int distance = distanceBase[d] + static_cast<int>(in.bits(distanceExtra));
        if (distance > static_cast<int>(out.size())) return {};
        for (int i = 0; i < length; ++i)
            out.push_back(out[out.size() - distance]);
    }
}

} // namespace zema
