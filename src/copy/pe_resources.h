// Reads the resources of a Windows executable (PE32 or PE32+) without trusting it: every offset,
// size and count is checked against the file before it is used, nothing is read past the file's
// end, and the work is bounded by the file's size. The DOS header leads to the PE header, the
// optional header (PE32 or PE32+) to the resource table's address, the section table maps
// addresses to the file, and a lookup walks the table's three levels (type, identifier, the first
// language listed) to a data entry. Only the headers and the resources asked for are read, so a
// large program without a bitmap is passed over in a few small reads.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace zema {

// The bytes of a file, read where they are asked for: an executable's pictures are most of it,
// and the reader reads only the headers and the resources it is asked for.
struct ByteSource {
    uint64_t size = 0;
    // Copies count bytes from offset into out; false when they are not all there.
    std::function<bool(uint64_t offset, size_t count, uint8_t* out)> read;
};
// The source stays valid while the bytes (or the open file) do.
ByteSource memorySource(const uint8_t* data, size_t size);
ByteSource fileSource(std::FILE* file);

enum class PeFault {
    none,
    absent,        // no resource of that type and identifier
    notExecutable, // no "MZ" header leading to a "PE" one with a 32- or 64-bit optional header
    cutShort,      // a part the headers name lies past the file's end
    damaged        // the headers or the resource table contradict themselves
};

// Resource types.
constexpr uint16_t peBitmap = 2;     // RT_BITMAP
constexpr uint16_t peIcon = 3;       // RT_ICON
constexpr uint16_t peIconGroup = 14; // RT_GROUP_ICON

struct PeFile {
    ByteSource source;
    bool plus = false; // PE32+, a 64-bit program
    struct Section {
        uint32_t virtualAddress, rawSize, rawOffset;
    };
    std::vector<Section> sections;
    uint32_t resourceRva = 0; // 0: no resource table
};

// Reads the headers and the section table; a file without resources is still an executable.
PeFault openPe(ByteSource source, PeFile& pe);

struct PeResource {
    uint64_t offset = 0; // in the file
    uint32_t size = 0;
    uint16_t language = 0;
};

// Finds the resource of that type and numeric identifier, in the first language listed for it
// (a program carries its pictures in one language, whatever that is).
PeFault findPeResource(const PeFile& pe, uint16_t type, uint16_t id, PeResource& found);

// Reads a found resource's bytes.
PeFault readPeResource(const PeFile& pe, const PeResource& resource, std::vector<uint8_t>& bytes);

// What went wrong, as a phrase ("cut short").
const char* peFaultText(PeFault fault);

} // namespace zema
