// libFuzzer target: any bytes through the WAV reader must give a result, never a crash or a
// sanitizer report, and an accepted clip must hold what it claims to.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "sound/wav_reader.h"

using namespace zema;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    WaveClip clip;
    WaveResult result = readWave(file, clip);
    std::fclose(file);
    if (result != waveOk) return 0;
    // What the reader promises about an accepted clip.
    if (!waveFormatPlayable(clip) || clip.samples.size() > clip.dataSize ||
        clip.samples.size() > size || clip.dataSize > maxWaveDataBytes ||
        clip.dataSize < minWaveDataBytes || clip.formatBlock.size() < 18 ||
        clip.formatBlock.size() > clip.formatBlockSize)
        std::abort();
    return 0;
}
