// Reads a RIFF WAVE file into memory: its format block and its samples, as they stand. It takes
// exactly the files the original did: the first "RIFF" chunk must be of form "WAVE", the first
// chunk inside it "fmt "; chunks between "fmt " and "data" are skipped with their pad byte. A
// chunk size that claims more than the file holds never drives an allocation: only the bytes
// present are kept, and the rest plays as silence, as a short read did in the original. Refusing
// any of the six files ends the game's start-up with status 255.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

namespace zema {

// Why a file was refused, or waveOk.
enum WaveResult {
    waveOk,
    waveCannotOpen,   // the file cannot be opened
    waveReadError,    // reading or seeking failed
    waveNotWave,      // no "RIFF" chunk, or the first one is not of form "WAVE"
    waveNoFormat,     // the first chunk inside the form is not "fmt "
    waveNoData,       // no "data" chunk follows "fmt " inside the form
    waveEmptyData,    // the "data" chunk is smaller than one frame or the 4-byte minimum
    waveDataTooLarge, // the "data" chunk claims more than maxWaveDataBytes
    waveUnsupported   // a format we cannot play
};

// The largest buffer the sound output takes, and the smallest.
constexpr uint32_t maxWaveDataBytes = 0x0FFFFFFF;
constexpr uint32_t minWaveDataBytes = 4;

constexpr uint16_t wavePcmTag = 1;
constexpr uint16_t waveExtensibleTag = 0xFFFE;

// The fields of the format record (WAVEFORMATEX) that matter to us.
struct WaveFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSec;
    uint32_t avgBytesPerSec;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extraSize;
};

struct WaveClip {
    // The "fmt " chunk's size and the format block's: max(chunk size, 18), zero-filled, the
    // chunk's bytes first.
    uint32_t formatChunkSize = 0;
    uint32_t formatBlockSize = 0;
    // The start of the format block. Holds formatBlockSize bytes unless the file ends before the
    // chunk does; the bytes it lacks count as zero.
    std::vector<uint8_t> formatBlock;
    WaveFormat format = {};
    // The "data" chunk's size, and the bytes of it the file really holds (at most dataSize).
    // Missing samples at the end are silence.
    uint32_t dataSize = 0;
    std::vector<uint8_t> samples;
};

// Reads an open file from its start. On anything but waveOk the clip holds nothing useful.
WaveResult readWave(std::FILE* file, WaveClip& clip);
// On waveCannotOpen, errno tells why.
WaveResult readWaveFile(const char* fileName, WaveClip& clip);

// Why a file was refused, as a phrase for a message ("not a RIFF WAVE file").
const char* waveResultText(WaveResult result);

// Whether the sound output plays this format: PCM, or WAVE_FORMAT_EXTENSIBLE with the PCM
// subformat, 8-bit unsigned or 16-bit signed, 1 or 2 channels, 100 to 200,000 frames a second,
// a block alignment of channels x bits / 8.
bool waveFormatPlayable(const WaveClip& clip);

} // namespace zema
