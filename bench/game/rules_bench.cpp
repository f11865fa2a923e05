// Throughput of play frames: the rules and the frame step with the recording display.
#include <benchmark/benchmark.h>

#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/input_headless.h"
#include "sound/sound_headless.h"

namespace zema {

namespace {

void startBenchGame() {
    startHeadless();
    startGame();
}

// The craft holds still; energy is topped up so that the game never ends and every frame
// is a full play frame.
void playFramesStill(benchmark::State& state) {
    startBenchGame();
    for (auto _ : state) {
        clearRecordedOps();
        clearRecordedSounds();
        gameState.energy = 250;
        runFrame();
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The craft walks back and forth and fires, so the moves, pick-ups and beam all run.
void playFramesWalking(benchmark::State& state) {
    startBenchGame();
    long frame = 0;
    for (auto _ : state) {
        clearRecordedOps();
        clearRecordedSounds();
        gameState.energy = 250;
        const bool right = (frame / 12) % 2 == 0;
        scriptedKeyboard = {!right, right, frame % 7 == 0, frame % 5 == 0};
        if (frame % 10 == 0) fireShot();
        runFrame();
        ++frame;
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(playFramesStill)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(playFramesWalking)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace zema
