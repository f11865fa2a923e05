// The RIFF walk of a WAVE file: find the form, its leading "fmt " chunk and then its "data".
#include "sound/wav_reader.h"

#include <cerrno>

#include <algorithm>
#include <cstring>

#include "platform/files.h"

#include "little_endian.h"

namespace zema {

namespace {

constexpr uint32_t minFormatBlockBytes = 18; // a WAVEFORMATEX with its extra-size field

struct ChunkHeader {
    char id[4];
    uint32_t size;
    uint64_t dataStart;
};

bool sameId(const char* id, const char* expected) {
    return std::memcmp(id, expected, 4) == 0;
}

// Reads up to count bytes at offset; the number read, or -1 when the file reports an error.
int64_t readAt(std::FILE* file, uint64_t offset, void* into, size_t count) {
    if (count == 0) return 0;
    if (std::fseek(file, long(offset), SEEK_SET) != 0) return -1;
    size_t got = std::fread(into, 1, count, file);
    if (got < count && std::ferror(file)) return -1;
    return int64_t(got);
}

// A chunk can be entered when its whole header lies before limit.
bool enterChunk(std::FILE* file, uint64_t at, uint64_t limit, ChunkHeader& chunk) {
    uint8_t bytes[8];
    if (at + 8 > limit || readAt(file, at, bytes, 8) != 8) return false;
    std::memcpy(chunk.id, bytes, 4);
    chunk.size = read32(bytes + 4);
    chunk.dataStart = at + 8;
    return true;
}

// Where the next chunk starts: after the data and its pad byte when the size is odd.
uint64_t chunkEnd(const ChunkHeader& chunk) {
    return chunk.dataStart + chunk.size + (chunk.size & 1);
}

WaveFormat formatFromBlock(const std::vector<uint8_t>& block) {
    const uint8_t* b = block.data();
    return {read16(b),      read16(b + 2),  read32(b + 4), read32(b + 8),
            read16(b + 12), read16(b + 14), read16(b + 16)};
}

} // namespace

WaveResult readWave(std::FILE* file, WaveClip& clip) {
    clip = WaveClip{};
    if (std::fseek(file, 0, SEEK_END) != 0) return waveReadError;
    long endOffset = std::ftell(file);
    if (endOffset < 0) return waveReadError;
    const uint64_t fileSize = uint64_t(endOffset);

    // The first "RIFF" chunk of the file, whatever comes before it, must be of form "WAVE". A
    // form type the file cannot supply counts as none.
    ChunkHeader riff;
    uint64_t at = 0;
    for (;;) {
        if (!enterChunk(file, at, fileSize, riff)) return waveNotWave;
        if (sameId(riff.id, "RIFF")) break;
        at = chunkEnd(riff);
    }
    char formType[4] = {};
    int64_t got = readAt(file, riff.dataStart, formType, 4);
    if (got < 0) return waveReadError;
    if (got < 4 || !sameId(formType, "WAVE")) return waveNotWave;
    // Chunks inside the form end with the form or with the file, whichever comes first.
    const uint64_t formLimit = std::min<uint64_t>(riff.dataStart + riff.size, fileSize);

    ChunkHeader fmt;
    if (!enterChunk(file, riff.dataStart + 4, formLimit, fmt) || !sameId(fmt.id, "fmt "))
        return waveNoFormat;
    clip.formatChunkSize = fmt.size;
    clip.formatBlockSize = std::max(fmt.size, minFormatBlockBytes);
    // Never hold more of the block than the file can supply; a short read leaves zeros.
    uint64_t supplied = std::min<uint64_t>(fmt.size, fileSize - fmt.dataStart);
    clip.formatBlock.assign(std::max<uint64_t>(supplied, minFormatBlockBytes), 0);
    if (readAt(file, fmt.dataStart, clip.formatBlock.data(), size_t(supplied)) < 0)
        return waveReadError;
    clip.format = formatFromBlock(clip.formatBlock);

    // Every step moves forward by at least a header, so the search always ends.
    ChunkHeader data;
    at = chunkEnd(fmt);
    for (;;) {
        if (!enterChunk(file, at, formLimit, data)) return waveNoData;
        if (sameId(data.id, "data")) break;
        at = chunkEnd(data);
    }
    clip.dataSize = data.size;
    if (data.size > maxWaveDataBytes) return waveDataTooLarge;
    if (!waveFormatPlayable(clip)) return waveUnsupported;
    if (data.size < minWaveDataBytes || data.size < clip.format.blockAlign) return waveEmptyData;

    // The samples may run past the form's end, as far as the file goes.
    supplied = std::min<uint64_t>(data.size, fileSize - std::min(data.dataStart, fileSize));
    clip.samples.resize(size_t(supplied));
    got = readAt(file, data.dataStart, clip.samples.data(), size_t(supplied));
    if (got < 0) return waveReadError;
    clip.samples.resize(size_t(got));
    return waveOk;
}

WaveResult readWaveFile(const char* fileName, WaveClip& clip) {
    std::FILE* file = openFile(fileName, "rb");
    if (!file) {
        const int why = errno; // for the caller's report
        clip = WaveClip{};
        errno = why;
        return waveCannotOpen;
    }
    WaveResult result = readWave(file, clip);
    std::fclose(file);
    return result;
}

const char* waveResultText(WaveResult result) {
    switch (result) {
    case waveOk:
        return "read";
    case waveCannotOpen:
        return "cannot be opened";
    case waveReadError:
        return "cannot be read";
    case waveNotWave:
        return "not a RIFF WAVE file";
    case waveNoFormat:
        return "no \"fmt \" chunk first in the RIFF WAVE form";
    case waveNoData:
        return "no \"data\" chunk after the \"fmt \" chunk";
    case waveEmptyData:
        return "the \"data\" chunk is shorter than one sample frame";
    case waveDataTooLarge:
        return "the \"data\" chunk is larger than 0x0FFFFFFF bytes";
    case waveUnsupported:
        return "a format we do not play (we play 8- or 16-bit PCM, 1 or 2 channels, "
               "100 to 200,000 Hz)";
    }
    return "refused";
}

} // namespace zema
