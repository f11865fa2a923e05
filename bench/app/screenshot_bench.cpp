// What F12 costs the game loop: a play frame at 1920 x 1080 (and 1024 x 768) encoded as a PNG,
// and the whole screenshot written to a file. The loop stands still for that long.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/screenshot.h"
#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "headless/start_headless.h"
#include "png/png_writer.h"
#include "render/images.h"
#include "sim/sim_shot.h"

namespace zema {

namespace {

// The first play frame of a game with the beam on, composited at width x height.
std::vector<uint32_t> playFrame(int32_t width, int32_t height) {
    startHeadless({.width = static_cast<uint32_t>(width), .height = static_cast<uint32_t>(height)});
    startGame();
    fireShot();
    clearRecordedOps();
    runFrame();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    BackBuffer target{pixels.data(), width, height, width};
    compositeRecordedOps(target);
    return pixels;
}

bool picturesLoaded() {
    static const bool loaded = loadImages() < 0;
    return loaded;
}

void encodeFrame(benchmark::State& state) {
    if (!picturesLoaded()) return state.SkipWithError("the pictures did not load");
    const int32_t width = static_cast<int32_t>(state.range(0));
    const int32_t height = static_cast<int32_t>(state.range(1));
    const std::vector<uint32_t> pixels = playFrame(width, height);
    size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> png = encodePng(pixels.data(), width, height, width);
        bytes = png.size();
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["pngBytes"] = static_cast<double>(bytes);
}
BENCHMARK(encodeFrame)->Unit(benchmark::kMillisecond)->Args({1920, 1080})->Args({1024, 768});

void saveFrame(benchmark::State& state) {
    if (!picturesLoaded()) return state.SkipWithError("the pictures did not load");
    const std::vector<uint32_t> pixels = playFrame(1920, 1080);
    char pattern[] = "/tmp/zema-shot-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return state.SkipWithError("no scratch folder");
    const std::string folder = pattern;
    int shot = 0;
    for (auto _ : state) {
        // A new name each time, as shots seconds apart get.
        std::tm when = {};
        when.tm_year = 126;
        when.tm_mday = 1 + shot / 86400 % 28;
        when.tm_hour = shot / 3600 % 24;
        when.tm_min = shot / 60 % 60;
        when.tm_sec = shot % 60;
        ++shot;
        std::string path;
        if (!saveScreenshot(pixels.data(), 1920, 1080, 1920, folder, when, path))
            return state.SkipWithError(path.c_str());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(saveFrame)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace zema

BENCHMARK_MAIN();
