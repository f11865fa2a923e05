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
#include "render/frame_repaint.h"
#include "render/images.h"
#include "render/pixel_vector.h"
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

// Each frame as the SDL display draws it: kept until its present, then drawn again only where it
// changed from the frame before.
void compositeRepainting(BackBuffer& target) {
    PixelRect changed[maxRepaintRects];
    for (int i = 0; i < recordedOpCount; ++i) {
        const DisplayOp& op = recordedOps[i];
        if (op.kind == DisplayOpKind::Clear)
            keepClear(target, op.colour);
        else if (op.kind == DisplayOpKind::Draw)
            keepDraw(target, op.slot, op.source, op.scaling, op.translation, op.colour);
        else if (op.kind == DisplayOpKind::Present)
            compositeKeptFrame(target, true, changed);
    }
}

// Plays the whole demo once from a fresh start, each frame drawn whole or repainting; returns
// the frames run.
long playOnce(const Demo& demo, BackBuffer& target, bool repainting) {
    startHeadless({.width = static_cast<uint32_t>(target.width),
                   .height = static_cast<uint32_t>(target.height)});
    gameState.hasJoystick = demo.joystick ? 1 : 0;
    readingsFed = true;
    DemoPlayer player;
    startPlaying(player, demo);
    while (playToNextFrame(player)) {
        clearRecordedOps();
        runFrame();
        if (repainting)
            compositeRepainting(target);
        else
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
    PixelVector pixels(static_cast<size_t>(width) * height);
    BackBuffer target{pixels.data(), width, height, width};
    const bool repainting = state.range(2) != 0;
    forgetKeptFrames();
    long frames = 0;
    for (auto _ : state) {
        frames += playOnce(demo, target, repainting);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

} // namespace
} // namespace zema

// The last argument: every frame drawn whole (0), or only where it changed (1).
BENCHMARK(zema::replayHeadless)
    ->ArgNames({"width", "height", "repainting"})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Args({1024, 768, 0})
    ->Args({1024, 768, 1})
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
