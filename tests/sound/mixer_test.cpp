// The play rules, heard through the mixer's own output without any device.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "sound/mixer.h"

namespace zema {

namespace {

constexpr int framesPerGameFrame = mixerRate / 10; // the game runs ten frames a second

// A clip whose every sample differs from its neighbours, so any jump shows.
std::vector<int16_t> rampFrames(int frames, int16_t base) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        samples.push_back(int16_t(base + i % 20000));
        samples.push_back(int16_t(-base - i % 20000));
    }
    return samples;
}

std::vector<int16_t> pull(int frames) {
    std::vector<int16_t> out(size_t(frames) * mixerChannels, 1234);
    mixAudio(out.data(), frames);
    return out;
}

void append(std::vector<int16_t>& to, const std::vector<int16_t>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

bool silent(const std::vector<int16_t>& samples, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (samples[i] != 0) return false;
    return true;
}

class Mixer : public testing::Test {
  protected:
    void SetUp() override { resetMixer(); }
    void TearDown() override { resetMixer(); }
    void load(SoundSlot slot, const std::vector<int16_t>& frames, uint64_t silentTail = 0) {
        uint64_t count = frames.size() / mixerChannels;
        setMixerClip(slot, {frames.data(), count, count + silentTail});
    }
};

TEST_F(Mixer, HitRequestedEveryFrameSoundsOnceUninterrupted) {
    std::vector<int16_t> hit = rampFrames(10000, 1);
    load(sndHit, hit);
    std::vector<int16_t> out;
    // Requested in each game frame while it sounds (it lasts into the third), then no more.
    for (int frame = 0; frame < 5; ++frame) {
        if (frame < 3) requestPlay(sndHit, false);
        append(out, pull(framesPerGameFrame));
    }
    ASSERT_EQ(out.size(), size_t(5 * framesPerGameFrame * mixerChannels));
    EXPECT_TRUE(std::equal(hit.begin(), hit.end(), out.begin()));
    // The requests made while it sounded were not kept for later.
    EXPECT_TRUE(silent(out, hit.size(), out.size()));
}

TEST_F(Mixer, RequestAfterTheEndStartsFromTheBeginning) {
    std::vector<int16_t> hit = rampFrames(3000, 1);
    load(sndHit, hit);
    requestPlay(sndHit, false);
    pull(framesPerGameFrame);
    EXPECT_FALSE(mixerSlotSounding(sndHit));
    requestPlay(sndHit, false);
    std::vector<int16_t> again = pull(framesPerGameFrame);
    EXPECT_TRUE(std::equal(hit.begin(), hit.end(), again.begin()));
    EXPECT_TRUE(silent(again, hit.size(), again.size()));
}

TEST_F(Mixer, LoopingTuneRepeatsWithoutAGap) {
    std::vector<int16_t> tune = rampFrames(3001, 5);
    load(sndBgm, tune);
    requestPlay(sndBgm, true);
    std::vector<int16_t> out;
    // Odd pull sizes, so loop ends fall in the middle of a pull.
    for (int pullFrames : {777, 64, 5000, 1, 3000, 2222})
        append(out, pull(pullFrames));
    size_t frames = out.size() / mixerChannels;
    ASSERT_GT(frames, 3u * 3001);
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(out[i], tune[i % tune.size()]) << "at sample " << i;
    // Later requests, looping or not, leave it going where it is.
    requestPlay(sndBgm, false);
    requestPlay(sndBgm, true);
    std::vector<int16_t> on = pull(10);
    EXPECT_EQ(on[0], tune[out.size() % tune.size()]);
}

TEST_F(Mixer, LoudSlotsSaturateInsteadOfWrapping) {
    std::vector<int16_t> loud(2000 * mixerChannels);
    for (size_t i = 0; i < loud.size(); ++i)
        loud[i] = i % 2 ? -30000 : 30000;
    load(sndClear, loud);
    load(sndOver, loud);
    requestPlay(sndClear, false);
    requestPlay(sndOver, false);
    std::vector<int16_t> out = pull(2000);
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(out[i], i % 2 ? -32768 : 32767) << "at sample " << i;
}

TEST_F(Mixer, SlotsAddUp) {
    std::vector<int16_t> tune = rampFrames(4000, 100);
    std::vector<int16_t> item = rampFrames(1000, 7);
    load(sndBgm, tune);
    load(sndGet, item);
    requestPlay(sndBgm, true);
    pull(500);
    requestPlay(sndGet, false);
    std::vector<int16_t> out = pull(2000);
    for (size_t i = 0; i < out.size(); ++i) {
        int expected = tune[i + 500 * mixerChannels] + (i < item.size() ? item[i] : 0);
        ASSERT_EQ(out[i], expected) << "at sample " << i;
    }
}

TEST_F(Mixer, PromisedButMissingSamplesPlayAsSilence) {
    std::vector<int16_t> held = rampFrames(100, 1);
    load(sndDoor, held, 300);
    requestPlay(sndDoor, false);
    std::vector<int16_t> out = pull(350);
    EXPECT_TRUE(std::equal(held.begin(), held.end(), out.begin()));
    EXPECT_TRUE(silent(out, held.size(), out.size()));
    // Still sounding through its silent end: a request now changes nothing.
    EXPECT_TRUE(mixerSlotSounding(sndDoor));
    requestPlay(sndDoor, false);
    EXPECT_TRUE(silent(pull(50), 0, 100));
    EXPECT_FALSE(mixerSlotSounding(sndDoor));
}

TEST_F(Mixer, EmptySlotsAndBadSlotsStaySilent) {
    requestPlay(sndHit, false);
    requestPlay(SoundSlot(-1), true);
    requestPlay(soundSlotCount, true);
    std::vector<int16_t> out = pull(100);
    EXPECT_TRUE(silent(out, 0, out.size()));
    // A request for an empty slot is not kept until a clip arrives.
    std::vector<int16_t> hit = rampFrames(50, 1);
    load(sndHit, hit);
    EXPECT_TRUE(silent(pull(100), 0, 200));
    // A clip without any frame is not taken.
    setMixerClip(sndGet, {nullptr, 0, 0});
    requestPlay(sndGet, false);
    pull(1);
    EXPECT_FALSE(mixerSlotSounding(sndGet));
}

} // namespace

// Each slot's samples scaled by volume * its part / 10000 in 16-bit fixed point, before the sum;
// at full volume exactly the unscaled sum.
TEST_F(Mixer, VolumeScalesTheTuneAndTheEffectsApart) {
    const std::vector<int16_t> tune = rampFrames(4000, 3), hit = rampFrames(4000, 12000);
    for (const auto& [volume, music, effects] :
         {std::array{100, 100, 100}, {50, 100, 20}, {100, 0, 73}, {0, 9, 9}}) {
        load(sndBgm, tune);
        load(sndHit, hit);
        setMixerVolume(volume, music, effects);
        requestPlay(sndBgm, false);
        requestPlay(sndHit, false);
        const std::vector<int16_t> out = pull(4000);
        const int32_t musicGain = volume * music * 65536 / 10000;
        const int32_t effectsGain = volume * effects * 65536 / 10000;
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], ((tune[i] * musicGain) >> 16) + ((hit[i] * effectsGain) >> 16)) << i;
    }
}

} // namespace zema
