// The resource reader: windres's 32- and 64-bit executables read as they are, and small ones
// made here, damaged part by part, each refused for its own reason and nothing read past the end.
#include "copy/pe_resources.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "assets/picture_list.h"
#include "pe_builder.h"
#include "test_files.h"

namespace zema {
namespace {

const std::vector<uint8_t> title = {'t', 'i', 't', 'l', 'e', '!'};

BuiltPe sample(bool plus) {
    return buildPe(plus, {{peBitmap, 142, 1041, title},
                          {peBitmap, 143, 1041, {1, 2, 3}},
                          {peIconGroup, 123, 1041, {0, 0, 1, 0}}});
}

PeFault find(const std::vector<uint8_t>& bytes, uint16_t id, PeResource& found, PeFault& opened) {
    PeFile pe;
    opened = openPe(memorySource(bytes.data(), bytes.size()), pe);
    return opened == PeFault::none ? findPeResource(pe, peBitmap, id, found) : opened;
}

struct Damage {
    const char* what;
    std::function<void(BuiltPe&)> change;
    PeFault opened, found;
};

TEST(PeResources, EachDamageHasItsOwnOutcome) {
    const Damage damages[] = {
        {"whole", [](BuiltPe&) {}, PeFault::none, PeFault::none},
        {"no MZ", [](BuiltPe& pe) { pe.bytes[1] = 'X'; }, PeFault::notExecutable,
         PeFault::notExecutable},
        {"PE header past the end",
         [](BuiltPe& pe) { put32At(pe.bytes, 0x3C, uint32_t(pe.bytes.size() - 10)); },
         PeFault::notExecutable, PeFault::notExecutable},
        {"no PE signature", [](BuiltPe& pe) { pe.bytes[builtPeAt + 1] = 'F'; },
         PeFault::notExecutable, PeFault::notExecutable},
        {"an optional header of neither kind",
         [](BuiltPe& pe) { put16At(pe.bytes, pe.optionalAt, 0x107); }, PeFault::notExecutable,
         PeFault::notExecutable},
        {"cut in the optional header", [](BuiltPe& pe) { pe.bytes.resize(pe.optionalAt + 30); },
         PeFault::cutShort, PeFault::cutShort},
        {"cut in the section table", [](BuiltPe& pe) { pe.bytes.resize(pe.sectionAt + 39); },
         PeFault::cutShort, PeFault::cutShort},
        {"more sections than Windows takes",
         [](BuiltPe& pe) { put16At(pe.bytes, builtPeAt + 6, 97); }, PeFault::damaged,
         PeFault::damaged},
        {"no resource table among the data directories",
         [](BuiltPe& pe) { put32At(pe.bytes, pe.directoryCountAt, 2); }, PeFault::none,
         PeFault::absent},
        {"the resource table in no section",
         [](BuiltPe& pe) { put32At(pe.bytes, pe.sectionAt + 12, builtRsrcRva + 0x4000); },
         PeFault::none, PeFault::damaged},
        {"more entries than the section holds",
         [](BuiltPe& pe) { put16At(pe.bytes, builtRsrcAt + 14, 0xFFFF); }, PeFault::none,
         PeFault::damaged},
        {"a type leading to data, not a directory",
         [](BuiltPe& pe) { pe.bytes[builtRsrcAt + 23] &= 0x7F; }, PeFault::none, PeFault::damaged},
        {"a picture's data in no section",
         [](BuiltPe& pe) { put32At(pe.bytes, pe.firstDataEntryAt, 0x9000); }, PeFault::none,
         PeFault::damaged},
        {"a picture past the end of the file",
         [](BuiltPe& pe) { pe.bytes.resize(pe.bytes.size() - 16); }, PeFault::none,
         PeFault::cutShort},
        {"cut in the resource table", [](BuiltPe& pe) { pe.bytes.resize(builtRsrcAt + 20); },
         PeFault::none, PeFault::cutShort},
    };
    for (const bool plus : {false, true})
        for (const Damage& damage : damages) {
            BuiltPe pe = sample(plus);
            damage.change(pe);
            PeResource found;
            PeFault opened;
            const PeFault fault = find(pe.bytes, 142, found, opened);
            SCOPED_TRACE(std::string(damage.what) + (plus ? ", PE32+" : ", PE32"));
            EXPECT_EQ(opened, damage.opened) << peFaultText(opened);
            EXPECT_EQ(fault, damage.found) << peFaultText(fault);
            if (fault != PeFault::none) continue;
            PeFile file;
            ASSERT_EQ(openPe(memorySource(pe.bytes.data(), pe.bytes.size()), file), PeFault::none);
            EXPECT_EQ(file.plus, plus);
            std::vector<uint8_t> bytes;
            EXPECT_EQ(readPeResource(file, found, bytes), PeFault::none);
            EXPECT_EQ(bytes, title);
            EXPECT_EQ(found.language, 1041);
            EXPECT_EQ(findPeResource(file, peBitmap, 144, found), PeFault::absent);
            EXPECT_EQ(findPeResource(file, peIcon, 142, found), PeFault::absent);
            EXPECT_EQ(findPeResource(file, peIconGroup, 123, found), PeFault::none);
        }
}

// windres's own executables, read from their files: 32-bit in English, 64-bit in Japanese, and
// one holding only an icon.
TEST(PeResources, ReadsWindresExecutables) {
    struct Made {
        const char* folder;
        bool plus;
        uint16_t language; // of the pictures; 0 for none
    };
    for (const Made made : {Made{"pe32-english", false, 1033}, Made{"pe64-japanese", true, 1041},
                            Made{"icon-only", true, 0}}) {
        SCOPED_TRACE(made.folder);
        const std::string path =
            std::string(ZEMA_STAND_IN_DIR) + "/" + made.folder + "/standin.exe";
        std::FILE* file = std::fopen(path.c_str(), "rb");
        ASSERT_NE(file, nullptr) << path;
        PeFile pe;
        EXPECT_EQ(openPe(fileSource(file), pe), PeFault::none);
        EXPECT_EQ(pe.plus, made.plus);
#define ZEMA_FIND_PICTURE(slot, id, ...)                                                           \
    {                                                                                              \
        PeResource found;                                                                          \
        EXPECT_EQ(findPeResource(pe, peBitmap, id, found),                                         \
                  made.language ? PeFault::none : PeFault::absent)                                 \
            << id;                                                                                 \
        EXPECT_EQ(found.language, made.language) << id;                                            \
    }
        ZEMA_PICTURES(ZEMA_FIND_PICTURE)
#undef ZEMA_FIND_PICTURE
        PeResource icon;
        EXPECT_EQ(findPeResource(pe, peIconGroup, iconResourceId, icon) == PeFault::none,
                  made.language != 1033);
        std::fclose(file);
    }
}

} // namespace
} // namespace zema
