// The game's 800 x 600 view scaled to a 3840 x 2160 screen by our scaler, side by side with one
// plain copy of the 3840 x 2160 output and with SDL's own scaled software copies.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "render/view_scaler.h"

namespace zema {

namespace {

constexpr int32_t viewWidth = 800, viewHeight = 600, screenWidth = 3840, screenHeight = 2160;

struct Pixels {
    std::vector<uint32_t> view, screen;
    Pixels() : view(size_t(viewWidth) * viewHeight), screen(size_t(screenWidth) * screenHeight) {
        std::mt19937 random(1);
        for (uint32_t& p : view)
            p = 0xFF000000u | (random() & 0xFFFFFF);
    }
};

Pixels& pixels() {
    static Pixels shared;
    return shared;
}

void copyOfTheOutput(benchmark::State& state) {
    std::vector<uint32_t> from(pixels().screen.size(), 0xFF0000FF);
    for (auto _ : state) {
        std::memcpy(pixels().screen.data(), from.data(), from.size() * 4);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(copyOfTheOutput)->Unit(benchmark::kMillisecond);

// The whole screen (stretch), the largest 4:3 picture (fit) and the largest whole multiple.
void sharpBilinear(benchmark::State& state) {
    const auto scale = static_cast<ViewScale>(state.range(0));
    const BackBuffer view = {pixels().view.data(), viewWidth, viewHeight, viewWidth};
    BackBuffer screen = {pixels().screen.data(), screenWidth, screenHeight, screenWidth};
    const PictureRect rect = placeView(screenWidth, screenHeight, viewWidth, viewHeight, scale);
    ScalePlan plan;
    for (auto _ : state) {
        scaleView(plan, view, screen, rect);
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(rect.width) + "x" + std::to_string(rect.height));
}
BENCHMARK(sharpBilinear)
    ->Arg(int(ViewScale::Stretch))
    ->Arg(int(ViewScale::Fit))
    ->Arg(int(ViewScale::Integer))
    ->Unit(benchmark::kMillisecond);

SDL_Surface* surfaceOf(std::vector<uint32_t>& pixels, int width, int height) {
    return SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4,
                                              SDL_PIXELFORMAT_ARGB8888);
}

// SDL_BlitScaled (nearest neighbour, range 0) and SDL_SoftStretchLinear (range 1), to the whole
// screen.
void sdlScaledCopy(benchmark::State& state) {
    SDL_Surface* view = surfaceOf(pixels().view, viewWidth, viewHeight);
    SDL_Surface* screen = surfaceOf(pixels().screen, screenWidth, screenHeight);
    const bool linear = state.range(0) == 1;
    for (auto _ : state) {
        const int result = linear ? SDL_SoftStretchLinear(view, nullptr, screen, nullptr)
                                  : SDL_BlitScaled(view, nullptr, screen, nullptr);
        if (result != 0) {
            state.SkipWithError(SDL_GetError());
            break;
        }
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(view);
    SDL_FreeSurface(screen);
}
BENCHMARK(sdlScaledCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace zema

BENCHMARK_MAIN();
