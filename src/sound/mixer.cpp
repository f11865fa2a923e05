// The mixer: a fixed table of slots, each a clip, a play position and a looping flag.
#include "sound/mixer.h"

#include <algorithm>
#include <atomic>

namespace zema {

namespace {

constexpr uint32_t playRequested = 1;
constexpr uint32_t loopRequested = 2;

struct MixerSlot {
    MixerClip clip;
    bool loaded;
    // Only the audio thread touches these two.
    bool sounding;
    bool looping;
    uint64_t position;
};

MixerSlot mixerSlots[soundSlotCount];
// The game thread's requests since the last mix, per slot: playRequested | loopRequested.
std::atomic<uint32_t> pendingRequests[soundSlotCount];

// Gains in 16-bit fixed point: unityGain leaves a sample exactly as it is.
constexpr int32_t gainShift = 16;
constexpr int32_t unityGain = 1 << gainShift;
std::atomic<int32_t> musicGain{unityGain};
std::atomic<int32_t> effectsGain{unityGain};

// Mixing goes through a small fixed sum buffer so that the callback allocates nothing.
constexpr int mixBlockFrames = 256;

void takeRequests(int slot) {
    uint32_t requests = pendingRequests[slot].exchange(0, std::memory_order_acquire);
    MixerSlot& s = mixerSlots[slot];
    if (!(requests & playRequested) || !s.loaded || s.sounding) return;
    s.sounding = true;
    s.looping = (requests & loopRequested) != 0;
    s.position = 0;
}

void addSlot(MixerSlot& s, int32_t gain, int32_t* sum, int frameCount) {
    int done = 0;
    while (done < frameCount && s.sounding) {
        uint64_t left = uint64_t(frameCount - done);
        uint64_t count;
        if (s.position < s.clip.soundFrames) {
            count = std::min(left, s.clip.soundFrames - s.position);
            const int16_t* from = s.clip.frames + s.position * mixerChannels;
            int32_t* to = sum + done * mixerChannels;
            for (uint64_t i = 0; i < count * mixerChannels; ++i)
                to[i] += (from[i] * gain) >> gainShift;
        } else {
            count = std::min(left, s.clip.totalFrames - s.position);
        }
        done += int(count);
        s.position += count;
        if (s.position == s.clip.totalFrames) {
            s.position = 0;
            s.sounding = s.looping;
        }
    }
}

// volume * part / 10000 of unity, rounded down; a value out of 0..100 counts as its nearer end.
int32_t gainOf(int32_t volume, int32_t part) {
    volume = std::clamp(volume, 0, fullVolume);
    part = std::clamp(part, 0, fullVolume);
    return int32_t(int64_t(volume) * part * unityGain / (fullVolume * fullVolume));
}

} // namespace

void resetMixer() {
    setMixerVolume(fullVolume, fullVolume, fullVolume);
    for (int slot = 0; slot < soundSlotCount; ++slot) {
        mixerSlots[slot] = MixerSlot{};
        pendingRequests[slot].store(0);
    }
}

void setMixerVolume(int32_t volume, int32_t musicVolume, int32_t effectsVolume) {
    musicGain.store(gainOf(volume, musicVolume), std::memory_order_relaxed);
    effectsGain.store(gainOf(volume, effectsVolume), std::memory_order_relaxed);
}

void setMixerClip(SoundSlot slot, const MixerClip& clip) {
    if (slot < 0 || slot >= soundSlotCount) return;
    clearMixerClip(slot);
    if (clip.totalFrames == 0 || clip.soundFrames > clip.totalFrames ||
        (clip.soundFrames > 0 && !clip.frames))
        return;
    mixerSlots[slot].clip = clip;
    mixerSlots[slot].loaded = true;
}

void clearMixerClip(SoundSlot slot) {
    if (slot < 0 || slot >= soundSlotCount) return;
    mixerSlots[slot] = MixerSlot{};
}

void requestPlay(SoundSlot slot, bool looping) {
    if (slot < 0 || slot >= soundSlotCount) return;
    pendingRequests[slot].fetch_or(playRequested | (looping ? loopRequested : 0),
                                   std::memory_order_release);
}

void mixAudio(int16_t* out, int frameCount) {
    for (int slot = 0; slot < soundSlotCount; ++slot)
        takeRequests(slot);
    const int32_t music = musicGain.load(std::memory_order_relaxed);
    const int32_t effects = effectsGain.load(std::memory_order_relaxed);
    int32_t sum[mixBlockFrames * mixerChannels];
    while (frameCount > 0) {
        int block = std::min(frameCount, mixBlockFrames);
        std::fill(sum, sum + block * mixerChannels, 0);
        for (int slot = 0; slot < soundSlotCount; ++slot)
            if (mixerSlots[slot].sounding)
                addSlot(mixerSlots[slot], slot == sndBgm ? music : effects, sum, block);
        for (int i = 0; i < block * mixerChannels; ++i)
            out[i] = int16_t(std::clamp(sum[i], -32768, 32767));
        out += block * mixerChannels;
        frameCount -= block;
    }
}

bool mixerSlotSounding(SoundSlot slot) {
    return slot >= 0 && slot < soundSlotCount && mixerSlots[slot].sounding;
}

} // namespace zema
