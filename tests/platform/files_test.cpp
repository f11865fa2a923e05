// The file helpers take UTF-8 paths: a folder or file named outside ASCII is made, written, read
// and listed under that very name (on Windows, not under its bytes in the system's code page).
#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>

#include "test_files.h"

namespace zema {
namespace {

// Whether the file system holds the name, asked without the helpers.
bool existsAsNamed(const std::string& utf8) {
    return std::filesystem::exists(std::filesystem::path(std::u8string(utf8.begin(), utf8.end())));
}

TEST(FileHelpers, MakeWriteAndReadPathsOutsideAscii) {
    ScratchFolder scratch("zema-files");
    ASSERT_FALSE(scratch.path().empty());
    const std::string folder = scratch.path() + "/Jos\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC";
    ASSERT_TRUE(makeFolder(folder));
    EXPECT_TRUE(makeFolder(folder)) << "an existing folder counts as made";
    EXPECT_TRUE(existsAsNamed(folder));

    const std::string shot = folder + "/zema-\xC3\xBC.png";
    std::FILE* created = createNewFile(shot);
    ASSERT_NE(created, nullptr);
    EXPECT_GE(std::fputs("shot", created), 0);
    EXPECT_EQ(std::fclose(created), 0);
    EXPECT_EQ(createNewFile(shot), nullptr) << "an existing file is never replaced";
    EXPECT_EQ(errno, EEXIST);
    EXPECT_TRUE(existsAsNamed(shot));

    std::FILE* in = openFile(shot, "rb");
    ASSERT_NE(in, nullptr);
    char read[8] = {};
    EXPECT_EQ(std::fread(read, 1, sizeof read, in), 4u);
    std::fclose(in);
    EXPECT_STREQ(read, "shot");
    EXPECT_EQ(openFile(folder + "/none", "rb"), nullptr);

    // Listed under the same names, "." and ".." left out.
    ASSERT_TRUE(makeFolder(folder + "/GAME \xE6\x97\xA5"));
    std::vector<std::string> names;
    ASSERT_TRUE(listFolder(folder, names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"GAME \xE6\x97\xA5", "zema-\xC3\xBC.png"}));
    EXPECT_TRUE(listFolder(folder + "/GAME \xE6\x97\xA5", names) && names.empty());
    EXPECT_FALSE(listFolder(folder + "/none", names));
    EXPECT_EQ(errno, ENOENT);
}

// A whole file up to the cap (a last block of one byte too), a byte past it refused.
TEST(FileHelpers, ReadsWholeFilesUpToTheirCap) {
    ScratchFolder scratch("zema-whole");
    ASSERT_FALSE(scratch.path().empty());
    const std::string path = scratch.path() + "/file";
    const std::string bytes(3 << 14 | 1, 'z');
    std::FILE* out = openFile(path, "wb");
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), out), bytes.size());
    ASSERT_EQ(std::fclose(out), 0);
    std::string text = "before";
    int error = -1;
    EXPECT_TRUE(readWholeFile(path, bytes.size(), text, error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(text, bytes);
    EXPECT_FALSE(readWholeFile(path, bytes.size() - 1, text, error));
    EXPECT_EQ(error, EFBIG);
    EXPECT_FALSE(readWholeFile(path + ".none", bytes.size(), text, error));
    EXPECT_EQ(error, ENOENT);
}

// Screenshots are named by it: 10^9 seconds is September 2001 in every time zone.
TEST(FileHelpers, LocalTimeGivesTheCalendar) {
    const std::tm when = localTime(1000000000);
    EXPECT_EQ(when.tm_year, 101);
    EXPECT_EQ(when.tm_mon, 8);
}

} // namespace
} // namespace zema
