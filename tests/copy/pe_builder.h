// Small Windows executables made in memory for the resource reader's tests and fuzz seeds: the
// headers, one ".rsrc" section at file offset 0x200 and address 0x1000, and a resource tree of
// one language per resource, laid out at known places so that a test can damage each part.
#pragma once

#include <cstdint>
#include <vector>

namespace zema {

struct BuiltResource {
    uint16_t type, id, language;
    std::vector<uint8_t> bytes;
};

struct BuiltPe {
    std::vector<uint8_t> bytes;
    size_t optionalAt, sectionAt; // the optional header and the section table
    size_t directoryCountAt;      // the number of data directories
    size_t firstDataEntryAt;      // the first resource's data entry (its address and size)
};

constexpr size_t builtPeAt = 64, builtRsrcAt = 0x200;
constexpr uint32_t builtRsrcRva = 0x1000;

inline void put32At(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}
inline void put16At(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

// Resources of one type must be given one after another.
inline BuiltPe buildPe(bool plus, const std::vector<BuiltResource>& resources) {
    BuiltPe pe;
    const size_t optionalSize = plus ? 240 : 224;
    pe.optionalAt = builtPeAt + 24;
    pe.sectionAt = pe.optionalAt + optionalSize;
    std::vector<uint8_t>& b = pe.bytes;
    b.assign(builtRsrcAt, 0);
    b[0] = 'M', b[1] = 'Z';
    put32At(b, 0x3C, uint32_t(builtPeAt));
    b[builtPeAt] = 'P', b[builtPeAt + 1] = 'E';
    put16At(b, builtPeAt + 6, 1);
    put16At(b, builtPeAt + 20, uint32_t(optionalSize));
    put16At(b, pe.optionalAt, plus ? 0x20B : 0x10B);
    pe.directoryCountAt = pe.optionalAt + (plus ? 108 : 92);
    put32At(b, pe.directoryCountAt, 16);
    put32At(b, pe.directoryCountAt + 4 + 16, builtRsrcRva);

    // The tree: the root, a directory per type, then per identifier a directory of one
    // language and its data entry; then the data.
    std::vector<uint16_t> types;
    for (const BuiltResource& r : resources)
        if (types.empty() || types.back() != r.type) types.push_back(r.type);
    std::vector<uint8_t> t(16 + 8 * types.size());
    std::vector<size_t> dataEntries;
    put16At(t, 14, uint32_t(types.size()));
    size_t next = 0;
    for (size_t k = 0; k < types.size(); ++k) {
        size_t ofType = 0;
        while (next + ofType < resources.size() && resources[next + ofType].type == types[k])
            ++ofType;
        const size_t typeAt = t.size();
        put32At(t, 16 + 8 * k, types[k]);
        put32At(t, 20 + 8 * k, 0x80000000u | uint32_t(typeAt));
        t.resize(typeAt + 16 + 8 * ofType);
        put16At(t, typeAt + 14, uint32_t(ofType));
        for (size_t i = 0; i < ofType; ++i, ++next) {
            const size_t languageAt = t.size();
            put32At(t, typeAt + 16 + 8 * i, resources[next].id);
            put32At(t, typeAt + 20 + 8 * i, 0x80000000u | uint32_t(languageAt));
            t.resize(languageAt + 24 + 16);
            put16At(t, languageAt + 14, 1);
            put32At(t, languageAt + 16, resources[next].language);
            put32At(t, languageAt + 20, uint32_t(languageAt + 24));
            dataEntries.push_back(languageAt + 24);
        }
    }
    for (size_t i = 0; i < resources.size(); ++i) {
        put32At(t, dataEntries[i], builtRsrcRva + uint32_t(t.size()));
        put32At(t, dataEntries[i] + 4, uint32_t(resources[i].bytes.size()));
        t.insert(t.end(), resources[i].bytes.begin(), resources[i].bytes.end());
        t.resize((t.size() + 3) / 4 * 4);
    }
    pe.firstDataEntryAt = dataEntries.empty() ? 0 : builtRsrcAt + dataEntries[0];
    b.insert(b.end(), t.begin(), t.end());
    const size_t s = pe.sectionAt;
    b[s] = '.', b[s + 1] = 'r', b[s + 2] = 's', b[s + 3] = 'r', b[s + 4] = 'c';
    put32At(b, s + 8, uint32_t(t.size()));
    put32At(b, s + 12, builtRsrcRva);
    put32At(b, s + 16, uint32_t(t.size()));
    put32At(b, s + 20, uint32_t(builtRsrcAt));
    return pe;
}

} // namespace zema
