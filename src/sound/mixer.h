// Our own mixer: sums every playing sound slot into 44,100 Hz 16-bit stereo, in 32 bits saturated
// to 16. Play requests come from the game thread without a lock, as one atomic bit a slot; the
// mixing runs in the audio callback, which allocates nothing. A slot still sounding goes on
// undisturbed, a finished one starts again from its beginning, the tune loops seamlessly, and
// nothing is ever stopped or rewound. The SDL output converts each clip once, whole, when it is
// loaded (SDL_BuildAudioCVT, SDL_ConvertAudio).
#pragma once

#include <cstdint>

#include "sound/sound.h"

namespace zema {

constexpr int mixerRate = 44100;
constexpr int mixerChannels = 2;

// A sound in the mixer's format: interleaved stereo frames. The first soundFrames frames are
// held in frames; the rest, up to totalFrames, are silence the file promised but did not hold.
struct MixerClip {
    const int16_t* frames;
    uint64_t soundFrames;
    uint64_t totalFrames;
};

// These three change what the audio thread reads: call them only while it is not mixing.
void resetMixer();
void setMixerClip(SoundSlot slot, const MixerClip& clip); // a clip without frames is ignored
void clearMixerClip(SoundSlot slot);

// From any thread, lock-free. Taken up at the start of the next mix: a slot still sounding goes
// on undisturbed, a finished one starts again from its beginning.
void requestPlay(SoundSlot slot, bool looping);

// The player's volumes, each 0 to 100: the whole output, then the tune or the effects. From any
// thread, taken up at the next mix. At 100, 100 and 100 (the start) every sample is as the clip
// holds it.
constexpr int32_t fullVolume = 100;
void setMixerVolume(int32_t volume, int32_t musicVolume, int32_t effectsVolume);

// Fills frameCount stereo frames with the sum of every playing slot.
void mixAudio(int16_t* out, int frameCount);

// The audio thread's view of a slot, for tests.
bool mixerSlotSounding(SoundSlot slot);

} // namespace zema
