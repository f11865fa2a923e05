// Smooth motion's schedule over a clock of the test's own, and the steady clock the game gives it.
#include "app/smooth_schedule.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <utility>
#include <vector>

namespace zema {
namespace {

// Waits move the clock on; each picture is noted with its time from the start, and takes
// showTakes to show.
struct TestClock {
    uint64_t now = 0, showTakes = 0;
    std::vector<std::pair<uint64_t, double>> shown;
} fakeClock;
constexpr uint64_t start = 5000000;
const SleepClock testClock = {[] { return fakeClock.now; },
                              [](uint32_t ms) { fakeClock.now += uint64_t{ms} * 1000; },
                              [](double part) {
                                  fakeClock.shown.emplace_back(fakeClock.now - start, part);
                                  fakeClock.now += fakeClock.showTakes;
                              }};

TEST(SmoothSchedule, EachPictureNoEarlierThanItsTimeAndLatePicturesLeftOut) {
    struct Case {
        int count;
        uint64_t showTakes, endsAt;
        std::vector<std::pair<uint64_t, double>> shown;
    };
    const Case cases[] = {
        {1, 0, 100000, {{0, 1.0}}},
        {0, 0, 100000, {{0, 1.0}}},
        // 33.333 ms waits whole milliseconds: 34, then 33 to 66.667 ms.
        {3, 0, 100000, {{0, 1 / 3.0}, {34000, 2 / 3.0}, {67000, 1.0}}},
        // Pictures that take 60 ms: the second is due at 50 ms, when the third's time has not
        // come; the last comes late but comes.
        {4, 60000, 180000, {{0, 0.25}, {60000, 0.75}, {120000, 1.0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        fakeClock = {start, c.showTakes, {}};
        sleepShowingPictures(testClock, c.count, 100000);
        EXPECT_EQ(fakeClock.shown, c.shown);
        EXPECT_EQ(fakeClock.now - start, c.endsAt);
    }
}

TEST(SmoothSchedule, RatesAndPicturesASleep) {
    EXPECT_EQ(picturesPerSleep(60), 6);
    EXPECT_EQ(picturesPerSleep(15), 1);
    EXPECT_EQ(picturesPerSleep(0), 1);
    EXPECT_EQ(smoothRate(60, 0), 60);
    EXPECT_EQ(smoothRate(60, 25), 25);
    EXPECT_EQ(smoothRate(30, 60), 30);
    // The game's own clock moves with time: a 5 ms wait is at least 5000 of it.
    const uint64_t before = steadyMicroseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GE(steadyMicroseconds() - before, 5000u);
}

} // namespace
} // namespace zema
