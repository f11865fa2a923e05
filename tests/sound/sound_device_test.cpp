// The SDL sound output end to end, through SDL's "disk" audio driver, which writes the mixed
// output to a file as fast as it can.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "sound/sound_device.h"
#include "wav_builder.h"

namespace zema {

namespace {

constexpr int frameBytes = 4;
const std::string soundDir = ZEMA_SOUND_DIR;

std::string soundPath(const char* name) {
    return soundDir + "/" + name;
}

class SoundDevice : public testing::Test {
  protected:
    std::string outputPath;

    void SetUp() override {
        outputPath = (std::filesystem::temp_directory_path() /
                      ("zema-sound-" + std::to_string(getpid()) + ".raw"))
                         .string();
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", outputPath.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
    }
    void TearDown() override {
        releaseSound();
        std::filesystem::remove(outputPath);
    }

    uint64_t outputBytes() {
        std::error_code error;
        uint64_t size = std::filesystem::file_size(outputPath, error);
        return error ? 0 : size;
    }
    // The disk driver runs far faster than real time; the bound only guards against a hang.
    bool waitForOutput(uint64_t bytes) {
        for (int i = 0; i < 12000 && outputBytes() < bytes; ++i)
            SDL_Delay(5);
        return outputBytes() >= bytes;
    }
    std::vector<int16_t> output() {
        std::ifstream in(outputPath, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }
    bool loadAllSix() {
        for (int slot = 0; slot < soundSlotCount; ++slot)
            if (!loadWave(SoundSlot(slot), soundPath(soundFileName(SoundSlot(slot))).c_str()))
                return false;
        return true;
    }
};

std::vector<int16_t> samplesOf(const WaveClip& clip) {
    std::vector<int16_t> samples(clip.samples.size() / 2);
    std::memcpy(samples.data(), clip.samples.data(), samples.size() * 2);
    return samples;
}

// The first sample index from which out repeats want[0..count), or -1.
int64_t findRun(const std::vector<int16_t>& out, const std::vector<int16_t>& want, size_t from,
                size_t count) {
    for (size_t at = from; at + count <= out.size(); at += 2)
        if (std::equal(want.begin(), want.begin() + count, out.begin() + at)) return int64_t(at);
    return -1;
}

TEST_F(SoundDevice, MixedOutputCarriesTheLoopingTune) {
    WaveClip tune;
    ASSERT_EQ(readWaveFile(soundPath(soundFileName(sndBgm)).c_str(), tune), waveOk);
    ASSERT_EQ(tune.format.samplesPerSec, 44100u);
    ASSERT_EQ(tune.format.channels, 2);
    std::vector<int16_t> tuneSamples = samplesOf(tune);

    ASSERT_TRUE(initSound());
    ASSERT_TRUE(createPrimaryBuffer());
    ASSERT_TRUE(loadAllSix());
    uint64_t before = outputBytes();
    playSound(sndBgm, true);
    // One whole loop and three seconds into the next.
    uint64_t wanted = before + tuneSamples.size() * 2 + 3 * 44100 * frameBytes;
    ASSERT_TRUE(waitForOutput(wanted));
    releaseSound();

    std::vector<int16_t> out = output();
    int64_t start = findRun(out, tuneSamples, size_t(before / 2), 2 * 44100);
    ASSERT_GE(start, 0) << "the tune's first second is not in the output";
    size_t loopEnd = size_t(start) + tuneSamples.size();
    ASSERT_GE(out.size(), loopEnd + 2 * 44100 * 2);
    EXPECT_TRUE(std::equal(tuneSamples.begin(), tuneSamples.end(), out.begin() + start));
    // The second time round starts right where the first ended.
    EXPECT_TRUE(std::equal(tuneSamples.begin(), tuneSamples.begin() + 2 * 44100 * 2,
                           out.begin() + int64_t(loopEnd)));
}

// The browser page's two hooks: an observer sees every play request, in order, while it is set,
// and the count of mixed frames grows as the device takes output from the mixer.
std::vector<std::pair<SoundSlot, bool>> observed;

TEST_F(SoundDevice, PlayObserverSeesEachRequestAndMixedFramesFollowTheOutput) {
    // Paced like a real device, one buffer per buffer's length, so that the device moves on a
    // buffer or two between two reads unless this thread is held up for a long while.
    unsetenv("SDL_DISKAUDIODELAY");
    observed.clear();
    ASSERT_TRUE(initSound());
    ASSERT_TRUE(createPrimaryBuffer());
    ASSERT_TRUE(loadAllSix());
    soundPlayObserver = [](SoundSlot slot, bool looping) { observed.push_back({slot, looping}); };
    playSound(sndBgm, true);
    playSound(sndHit, false);
    playSound(sndHit, false);
    soundPlayObserver = nullptr;
    playSound(sndGet, false);
    const std::vector<std::pair<SoundSlot, bool>> expected = {
        {sndBgm, true}, {sndHit, false}, {sndHit, false}};
    EXPECT_EQ(observed, expected);

    // The counts differ by what is in flight (the buffer being written, the file's own write
    // buffer) and by the silence the device wrote before it was started, so their growth over
    // a second of output is compared, not the counts themselves.
    constexpr int64_t bufferBytes = 512 * frameBytes;
    ASSERT_TRUE(waitForOutput(outputBytes() + 4 * bufferBytes));
    const uint64_t mixedStart = soundFramesMixed();
    const int64_t writtenStart = int64_t(outputBytes());
    ASSERT_TRUE(waitForOutput(uint64_t(writtenStart) + 44100 * frameBytes));
    const int64_t mixedBytes = int64_t(soundFramesMixed() - mixedStart) * frameBytes;
    const int64_t writtenBytes = int64_t(outputBytes()) - writtenStart;
    releaseSound();
    EXPECT_GE(writtenBytes, int64_t(44100) * frameBytes);
    EXPECT_LE(std::abs(mixedBytes - writtenBytes), 16 * bufferBytes);
}

TEST_F(SoundDevice, EightBitMonoClipIsConvertedToTheOutputFormat) {
    // 0.1 s of a constant level at 22,050 Hz: 4,410 stereo frames at 44,100 Hz.
    std::string path = writeTempFile("u8-mono.wav", pcmWave(1, 22050, 8, Bytes(2205, 200)));
    ASSERT_TRUE(initSound());
    ASSERT_TRUE(createPrimaryBuffer());
    ASSERT_TRUE(loadWave(sndHit, path.c_str()));
    uint64_t before = outputBytes();
    playSound(sndHit, false);
    ASSERT_TRUE(waitForOutput(before + 44100 * frameBytes));
    releaseSound();
    std::filesystem::remove(path);

    std::vector<int16_t> out = output();
    size_t first = out.size(), last = 0;
    for (size_t i = size_t(before / 2); i < out.size(); ++i)
        if (out[i] != 0) {
            first = std::min(first, i);
            last = i;
        }
    ASSERT_LT(first, out.size());
    size_t frames = (last - first) / 2 + 1;
    EXPECT_NEAR(double(frames), 4410.0, 8.0);
    // (200 - 128) * 256, on both sides.
    size_t middle = first + (last - first) / 2;
    middle -= middle % 2;
    EXPECT_NEAR(out[middle], 18432, 64);
    EXPECT_EQ(out[middle], out[middle + 1]);
}

TEST_F(SoundDevice, MissingFileStopsLoadingAndReleaseFreesWhatWasLoaded) {
    ASSERT_TRUE(initSound());
    ASSERT_TRUE(createPrimaryBuffer());
    for (int slot = 0; slot < sndOver; ++slot)
        ASSERT_TRUE(loadWave(SoundSlot(slot), soundPath(soundFileName(SoundSlot(slot))).c_str()));
    EXPECT_FALSE(loadWave(sndOver, "/nonexistent/zema/over.wav"));
    EXPECT_STREQ(SDL_GetError(), std::strerror(ENOENT));
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_TRUE(soundSlotLoaded(SoundSlot(slot)));
    EXPECT_FALSE(soundSlotLoaded(sndOver));
    EXPECT_TRUE(releaseSound());
    for (int slot = 0; slot < soundSlotCount; ++slot)
        EXPECT_FALSE(soundSlotLoaded(SoundSlot(slot)));
    EXPECT_FALSE(loadWave(sndBgm, soundPath(soundFileName(sndBgm)).c_str()));
    EXPECT_STREQ(SDL_GetError(), "no audio device is open");
    // Nothing is left to release a second time.
    EXPECT_TRUE(releaseSound());
}

TEST_F(SoundDevice, RefusedFileIsNotLoaded) {
    std::string path = writeTempFile("refused.wav", pcmWave(1, 22050, 16, {}));
    ASSERT_TRUE(initSound());
    ASSERT_TRUE(createPrimaryBuffer());
    EXPECT_FALSE(loadWave(sndGet, path.c_str()));
    EXPECT_STREQ(SDL_GetError(), "the \"data\" chunk is shorter than one sample frame");
    EXPECT_FALSE(soundSlotLoaded(sndGet));
    std::filesystem::remove(path);
    // The reason is the reader's own for each refusal.
    path = writeTempFile("refused.wav", Bytes{'R', 'I', 'F', 'X'});
    EXPECT_FALSE(loadWave(sndGet, path.c_str()));
    EXPECT_STREQ(SDL_GetError(), "not a RIFF WAVE file");
    path = writeTempFile("refused.wav", pcmWave(1, 22050, 24, {0, 0, 0}));
    EXPECT_FALSE(loadWave(sndGet, path.c_str()));
    EXPECT_EQ(std::string(SDL_GetError()).rfind("a format we do not play", 0), 0u)
        << SDL_GetError();
    std::filesystem::remove(path);
}

TEST_F(SoundDevice, NoDeviceIsAStartUpFailure) {
    // The disk driver cannot open its file: the subsystem starts but no device opens.
    setenv("SDL_DISKAUDIOFILE", "/nonexistent/zema/out.raw", 1);
    EXPECT_FALSE(initSound());
    EXPECT_NE(std::string(SDL_GetError()), "");
    EXPECT_FALSE(createPrimaryBuffer());
    EXPECT_FALSE(loadWave(sndBgm, soundPath(soundFileName(sndBgm)).c_str()));
    EXPECT_STREQ(SDL_GetError(), "no audio device is open");
    EXPECT_TRUE(releaseSound());
}

TEST_F(SoundDevice, UnknownAudioDriverIsAStartUpFailure) {
    setenv("SDL_AUDIODRIVER", "nosuchdriver", 1);
    EXPECT_FALSE(initSound());
    EXPECT_TRUE(releaseSound());
}

} // namespace

} // namespace zema
