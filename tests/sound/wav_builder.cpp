// The WAV file builder for the sound tests.
#include "wav_builder.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace zema {

void append32(Bytes& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

void append16(Bytes& out, uint16_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes chunkClaiming(const char* id, uint32_t size, const Bytes& data) {
    Bytes out(id, id + 4);
    append32(out, size);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Bytes chunk(const char* id, const Bytes& data) {
    Bytes out = chunkClaiming(id, uint32_t(data.size()), data);
    if (data.size() & 1) out.push_back(0);
    return out;
}

Bytes riffForm(const char* formType, const Bytes& chunks) {
    Bytes data(formType, formType + 4);
    data.insert(data.end(), chunks.begin(), chunks.end());
    return chunk("RIFF", data);
}

Bytes pcmFormat(uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes out;
    uint16_t blockAlign = uint16_t(channels * bits / 8);
    append16(out, 1);
    append16(out, channels);
    append32(out, rate);
    append32(out, rate * blockAlign);
    append16(out, blockAlign);
    append16(out, bits);
    return out;
}

Bytes extensibleFormat(uint16_t channels, uint32_t rate, uint16_t bits, uint8_t subformat) {
    Bytes out = pcmFormat(channels, rate, bits);
    out[0] = 0xFE;
    out[1] = 0xFF;
    append16(out, 22);
    append16(out, bits);                  // valid bits
    append32(out, channels == 2 ? 3 : 4); // speaker mask
    const uint8_t guidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                  0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    out.push_back(subformat);
    out.push_back(0);
    out.insert(out.end(), guidTail, guidTail + 14);
    return out;
}

Bytes samples16(const std::vector<int16_t>& values) {
    Bytes out;
    for (int16_t v : values)
        append16(out, uint16_t(v));
    return out;
}

Bytes pcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data) {
    return riffForm("WAVE",
                    join({chunk("fmt ", pcmFormat(channels, rate, bits)), chunk("data", data)}));
}

WaveResult readBytes(const Bytes& bytes, WaveClip& clip) {
    std::FILE* file = std::tmpfile();
    if (!file) return waveCannotOpen;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fflush(file);
    WaveResult result = readWave(file, clip);
    std::fclose(file);
    return result;
}

std::string writeTempFile(const std::string& name, const Bytes& bytes) {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file) {
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path.string();
}

} // namespace zema
