// The frame report counts the frames shown from 1 and the pictures between them, and a hold at
// frame 0 holds at once until its file goes or names a frame still to come.
#include "app/frame_report.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

#include "test_files.h"

namespace zema {
namespace {

TEST(FrameReport, CountsFromOneAndHoldsUntilItsFileGoesOrNamesAFrameToCome) {
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

    const std::string hold = report + ".hold";
    const auto writeHold = [&](const char* text) {
        std::FILE* file = std::fopen(hold.c_str(), "w");
        std::fputs(text, file);
        std::fclose(file);
    };
    // Holds until letGo, done once the report says it holds, lets it go.
    const auto holdUntil = [&](const std::function<void()>& letGo) {
        const std::string before = fileText(report);
        std::atomic<bool> done = false;
        std::thread letter([&] {
            while (fileText(report) == before)
                std::this_thread::yield();
            done = true;
            letGo();
        });
        holdWhileAsked();
        EXPECT_TRUE(done) << "let go before it was told";
        letter.join();
    };
    writeHold(""); // names no frame: at once
    holdUntil([&] { std::remove(hold.c_str()); });
    writeHold("");
    holdUntil([&] { writeHold("3"); }); // a frame to come: on to it
    reportFrameShown();
    holdUntil([&] { std::remove(hold.c_str()); }); // held there by the same file
    EXPECT_EQ(fileText(report), "shown 1 0\nshown 2 2\nheld 2\nheld 2\nshown 3 2\nheld 3\n");
    closeFrameReport();
}

} // namespace
} // namespace zema
