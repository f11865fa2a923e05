// Screenshot files: the folder the XDG rules give, names by time, never replacing a shot, and
// the faults a folder or a file can have.
#include "app/screenshot.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "png/png_writer.h"
#include "test_files.h"

namespace zema {
namespace {

std::tm sampleTime() {
    std::tm when = {};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 8;
    when.tm_hour = 20;
    when.tm_min = 5;
    when.tm_sec = 9;
    return when;
}

class ScreenshotFiles : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(root.empty()); }
    ScratchFolder scratch{"zema-shots"};
    const std::string& root = scratch.path();
    // A 3 x 2 picture inside rows of 4 pixels.
    std::vector<uint32_t> pixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xDEADBEEF,
                                    0xFF000000, 0xFFFFFFFF, 0xFF123456, 0xDEADBEEF};
};

TEST(ScreenshotFolder, FollowsTheXdgDataHomeRules) {
    EXPECT_EQ(screenshotFolder("/data", "/home/p"), "/data/zema/screenshots");
    EXPECT_EQ(screenshotFolder("/data//", "/home/p"), "/data/zema/screenshots");
    EXPECT_EQ(screenshotFolder(nullptr, "/home/p"), "/home/p/.local/share/zema/screenshots");
    // Empty or relative values are to be ignored.
    EXPECT_EQ(screenshotFolder("", "/home/p"), "/home/p/.local/share/zema/screenshots");
    EXPECT_EQ(screenshotFolder("data", "/home/p/"), "/home/p/.local/share/zema/screenshots");
    EXPECT_EQ(screenshotFolder("/", nullptr), "/zema/screenshots");
    EXPECT_EQ(screenshotFolder(nullptr, nullptr), "");
    EXPECT_EQ(screenshotFolder("rel", "also-rel"), "");
}

TEST(ScreenshotFolder, NamesSortByTimeAndCountWithinASecond) {
    EXPECT_EQ(screenshotName(sampleTime(), 1), "zema-20261208-200509.png");
    EXPECT_EQ(screenshotName(sampleTime(), 2), "zema-20261208-200509-2.png");
    EXPECT_EQ(screenshotName(sampleTime(), 12), "zema-20261208-200509-12.png");
}

TEST_F(ScreenshotFiles, WritesThePictureAsAPngIntoNewFolders) {
    const std::string folder = root + "/a/b/zema/screenshots";
    std::string path;
    ASSERT_TRUE(saveScreenshot(pixels.data(), 3, 2, 4, folder, sampleTime(), path)) << path;
    EXPECT_EQ(path, folder + "/zema-20261208-200509.png");
    EXPECT_EQ(fileBytes(path), encodePng(pixels.data(), 3, 2, 4));
}

TEST_F(ScreenshotFiles, NeverReplacesAShotTakenInTheSameSecond) {
    std::string first, second;
    ASSERT_TRUE(saveScreenshot(pixels.data(), 3, 2, 4, root, sampleTime(), first));
    const std::vector<uint8_t> firstBytes = fileBytes(first);
    pixels[0] = 0xFF00FFFF;
    ASSERT_TRUE(saveScreenshot(pixels.data(), 3, 2, 4, root, sampleTime(), second));
    EXPECT_EQ(second, root + "/zema-20261208-200509-2.png");
    EXPECT_EQ(fileBytes(first), firstBytes);
    EXPECT_EQ(fileBytes(second), encodePng(pixels.data(), 3, 2, 4));
}

TEST_F(ScreenshotFiles, AFolderThatCannotBeMadeIsReportedWithWhy) {
    const std::string blocker = root + "/file";
    std::ofstream(blocker) << "not a folder";
    std::string error;
    EXPECT_FALSE(saveScreenshot(pixels.data(), 3, 2, 4, blocker + "/shots", sampleTime(), error));
    EXPECT_EQ(error, blocker + "/shots: Not a directory");
    EXPECT_FALSE(makeFolders(blocker, error));
    EXPECT_EQ(error, blocker + ": Not a directory");
}

TEST_F(ScreenshotFiles, AFileThatCannotBeWrittenIsReportedWithWhy) {
    if (geteuid() == 0) {
        // Root writes into read-only folders; /proc refuses anyone.
        std::string error;
        EXPECT_FALSE(saveScreenshot(pixels.data(), 3, 2, 4, "/proc/zema", sampleTime(), error));
        EXPECT_NE(error.find("/proc/zema"), std::string::npos) << error;
        return;
    }
    ASSERT_EQ(chmod(root.c_str(), 0500), 0);
    std::string error;
    EXPECT_FALSE(saveScreenshot(pixels.data(), 3, 2, 4, root, sampleTime(), error));
    EXPECT_EQ(error, root + "/zema-20261208-200509.png: Permission denied");
    chmod(root.c_str(), 0700);
}

TEST_F(ScreenshotFiles, NoFrameOrNoFolderWritesNothing) {
    std::string error;
    EXPECT_FALSE(saveScreenshot(nullptr, 3, 2, 4, root, sampleTime(), error));
    EXPECT_EQ(error, "there is no frame to save");
    EXPECT_FALSE(saveScreenshot(pixels.data(), 0, 2, 4, root, sampleTime(), error));
    EXPECT_FALSE(saveScreenshot(pixels.data(), 3, 2, 4, "", sampleTime(), error));
    EXPECT_NE(error.find("XDG_DATA_HOME"), std::string::npos);
    EXPECT_EQ(fileBytes(root + "/zema-20261208-200509.png").size(), 0u);
}

} // namespace
} // namespace zema
