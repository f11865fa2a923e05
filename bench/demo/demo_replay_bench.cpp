// A demo replayed headless: the committed clearing script played through the demo player with
// its readings fed, every frame composited into a W x H back buffer in memory. Against
// zema --timedemo of the same demo at the same size, the ratio is the cost of the platform:
// presenting through SDL and the X server, and the event pump.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "demo/demo_player.h"
#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/input_tap.h"
#include "render/images.h"
#include "sim/sim_shot.h"

namespace zema {
namespace {

const Demo& clearingDemo() {
    static const Demo demo = [] {
        std::ifstream in(ZEMA_CLEAR_GAME_SCRIPT);
        std::ostringstream text;
        text << in.rdbuf();
        Demo loaded;
        std::string error;
        if (!loadDemo(text.str(), loaded, error)) loaded = {};
        return loaded;
    }();
    return demo;
}

// Plays the whole demo once from a fresh start; returns the frames run.
long playOnce(const Demo& demo, BackBuffer& target) {
    startHeadless({.width = static_cast<uint32_t>(target.width),
                   .height = static_cast<uint32_t>(target.height)});
    gameState.hasJoystick = demo.joystick ? 1 : 0;
    readingsFed = true;
    DemoPlayer player;
    startPlaying(player, demo);
    while (playToNextFrame(player)) {
        clearRecordedOps();
        runFrame();
        compositeRecordedOps(target);
    }
    readingsFed = false;
    return player.framesPlayed;
}

void replayHeadless(benchmark::State& state) {
    const Demo& demo = clearingDemo();
    if (demo.frames == 0) {
        state.SkipWithError("cannot read " ZEMA_CLEAR_GAME_SCRIPT);
        return;
    }
    startHeadless();
    if (loadImages() >= 0) {
        state.SkipWithError("cannot load the pictures");
        return;
    }
    const int32_t width = static_cast<int32_t>(state.range(0));
    const int32_t height = static_cast<int32_t>(state.range(1));
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BackBuffer target{pixels.data(), width, height, width};
    long frames = 0;
    for (auto _ : state) {
        frames += playOnce(demo, target);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

} // namespace
} // namespace zema

BENCHMARK(zema::replayHeadless)
    ->Args({1920, 1080})
    ->Args({1024, 768})
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
