// The frame report counts the frames shown from 1 and the pictures between them, and a hold at frame 0 holds at once until
// its file goes.
#include "app/frame_report.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "test_files.h"

namespace zema {
namespace {

TEST(FrameReport, CountsFromOneAndAHoldAtZeroHoldsUntilItsFileGoes) {
    const ScratchFolder scratch("zema-frame-report");
    const std::string report = scratch.path() + "/frames";
    setEnv("ZEMA_FRAME_REPORT", report.c_str());
    openFrameReport();
    setEnv("ZEMA_FRAME_REPORT", nullptr);
    reportFrameShown();
    reportPictureBetween();
    reportPictureBetween();
    reportFrameShown();
    EXPECT_EQ(fileText(report), "shown 1 0\nshown 2 2\n");

    std::fclose(std::fopen((report + ".hold").c_str(), "w")); // names no frame: at once
    std::atomic<bool> released = false;
    std::thread letGo([&] {
        while (fileText(report).find("held") == std::string::npos)
            std::this_thread::yield();
        released = true;
        std::remove((report + ".hold").c_str());
    });
    holdWhileAsked();
    EXPECT_TRUE(released) << "let go before its file was removed";
    letGo.join();
    EXPECT_EQ(fileText(report), "shown 1 0\nshown 2 2\nheld 2\n");
    closeFrameReport();
}

} // namespace
} // namespace zema
