// The resource reader on windres's executables, the fuzz seeds (a 32- and a 64-bit one, each two
// bitmaps and an icon in Japanese), damaged part by part: each refused for its own reason and
// nothing read past the end. The stand-in copies are read from their files in own_copy_test.
#include "copy/pe_resources.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "test_files.h"

namespace zema {
namespace {

// Where the seeds keep their parts (x86_64-w64-mingw32-objdump -x shows them).
struct Seed {
    const char* name;
    bool plus;
    size_t directoriesAt, sectionsAt, rsrcAt, titleEntryAt, titleAt;
};
constexpr Seed seeds[] = {{"pe32_japanese", false, 0xF4, 0x178, 0x280, 0x358, 0x398},
                          {"pe64_japanese", true, 0x104, 0x188, 0x2A0, 0x378, 0x3B8}};

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

struct Damage {
    const char* what;
    std::function<void(std::vector<uint8_t>&, const Seed&)> change;
    PeFault opened, found;
};

TEST(PeResources, EachDamageHasItsOwnOutcome) {
    using B = std::vector<uint8_t>&;
    const Damage damages[] = {
        {"whole", [](B, const Seed&) {}, PeFault::none, PeFault::none},
        {"no MZ", [](B b, const Seed&) { b[1] = 'X'; }, PeFault::notExecutable, {}},
        {"PE header past the end",
         [](B b, const Seed&) { put32(b, 0x3C, uint32_t(b.size() - 4)); },
         PeFault::notExecutable,
         {}},
        {"no PE signature", [](B b, const Seed&) { b[0x81] = 'F'; }, PeFault::notExecutable, {}},
        {"an optional header of neither kind",
         [](B b, const Seed&) { b[0x98] = 7; },
         PeFault::notExecutable,
         {}},
        {"cut in the optional header",
         [](B b, const Seed& s) { b.resize(s.directoriesAt); },
         PeFault::cutShort,
         {}},
        {"cut in the section table",
         [](B b, const Seed& s) { b.resize(s.sectionsAt + 100); },
         PeFault::cutShort,
         {}},
        {"more sections than Windows takes",
         [](B b, const Seed&) { b[0x86] = 97; },
         PeFault::damaged,
         {}},
        {"no resource table listed", [](B b, const Seed& s) { put32(b, s.directoriesAt, 2); },
         PeFault::none, PeFault::absent},
        {"the resource table in no section",
         [](B b, const Seed& s) { put32(b, s.sectionsAt + 80 + 12, 0x9000); }, PeFault::none,
         PeFault::damaged},
        {"more entries than the section holds",
         [](B b, const Seed& s) { b[s.rsrcAt + 14] = b[s.rsrcAt + 15] = 0xFF; }, PeFault::none,
         PeFault::damaged},
        {"a type leading to data, not a directory",
         [](B b, const Seed& s) { b[s.rsrcAt + 23] &= 0x7F; }, PeFault::none, PeFault::damaged},
        {"a picture's data in no section",
         [](B b, const Seed& s) { put32(b, s.titleEntryAt, 0x9000); }, PeFault::none,
         PeFault::damaged},
        {"a picture past the end of the file", [](B b, const Seed& s) { b.resize(s.titleAt + 16); },
         PeFault::none, PeFault::cutShort},
        {"cut in the resource table", [](B b, const Seed& s) { b.resize(s.rsrcAt + 20); },
         PeFault::none, PeFault::cutShort},
    };
    for (const Seed& seed : seeds)
        for (const Damage& damage : damages) {
            SCOPED_TRACE(std::string(seed.name) + ": " + damage.what);
            std::vector<uint8_t> bytes = fileBytes(std::string(ZEMA_PE_CORPUS) + "/" + seed.name);
            damage.change(bytes, seed);
            PeFile pe;
            ASSERT_EQ(openPe(memorySource(bytes.data(), bytes.size()), pe), damage.opened);
            if (damage.opened != PeFault::none) continue;
            PeResource found;
            EXPECT_EQ(findPeResource(pe, peBitmap, 142, found), damage.found);
            if (damage.found != PeFault::none) continue;
            EXPECT_EQ(pe.plus, seed.plus);
            EXPECT_EQ(found.language, 1041);
            std::vector<uint8_t> read;
            EXPECT_EQ(readPeResource(pe, found, read), PeFault::none);
            const auto title = bytes.begin() + long(seed.titleAt);
            EXPECT_EQ(read, std::vector<uint8_t>(title, title + 112)); // the 2 x 2 bitmap
            EXPECT_EQ(findPeResource(pe, peBitmap, 144, found), PeFault::absent);
            EXPECT_EQ(findPeResource(pe, peIconGroup, 123, found), PeFault::none);
        }
}

} // namespace
} // namespace zema
