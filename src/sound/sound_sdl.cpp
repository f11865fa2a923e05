// The SDL sound output: opens the audio device, converts each clip to the mixer's format and
// runs our mixer in the audio callback.
#include <SDL.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "sound/alsa_quiet.h"
#include "sound/frame_sounds.h"
#include "sound/mixer.h"
#include "sound/sound_device.h"
#include "sound/wav_reader.h"

namespace zema {

namespace {

// About 12 ms of latency per callback at 44,100 Hz.
constexpr Uint16 deviceBufferFrames = 512;
constexpr int mixerFrameBytes = mixerChannels * 2;
// Clips are held converted; a file whose samples would grow past this is refused.
constexpr uint64_t maxConvertedBytes = uint64_t(1) << 30;

bool audioStarted = false;
std::atomic<uint64_t> framesMixed{0};
SDL_AudioDeviceID audioDevice = 0;
bool mixerStarted = false;
Uint8* slotFrames[soundSlotCount] = {};
bool slotLoaded[soundSlotCount] = {};

void mixCallback(void*, Uint8* stream, int length) {
    mixAudio(reinterpret_cast<int16_t*>(stream), length / mixerFrameBytes);
    framesMixed.fetch_add(uint64_t(length / mixerFrameBytes), std::memory_order_relaxed);
}

// Whole-clip conversion of the samples the file holds; the promised rest stays silence.
bool convertClip(const WaveClip& wave, Uint8*& frames, MixerClip& clip) {
    const WaveFormat& f = wave.format;
    SDL_AudioCVT cvt;
    SDL_AudioFormat from = f.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, from, Uint8(f.channels), int(f.samplesPerSec), AUDIO_S16SYS,
                          mixerChannels, mixerRate) < 0)
        return false;
    uint64_t heldFrames = wave.samples.size() / f.blockAlign;
    uint64_t heldBytes = heldFrames * f.blockAlign;
    uint64_t bufferBytes = heldBytes * uint64_t(cvt.len_mult);
    if (bufferBytes > maxConvertedBytes) {
        SDL_SetError("converted to %d Hz stereo it would take more than 1 GB", mixerRate);
        return false;
    }
    frames = nullptr;
    uint64_t convertedBytes = 0;
    if (heldBytes > 0) {
        frames = static_cast<Uint8*>(SDL_malloc(size_t(bufferBytes)));
        if (!frames) {
            SDL_OutOfMemory();
            return false;
        }
        std::memcpy(frames, wave.samples.data(), size_t(heldBytes));
        cvt.buf = frames;
        cvt.len = int(heldBytes);
        if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) {
            SDL_free(frames);
            frames = nullptr;
            return false;
        }
        convertedBytes = cvt.needed ? uint64_t(cvt.len_cvt) : heldBytes;
    }
    uint64_t promisedFrames = wave.dataSize / f.blockAlign;
    uint64_t totalFrames = (promisedFrames * mixerRate + f.samplesPerSec - 1) / f.samplesPerSec;
    clip.frames = reinterpret_cast<const int16_t*>(frames);
    clip.soundFrames = convertedBytes / mixerFrameBytes;
    clip.totalFrames = totalFrames > clip.soundFrames ? totalFrames : clip.soundFrames;
    return true;
}

// Takes the slot's clip out of the mixer before its frames are freed.
void releaseSlot(int slot) {
    if (audioDevice) SDL_LockAudioDevice(audioDevice);
    clearMixerClip(SoundSlot(slot));
    if (audioDevice) SDL_UnlockAudioDevice(audioDevice);
    SDL_free(slotFrames[slot]);
    slotFrames[slot] = nullptr;
    slotLoaded[slot] = false;
}

} // namespace

void (*soundPlayObserver)(SoundSlot slot, bool looping) = nullptr;

bool initSound() {
    quietAlsaMessages();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    audioStarted = true;
    resetMixer();
    SDL_AudioSpec wanted = {};
    wanted.freq = mixerRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = mixerChannels;
    wanted.samples = deviceBufferFrames;
    wanted.callback = mixCallback;
    SDL_AudioSpec obtained;
    // No changes allowed: SDL converts our output to whatever the hardware takes.
    audioDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    return audioDevice != 0;
}

bool createPrimaryBuffer() {
    if (!audioDevice) return false;
    SDL_PauseAudioDevice(audioDevice, 0);
    mixerStarted = true;
    return true;
}

bool loadWave(SoundSlot slot, const char* fileName) {
    if (slot < 0 || slot >= soundSlotCount || !fileName) {
        SDL_SetError("no such sound slot");
        return false;
    }
    if (!audioDevice) {
        SDL_SetError("no audio device is open");
        return false;
    }
    WaveClip wave;
    const WaveResult result = readWaveFile(fileName, wave);
    if (result == waveCannotOpen) {
        SDL_SetError("%s", std::strerror(errno));
        return false;
    }
    if (result != waveOk) {
        SDL_SetError("%s", waveResultText(result));
        return false;
    }
    Uint8* frames = nullptr;
    MixerClip clip;
    if (!convertClip(wave, frames, clip)) return false;
    releaseSlot(slot);
    SDL_LockAudioDevice(audioDevice);
    setMixerClip(slot, clip);
    SDL_UnlockAudioDevice(audioDevice);
    slotFrames[slot] = frames;
    slotLoaded[slot] = true;
    return true;
}

void playSound(SoundSlot slot, bool looping) {
    noteFrameSound(slot);
    if (soundPlayObserver) soundPlayObserver(slot, looping);
    requestPlay(slot, looping);
}

bool releaseSound() {
    for (int slot = 0; slot < soundSlotCount; ++slot)
        releaseSlot(slot);
    if (mixerStarted) SDL_PauseAudioDevice(audioDevice, 1);
    mixerStarted = false;
    if (audioDevice) SDL_CloseAudioDevice(audioDevice);
    audioDevice = 0;
    resetMixer();
    if (audioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioStarted = false;
    return true;
}

void silenceSound() {
    if (mixerStarted) SDL_PauseAudioDevice(audioDevice, 1);
}

bool soundSlotLoaded(SoundSlot slot) {
    return slot >= 0 && slot < soundSlotCount && slotLoaded[slot];
}

uint64_t soundFramesMixed() {
    return framesMixed.load(std::memory_order_relaxed);
}

} // namespace zema
