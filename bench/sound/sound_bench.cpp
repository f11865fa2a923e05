// What sound costs: reading and converting the six files at start-up, and mixing per second
// of output.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "sound/mixer.h"
#include "sound/sound_device.h"
#include "sound/wav_reader.h"

namespace zema {

namespace {

std::string soundPath(int slot) {
    return std::string(ZEMA_SOUND_DIR) + "/" + soundFileName(SoundSlot(slot));
}

// The RIFF walk and the file reads alone.
void readAllSixWavs(benchmark::State& state) {
    WaveClip clip;
    for (auto _ : state)
        for (int slot = 0; slot < soundSlotCount; ++slot)
            benchmark::DoNotOptimize(readWaveFile(soundPath(slot).c_str(), clip));
}
BENCHMARK(readAllSixWavs)->Unit(benchmark::kMillisecond);

// loadWave as start-up calls it: reading plus SDL's conversion to the mixer's format.
void loadAllSixWavs(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!initSound() || !createPrimaryBuffer()) {
        state.SkipWithError("no audio device");
        releaseSound();
        return;
    }
    for (auto _ : state)
        for (int slot = 0; slot < soundSlotCount; ++slot)
            if (!loadWave(SoundSlot(slot), soundPath(slot).c_str()))
                state.SkipWithError("a sound did not load");
    releaseSound();
}
BENCHMARK(loadAllSixWavs)->Unit(benchmark::kMillisecond);

// One second of output in device-sized pulls, with the given number of slots sounding.
void mixOneSecond(benchmark::State& state) {
    const int sounding = int(state.range(0));
    std::vector<int16_t> clip(size_t(mixerRate) * 3 * mixerChannels);
    for (size_t i = 0; i < clip.size(); ++i)
        clip[i] = int16_t((i * 7919) % 20000 - 10000);
    resetMixer();
    for (int slot = 0; slot < sounding; ++slot) {
        setMixerClip(SoundSlot(slot), {clip.data(), clip.size() / 2, clip.size() / 2});
        requestPlay(SoundSlot(slot), true);
    }
    int16_t out[512 * mixerChannels];
    for (auto _ : state) {
        for (int done = 0; done < mixerRate; done += 512) {
            mixAudio(out, 512);
            benchmark::DoNotOptimize(out);
        }
    }
    resetMixer();
}
BENCHMARK(mixOneSecond)->Arg(1)->Arg(6)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace zema
