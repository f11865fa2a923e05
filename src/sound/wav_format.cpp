// Which sample formats the sound output plays; everything else is refused at loading.
#include "sound/wav_reader.h"

#include <cstring>

namespace zema {

namespace {

// KSDATAFORMAT_SUBTYPE_PCM, {00000001-0000-0010-8000-00aa00389b71}, as stored in a file.
constexpr uint8_t pcmSubformat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                      0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

constexpr uint16_t extensibleExtraSize = 22;
constexpr uint32_t extensibleBlockSize = 18 + extensibleExtraSize;

// An extensible record is plain PCM when its subformat says so and every bit of the container
// is a valid bit.
bool extensiblePcm(const WaveClip& clip) {
    if (clip.format.extraSize < extensibleExtraSize ||
        clip.formatBlock.size() < extensibleBlockSize)
        return false;
    const uint8_t* extra = clip.formatBlock.data() + 18;
    uint16_t validBits = uint16_t(extra[0] | extra[1] << 8);
    return validBits == clip.format.bitsPerSample && std::memcmp(extra + 6, pcmSubformat, 16) == 0;
}

} // namespace

bool waveFormatPlayable(const WaveClip& clip) {
    const WaveFormat& f = clip.format;
    if (f.formatTag != wavePcmTag && !(f.formatTag == waveExtensibleTag && extensiblePcm(clip)))
        return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.samplesPerSec < 100 || f.samplesPerSec > 200000) return false;
    // The frame size decides how the samples are read, so it must agree with the rest.
    return f.blockAlign == f.channels * f.bitsPerSample / 8;
}

} // namespace zema
