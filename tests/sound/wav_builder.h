// Builds RIFF WAVE files byte by byte, well-formed or broken on purpose.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "sound/wav_reader.h"

namespace zema {

using Bytes = std::vector<uint8_t>;

void append32(Bytes& out, uint32_t value);
void append16(Bytes& out, uint16_t value);
Bytes join(std::initializer_list<Bytes> parts);

// A chunk with its true size and its pad byte when the size is odd.
Bytes chunk(const char* id, const Bytes& data);
// A chunk header claiming any size, followed by whatever data is given.
Bytes chunkClaiming(const char* id, uint32_t size, const Bytes& data);
// A "RIFF" chunk of the given form type holding the given chunks.
Bytes riffForm(const char* formType, const Bytes& chunks);

// The 16-byte PCM format record.
Bytes pcmFormat(uint16_t channels, uint32_t rate, uint16_t bits);
// The 40-byte WAVE_FORMAT_EXTENSIBLE record, with the PCM subformat unless told otherwise.
Bytes extensibleFormat(uint16_t channels, uint32_t rate, uint16_t bits, uint8_t subformat = 1);
Bytes samples16(const std::vector<int16_t>& values);

// A whole PCM file.
Bytes pcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data);

// Reads the bytes as a file would be read.
WaveResult readBytes(const Bytes& bytes, WaveClip& clip);
// Writes the bytes into a file under the system's temporary folder; its path.
std::string writeTempFile(const std::string& name, const Bytes& bytes);

} // namespace zema
