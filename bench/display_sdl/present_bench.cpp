// Cost of showing one W x H frame (W x H = the desktop's size) by each way SDL offers without
// OpenGL, against a plain copy of the buffer: run under Xvfb at 1920 x 1080.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "display/display_sdl.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "render/images.h"

namespace zema {

namespace {
int screenWidth = 0, screenHeight = 0;

SDL_Window* openWindow() {
    return SDL_CreateWindow("ZEMA", 0, 0, screenWidth, screenHeight, SDL_WINDOW_SHOWN);
}

void paint(uint32_t* pixels, int pitch, int frame) {
    for (int y = 0; y < screenHeight; y += 16)
        std::memset(pixels + static_cast<size_t>(y) * pitch, frame & 0xFF, screenWidth * 4);
}

void memcpyFloor(benchmark::State& state) {
    std::vector<uint32_t> from(static_cast<size_t>(screenWidth) * screenHeight, 0xFF0000FF);
    std::vector<uint32_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

// The game's path: the compositor draws straight into the window's framebuffer.
void windowSurface(benchmark::State& state) {
    SDL_Window* window = openWindow();
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    int frame = 0;
    for (auto _ : state) {
        paint(static_cast<uint32_t*>(surface->pixels), surface->pitch / 4, ++frame);
        SDL_UpdateWindowSurface(window);
    }
    SDL_DestroyWindow(window);
}

// The fallback: a buffer of our own, streamed into a software renderer's texture.
void softwareRenderer(benchmark::State& state) {
    SDL_Window* window = openWindow();
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    SDL_Texture* texture =
        renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, screenWidth, screenHeight)
                 : nullptr;
    if (!texture) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(screenWidth) * screenHeight, 0xFF0000FF);
    int frame = 0;
    for (auto _ : state) {
        paint(pixels.data(), screenWidth, ++frame);
        SDL_UpdateTexture(texture, nullptr, pixels.data(), screenWidth * 4);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
}

// The whole display as the game uses it: a play frame drawn and presented fullscreen, by the
// chosen path (argument 0) or the fallback (argument 1).
void gamePlayFrame(benchmark::State& state) {
    SDL_Window* window = openWindow();
    displaySettings.messagesToStderrOnly = true;
    displaySettings.skipWindowSurface = state.range(0) == 1;
    if (initDisplay(window) != 0) {
        state.SkipWithError("initDisplay failed");
        return;
    }
    useFixedSeed(1);
    startGame();
    for (auto _ : state) {
        gameState.energy = 250; // keep playing
        runFrame();
    }
    state.counters["drawsInPlace"] = displayDrawsInPlace();
    releaseDisplay();
    SDL_DestroyWindow(window);
}
} // namespace

} // namespace zema

int main(int argc, char** argv) {
    using namespace zema;
    benchmark::Initialize(&argc, argv);
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return 1;
    screenWidth = desktop.w;
    screenHeight = desktop.h;
    benchmark::RegisterBenchmark("present/memcpyFloor", memcpyFloor)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("present/windowSurface", windowSurface)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("present/softwareRenderer", softwareRenderer)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("display/playFrame", gamePlayFrame)
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    SDL_Quit();
    return 0;
}
