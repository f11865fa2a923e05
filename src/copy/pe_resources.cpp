// The resource table of a Windows executable: the DOS header leads to the PE header, whose
// optional header names the resource table's address; the section table maps addresses to the
// file; the table is a tree of three levels (type, identifier, language) ending in data entries.
#include "copy/pe_resources.h"

#include <climits>
#include <cstring>

#include "little_endian.h"

namespace zema {

namespace {

constexpr uint64_t dosHeaderSize = 64;
constexpr uint64_t peHeaderSize = 24; // "PE\0\0" and the COFF file header
constexpr uint16_t pe32Magic = 0x10B, pe32PlusMagic = 0x20B;
constexpr uint16_t maxSections = 96; // the most the Windows loader takes
constexpr uint32_t sectionHeaderSize = 40;
constexpr uint32_t resourceDirectoryIndex = 2;
constexpr uint32_t directoryHeaderSize = 16, directoryEntrySize = 8, dataEntrySize = 16;
constexpr uint32_t subdirectoryBit = 0x80000000u; // an entry's data is another directory
constexpr uint32_t namedBit = 0x80000000u;        // an entry is named by a string, not a number

// The resource table's section as a window of the file: tree offsets count from its start and
// must lie before its raw data ends.
struct TreeWindow {
    uint64_t fileOffset;
    uint64_t size;
};

bool findTreeWindow(const PeFile& pe, TreeWindow& window) {
    for (const PeFile::Section& s : pe.sections) {
        const uint64_t start = s.virtualAddress;
        if (pe.resourceRva >= start && pe.resourceRva < start + s.rawSize) {
            const uint64_t into = pe.resourceRva - start;
            window = {s.rawOffset + into, s.rawSize - into};
            return true;
        }
    }
    return false;
}

PeFault readTree(const PeFile& pe, const TreeWindow& window, uint64_t offset, uint64_t count,
                 uint8_t* out) {
    if (offset > window.size || count > window.size - offset) return PeFault::damaged;
    if (!pe.source.read(window.fileOffset + offset, static_cast<size_t>(count), out))
        return PeFault::cutShort;
    return PeFault::none;
}

// The entries of the directory at offset: named ones first, then numbered ones.
PeFault readDirectory(const PeFile& pe, const TreeWindow& window, uint32_t offset,
                      std::vector<uint8_t>& entries, uint32_t& namedCount) {
    uint8_t header[directoryHeaderSize];
    if (const PeFault fault = readTree(pe, window, offset, directoryHeaderSize, header);
        fault != PeFault::none)
        return fault;
    namedCount = read16(header + 12);
    const uint64_t count = uint64_t{namedCount} + read16(header + 14);
    entries.resize(static_cast<size_t>(count * directoryEntrySize));
    return readTree(pe, window, uint64_t{offset} + directoryHeaderSize, count * directoryEntrySize,
                    entries.data());
}

// The offset that the numbered entry id of the directory at offset leads to, with its
// subdirectory bit; absent when no entry has that number.
PeFault findEntry(const PeFile& pe, const TreeWindow& window, uint32_t offset, uint16_t id,
                  uint32_t& target) {
    std::vector<uint8_t> entries;
    uint32_t named = 0;
    if (const PeFault fault = readDirectory(pe, window, offset, entries, named);
        fault != PeFault::none)
        return fault;
    for (size_t i = size_t{named} * directoryEntrySize; i < entries.size(); i += directoryEntrySize)
        if (read32(&entries[i]) == id) {
            target = read32(&entries[i + 4]);
            return PeFault::none;
        }
    return PeFault::absent;
}

} // namespace

ByteSource memorySource(const uint8_t* data, size_t size) {
    return {size, [data, size](uint64_t offset, size_t count, uint8_t* out) {
                if (offset > size || count > size - offset) return false;
                if (count > 0) std::memcpy(out, data + offset, count);
                return true;
            }};
}

ByteSource fileSource(std::FILE* file) {
    ByteSource source;
    if (std::fseek(file, 0, SEEK_END) != 0) return source;
    const long end = std::ftell(file);
    if (end <= 0) return source;
    source.size = static_cast<uint64_t>(end);
    source.read = [file, end](uint64_t offset, size_t count, uint8_t* out) {
        const uint64_t size = static_cast<uint64_t>(end);
        if (offset > size || count > size - offset) return false;
        return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
               std::fread(out, 1, count, file) == count;
    };
    return source;
}

PeFault openPe(ByteSource source, PeFile& pe) {
    pe = {};
    pe.source = std::move(source);
    const ByteSource& in = pe.source;
    uint8_t dos[dosHeaderSize];
    if (!in.read || in.size < dosHeaderSize || !in.read(0, sizeof dos, dos) || dos[0] != 'M' ||
        dos[1] != 'Z')
        return PeFault::notExecutable;
    const uint64_t peOffset = read32(dos + 0x3C);
    uint8_t header[peHeaderSize + 2];
    if (!in.read(peOffset, sizeof header, header) || std::memcmp(header, "PE\0\0", 4) != 0)
        return PeFault::notExecutable;
    const uint16_t magic = read16(header + peHeaderSize);
    if (magic != pe32Magic && magic != pe32PlusMagic) return PeFault::notExecutable;
    pe.plus = magic == pe32PlusMagic;

    const uint16_t sectionCount = read16(header + 6);
    const uint16_t optionalSize = read16(header + 20);
    std::vector<uint8_t> optional(optionalSize);
    if (!in.read(peOffset + peHeaderSize, optional.size(), optional.data()))
        return PeFault::cutShort;
    // The data directories follow the optional header's fixed part; an executable may list fewer
    // than the resource table's, and then has none.
    const size_t countAt = pe.plus ? 108 : 92;
    const size_t directoriesAt = countAt + 4;
    const size_t resourceAt = directoriesAt + resourceDirectoryIndex * 8;
    if (optional.size() >= resourceAt + 8 && read32(&optional[countAt]) > resourceDirectoryIndex)
        pe.resourceRva = read32(&optional[resourceAt]);

    if (sectionCount > maxSections) return PeFault::damaged;
    std::vector<uint8_t> table(size_t{sectionCount} * sectionHeaderSize);
    if (!in.read(peOffset + peHeaderSize + optionalSize, table.size(), table.data()))
        return PeFault::cutShort;
    for (size_t i = 0; i < table.size(); i += sectionHeaderSize)
        pe.sections.push_back(
            {read32(&table[i + 12]), read32(&table[i + 16]), read32(&table[i + 20])});
    return PeFault::none;
}

PeFault findPeResource(const PeFile& pe, uint16_t type, uint16_t id, PeResource& found) {
    if (pe.resourceRva == 0) return PeFault::absent;
    TreeWindow window;
    if (!findTreeWindow(pe, window)) return PeFault::damaged;
    // Type, then identifier: each leads to a directory of its own.
    uint32_t target = 0;
    const uint16_t path[2] = {type, id};
    for (const uint16_t number : path) {
        if (const PeFault fault = findEntry(pe, window, target, number, target);
            fault != PeFault::none)
            return fault;
        if ((target & subdirectoryBit) == 0) return PeFault::damaged;
        target &= ~subdirectoryBit;
    }
    // The first language listed, whichever it is.
    std::vector<uint8_t> languages;
    uint32_t named = 0;
    if (const PeFault fault = readDirectory(pe, window, target, languages, named);
        fault != PeFault::none)
        return fault;
    if (languages.empty()) return PeFault::absent;
    const uint32_t dataOffset = read32(&languages[4]);
    if ((dataOffset & subdirectoryBit) != 0) return PeFault::damaged;
    const uint32_t language = read32(&languages[0]);
    uint8_t entry[dataEntrySize];
    if (const PeFault fault = readTree(pe, window, dataOffset, dataEntrySize, entry);
        fault != PeFault::none)
        return fault;
    const uint64_t rva = read32(entry), size = read32(entry + 4);
    for (const PeFile::Section& s : pe.sections)
        if (rva >= s.virtualAddress && rva + size <= uint64_t{s.virtualAddress} + s.rawSize) {
            found.offset = s.rawOffset + (rva - s.virtualAddress);
            found.size = static_cast<uint32_t>(size);
            found.language = (language & namedBit) != 0 ? 0 : static_cast<uint16_t>(language);
            if (found.offset > pe.source.size || size > pe.source.size - found.offset)
                return PeFault::cutShort;
            return PeFault::none;
        }
    return PeFault::damaged;
}

PeFault readPeResource(const PeFile& pe, const PeResource& resource, std::vector<uint8_t>& bytes) {
    bytes.assign(resource.size, 0);
    return pe.source.read(resource.offset, bytes.size(), bytes.data()) ? PeFault::none
                                                                       : PeFault::cutShort;
}

const char* peFaultText(PeFault fault) {
    switch (fault) {
    case PeFault::none:
        return "read";
    case PeFault::absent:
        return "absent";
    case PeFault::notExecutable:
        return "not a Windows executable";
    case PeFault::cutShort:
        return "cut short";
    case PeFault::damaged:
        return "damaged";
    }
    return "damaged";
}

} // namespace zema
