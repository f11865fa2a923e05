// The demo file: only whole lines reach it, what waits is written by a flush or after a second,
// and a file that cannot be created says why.
#include "demo/demo_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "test_files.h"

namespace zema {
namespace {

class DemoFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/zema-demo-file-XXXXXX";
        const int fd = mkstemp(name);
        ASSERT_GE(fd, 0);
        close(fd);
        path = name;
    }
    void TearDown() override { std::remove(path.c_str()); }
    std::string path;
};

TEST_F(DemoFileTest, WholeLinesOnlyAndWrittenAtLeastOnceASecond) {
    DemoFile file;
    std::string error;
    ASSERT_TRUE(createDemoFile(file, path, error)) << error;
    std::string lines = "device keyboard\nframe r\nfram";
    addDemoLines(file, lines);
    EXPECT_EQ(lines, "fram");      // the part line waits where it was made
    EXPECT_EQ(fileText(path), ""); // gathered, not yet written
    file.lastWrite -= std::chrono::milliseconds(1050); // as if written a second ago
    std::string more = "frame\n";
    addDemoLines(file, more);
    // A second has passed: everything whole is in the file, as a crash now would leave it.
    EXPECT_EQ(fileText(path), "device keyboard\nframe r\nframe\n");
    lines += "e d\n";
    addDemoLines(file, lines);
    EXPECT_TRUE(closeDemoFile(file));
    EXPECT_EQ(fileText(path), "device keyboard\nframe r\nframe\nframe d\n");
}

TEST_F(DemoFileTest, ManyLinesAreWrittenWithoutWaiting) {
    DemoFile file;
    std::string error;
    ASSERT_TRUE(createDemoFile(file, path, error)) << error;
    std::string lines;
    for (int i = 0; i < 20000; ++i)
        lines += "frame lr\n";
    addDemoLines(file, lines);
    EXPECT_EQ(fileText(path).size(), 20000u * 9);
    EXPECT_TRUE(closeDemoFile(file));
}

TEST(DemoFile, FileThatCannotBeCreatedSaysWhy) {
    DemoFile file;
    std::string error;
    EXPECT_FALSE(createDemoFile(file, "/nonexistent-folder/demo.txt", error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(flushDemoFile(file));
}

TEST(DemoFile, FullDeviceIsReported) {
    DemoFile file;
    std::string error;
    ASSERT_TRUE(createDemoFile(file, "/dev/full", error)) << error;
    std::string lines = "frame\n";
    addDemoLines(file, lines);
    EXPECT_FALSE(closeDemoFile(file));
}

} // namespace
} // namespace zema
