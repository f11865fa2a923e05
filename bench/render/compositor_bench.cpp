// A whole play frame at 1920 x 1080 through the compositor, against a plain copy of the back
// buffer and against SDL2's own software renderer drawing the same list; a picture between two
// frames against a copy; and the memory and load time of the fifteen images.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/input_headless.h"
#include "play_frame.h"
#include "render/between_frames.h"
#include "render/images.h"
#include "render/pixel_rows.h"
#include "render/pixel_vector.h"
#include "render/resources.h"
#include "sound/sound_headless.h"

namespace zema {

namespace {

constexpr int32_t width = playFrameWidth, height = playFrameHeight;

struct Setup {
    Setup() {
        // Stand-in pictures are made on the first look-up; make them before the clock starts.
        Resource resource;
        findResource(imageTable[imgMap].resourceId, resource);
        const auto start = std::chrono::steady_clock::now();
        failedSlot = loadImages();
        loadSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ops = playFrameOps(false);
        guardianOps = playFrameOps(true);
        for (const DisplayOp& op : ops)
            if (op.kind == DisplayOpKind::Draw) ++draws;
        pixels.assign(static_cast<size_t>(width) * height, 0);
    }
    int failedSlot;
    double loadSeconds;
    std::vector<DisplayOp> ops, guardianOps;
    int draws = 0;
    PixelVector pixels; // aligned as the window's own pixels are
};

Setup& setup() {
    static Setup instance;
    return instance;
}

// A play frame from the start place (0) and with the guardian on screen (1), in milliseconds.
void atBothPlaces(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->ArgName("atGuardian")->Arg(0)->Arg(1);
}

// False, with the benchmark skipped, when a picture did not load.
bool picturesLoaded(benchmark::State& state) {
    if (setup().failedSlot < 0) return true;
    state.SkipWithError("the pictures did not load");
    return false;
}

// The row kernels of a path for one benchmark; the others run on the fastest.
struct OnPath {
    explicit OnPath(PixelPath path) { usePixelPath(path); }
    ~OnPath() { usePixelPath(before); }
    PixelPath before = pixelPathInUse();
};

// A play frame from the start place or with the guardian on screen, on the row kernels path.
void playFrameThroughCompositor(benchmark::State& state, PixelPath path, bool atGuardian) {
    if (!picturesLoaded(state)) return;
    const OnPath on(path);
    Setup& s = setup();
    BackBuffer target{s.pixels.data(), width, height, width};
    const std::vector<DisplayOp>& ops = atGuardian ? s.guardianOps : s.ops;
    for (auto _ : state) {
        compositeFrame(target, ops);
        benchmark::DoNotOptimize(s.pixels.data());
        benchmark::ClobberMemory();
    }
    state.counters["draws"] = s.draws;
}
void copyOfTheBackBuffer(benchmark::State& state) {
    Setup& s = setup();
    PixelVector copy(s.pixels.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), s.pixels.data(), s.pixels.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(copyOfTheBackBuffer)->Unit(benchmark::kMillisecond);

// The last two frames of a game scrolling right from the start place with the beam on.
void scrollingFrames(FrameDraws& before, FrameDraws& after) {
    startHeadless({.width = width, .height = height});
    startGame();
    scriptedKeyboard = {false, true, false, false};
    for (FrameDraws* frame : {&before, &after}) {
        fireShot();
        clearRecordedOps();
        runFrame();
        frame->count = 0;
        for (int i = 0; i < recordedOpCount; ++i) {
            const DisplayOp& op = recordedOps[i];
            if (op.kind == DisplayOpKind::Clear) addFrameClear(*frame, op.colour);
            if (op.kind == DisplayOpKind::Draw)
                addFrameDraw(*frame, op.slot, op.source, op.scaling, op.translation, op.colour);
        }
    }
    scriptedKeyboard = {};
}

// A picture halfway between two frames (--smooth) while the view scrolls, so that the whole
// picture is drawn again: its list made and composited, with one copy of the back buffer timed
// beside each; perCopy is the picture's time over the copy's.
void pictureBetweenFrames(benchmark::State& state) {
    if (!picturesLoaded(state)) return;
    Setup& s = setup();
    static FrameDraws before, after, between;
    scrollingFrames(before, after);
    BackBuffer target{s.pixels.data(), width, height, width};
    PixelVector copy(s.pixels.size());
    double pictureSeconds = 0, copySeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        drawsBetween(before, after, 0.5, between);
        compositeFrameDraws(target, between);
        benchmark::DoNotOptimize(s.pixels.data());
        benchmark::ClobberMemory();
        const auto drawn = std::chrono::steady_clock::now();
        std::memcpy(copy.data(), s.pixels.data(), s.pixels.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
        pictureSeconds += std::chrono::duration<double>(drawn - start).count();
        copySeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - drawn).count();
    }
    state.counters["perCopy"] = copySeconds > 0 ? pictureSeconds / copySeconds : 0;
    state.counters["pictureMs"] = pictureSeconds * 1000 / double(state.iterations());
    state.counters["copyMs"] = copySeconds * 1000 / double(state.iterations());
}
BENCHMARK(pictureBetweenFrames)->Unit(benchmark::kMillisecond);

// SDL's software renderer on a plain surface, with the same pictures as ARGB textures,
// alpha blending and linear scaling, drawing the same list.
void playFrameThroughSdlSoftwareRenderer(benchmark::State& state) {
    if (!picturesLoaded(state)) return;
    Setup& s = setup();
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (renderer == nullptr) {
        state.SkipWithError(SDL_GetError());
        if (surface) SDL_FreeSurface(surface);
        return;
    }
    SDL_Texture* textures[imageSlotCount] = {};
    for (int slot = 0; slot < imageSlotCount; ++slot) {
        const Texture& texture = *imageTextures[slot];
        const int32_t w = textureWidth(texture), h = textureHeight(texture);
        textures[slot] =
            SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, w, h);
        std::vector<uint32_t> row(w);
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x)
                row[x] = textureTexel(texture, x, y);
            const SDL_Rect line{0, y, w, 1};
            SDL_UpdateTexture(textures[slot], &line, row.data(), w * 4);
        }
        SDL_SetTextureBlendMode(textures[slot], SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(textures[slot], SDL_ScaleModeLinear);
    }
    const std::vector<DisplayOp>& ops = state.range(0) ? s.guardianOps : s.ops;
    for (auto _ : state) {
        for (const DisplayOp& op : ops) {
            if (op.kind == DisplayOpKind::Clear) {
                SDL_SetRenderDrawColor(renderer, (op.colour >> 16) & 0xFF, (op.colour >> 8) & 0xFF,
                                       op.colour & 0xFF, 0xFF);
                SDL_RenderClear(renderer);
            } else if (op.kind == DisplayOpKind::Draw) {
                const SDL_Rect source{op.source.left, op.source.top,
                                      op.source.right - op.source.left,
                                      op.source.bottom - op.source.top};
                const float w = source.w * op.scaling.x, h = source.h * op.scaling.y;
                // SDL flips instead of taking a negative size.
                const SDL_FRect place{w < 0 ? op.translation.x + w : op.translation.x,
                                      h < 0 ? op.translation.y + h : op.translation.y, std::fabs(w),
                                      std::fabs(h)};
                const int flip =
                    (w < 0 ? SDL_FLIP_HORIZONTAL : 0) | (h < 0 ? SDL_FLIP_VERTICAL : 0);
                if (w != 0 && h != 0)
                    SDL_RenderCopyExF(renderer, textures[op.slot], &source, &place, 0, nullptr,
                                      static_cast<SDL_RendererFlip>(flip));
            }
        }
        SDL_RenderFlush(renderer);
        benchmark::DoNotOptimize(surface->pixels);
    }
    for (SDL_Texture* texture : textures)
        SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
}
BENCHMARK(playFrameThroughSdlSoftwareRenderer)->Apply(atBothPlaces);

// The map draw alone, from a map with no runs at all: every texel drawn afresh, a quarter of
// them transparent. The real map's corridors and walls make long runs; this is the floor.
void mapDrawWithoutRuns(benchmark::State& state, PixelPath path) {
    static Texture* noisy = [] {
        BitmapSpec spec{2000, 1200, 4, {0x0000FF}, {}};
        for (int i = 1; i < 16; ++i)
            spec.palette.push_back(static_cast<uint32_t>(0x2A1F13 * i) & 0xFFFFFF);
        uint32_t seed = 1;
        spec.indices.resize(2000u * 1200u);
        for (uint8_t& k : spec.indices) {
            seed = seed * 1664525u + 1013904223u;
            k = static_cast<uint8_t>((seed >> 24) % 4 == 0 ? 0 : 1 + (seed >> 16) % 15);
        }
        const std::vector<uint8_t> bytes = buildBitmap(spec);
        return loadTextureFromBitmap(bytes.data(), bytes.size(), 2000, 1200,
                                     TextureFormat::A8R8G8B8);
    }();
    const OnPath on(path);
    Setup& s = setup();
    BackBuffer target{s.pixels.data(), width, height, width};
    for (auto _ : state) {
        compositeDraw(target, *noisy, {3, 7, 3 + width, 7 + height}, {1, 1}, {0, 0}, 0xFFFFFFFFu);
        benchmark::ClobberMemory();
    }
}

// The row kernels' benchmarks once for each path this build has and this processor runs, named
// by it: playFrameThroughCompositor/atGuardian:0/path:neon.
const bool onEachPath = [] {
    for (const PixelPath path : allPixelPaths) {
        if (!pixelPathAvailable(path)) continue;
        const std::string on = std::string("/path:") + pixelPathName(path);
        for (const bool atGuardian : {false, true})
            benchmark::RegisterBenchmark(
                ("playFrameThroughCompositor/atGuardian:" + std::to_string(atGuardian) + on)
                    .c_str(),
                playFrameThroughCompositor, path, atGuardian)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("mapDrawWithoutRuns" + on).c_str(), mapDrawWithoutRuns, path)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

// Not a timing of its own: reports what the fifteen loaded textures hold and how long the
// first load took, as counters.
void imageMemory(benchmark::State& state) {
    if (!picturesLoaded(state)) return;
    Setup& s = setup();
    double total = 0;
    for (auto _ : state) {
        total = 0;
        for (const Texture* texture : imageTextures)
            total += static_cast<double>(textureBytes(*texture));
        benchmark::DoNotOptimize(total);
    }
    state.counters["textureMB"] = total / (1024 * 1024);
    state.counters["mapMB"] = textureBytes(*imageTextures[imgMap]) / (1024.0 * 1024);
    state.counters["loadMs"] = s.loadSeconds * 1000;
}
BENCHMARK(imageMemory);

} // namespace

} // namespace zema

BENCHMARK_MAIN();
