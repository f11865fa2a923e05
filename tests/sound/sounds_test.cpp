// The six sounds made at build time: their formats, the tune's seamless loop, clean effects.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <tuple>

#include "sound/sound.h"
#include "sound/wav_reader.h"

namespace zema {

namespace {

const std::string soundDir = ZEMA_SOUND_DIR;

WaveClip readSound(const char* name) {
    WaveClip clip;
    EXPECT_EQ(readWaveFile((soundDir + "/" + name).c_str(), clip), waveOk) << name;
    return clip;
}

// One channel of a clip as values in -1..1.
std::vector<double> channel(const WaveClip& clip, int which) {
    std::vector<double> values;
    int step = clip.format.blockAlign;
    for (size_t at = 0; at + step <= clip.samples.size(); at += step) {
        if (clip.format.bitsPerSample == 8) {
            values.push_back((clip.samples[at + which] - 128) / 128.0);
        } else {
            size_t i = at + which * 2;
            values.push_back(int16_t(clip.samples[i] | clip.samples[i + 1] << 8) / 32768.0);
        }
    }
    return values;
}

TEST(GameSounds, AllSixLoadInMoreThanOneFormat) {
    std::set<std::tuple<uint32_t, int, int>> formats;
    for (int slot = 0; slot < soundSlotCount; ++slot) {
        const char* name = soundFileName(SoundSlot(slot));
        WaveClip clip = readSound(name);
        EXPECT_TRUE(waveFormatPlayable(clip)) << name;
        EXPECT_EQ(clip.samples.size(), clip.dataSize) << name;
        formats.insert(
            {clip.format.samplesPerSec, clip.format.channels, clip.format.bitsPerSample});
    }
    EXPECT_TRUE(formats.count({22050, 1, 8}));
    EXPECT_TRUE(formats.count({44100, 2, 16}));
    EXPECT_GE(formats.size(), 3u);
}

TEST(GameSounds, TuneLoopsForTwentySecondsOrMoreWithoutAClick) {
    WaveClip tune = readSound(soundFileName(sndBgm));
    ASSERT_EQ(tune.format.channels, 2);
    double seconds =
        double(tune.samples.size()) / tune.format.blockAlign / tune.format.samplesPerSec;
    EXPECT_GE(seconds, 20.0);
    for (int side = 0; side < 2; ++side) {
        std::vector<double> v = channel(tune, side);
        double largestStep = 0, level = 0;
        for (size_t i = 1; i < v.size(); ++i) {
            largestStep = std::max(largestStep, std::fabs(v[i] - v[i - 1]));
            level = std::max(level, std::fabs(v[i]));
        }
        // The jump from the last sample back to the first is no bigger than the music's own.
        double joinStep = std::fabs(v.front() - v.back());
        EXPECT_LE(joinStep, largestStep / 4) << "side " << side;
        EXPECT_GT(level, 0.3);
    }
}

TEST(GameSounds, EffectsStartAtOnceAndDieAwayToSilence) {
    // Every sound but the tune.
    for (int slot = sndBgm + 1; slot < soundSlotCount; ++slot) {
        const char* name = soundFileName(SoundSlot(slot));
        WaveClip clip = readSound(name);
        std::vector<double> v = channel(clip, 0);
        double rate = clip.format.samplesPerSec;
        double seconds = v.size() / rate;
        EXPECT_GT(seconds, 0.1) << name;
        EXPECT_LT(seconds, 3.5) << name;
        double early = 0, tail = 0;
        for (size_t i = 0; i < v.size(); ++i) {
            if (i < size_t(0.05 * rate)) early = std::max(early, std::fabs(v[i]));
            if (i + size_t(0.005 * rate) >= v.size()) tail = std::max(tail, std::fabs(v[i]));
        }
        EXPECT_GT(early, 0.2) << name;
        // Ends quietly (an 8-bit file's silence is one step either side of zero).
        EXPECT_LT(tail, 0.02) << name;
    }
}

} // namespace

} // namespace zema
