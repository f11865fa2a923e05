// The synthesis kit: buffers, envelopes, noise, normalising and the WAV writer.
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zema {

Track makeTrack(int rate, int channels, double seconds, bool wrap) {
    Track track{rate, channels, wrap, {}, {}};
    size_t frames = size_t(std::lround(seconds * rate));
    track.left.assign(frames, 0.0f);
    if (channels == 2) track.right.assign(frames, 0.0f);
    return track;
}

void addFrame(Track& track, int64_t frame, float value, float pan) {
    int64_t length = int64_t(track.left.size());
    if (track.wrap) frame = ((frame % length) + length) % length;
    if (frame < 0 || frame >= length) return;
    if (track.channels == 1) {
        track.left[frame] += value;
        return;
    }
    // Equal-power panning keeps a sound's loudness as it moves across. A note keeps its pan, so
    // the last pan's two gains are kept rather than worked out again for every frame.
    static float lastPan = -1;
    static double panCos = 0, panSin = 0;
    if (pan != lastPan) {
        const double angle = pan * 1.5707963267948966;
        panCos = std::cos(angle);
        panSin = std::sin(angle);
        lastPan = pan;
    }
    track.left[frame] += float(value * panCos * 1.4142135623730951);
    track.right[frame] += float(value * panSin * 1.4142135623730951);
}

double noteHz(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

double envelope(double t, double attack, double decay, double sustain, double hold,
                double release) {
    if (t < 0) return 0;
    double level;
    if (t < attack)
        level = t / attack;
    else if (t < attack + decay)
        level = 1.0 - (1.0 - sustain) * (t - attack) / decay;
    else
        level = sustain;
    if (t > hold) {
        // Release from wherever the note stood when let go.
        double atHold = envelope(hold, attack, decay, sustain, hold + 1.0, release);
        level = std::max(0.0, atHold * (1.0 - (t - hold) / release));
    }
    return level;
}

float noise(uint32_t& seed) {
    seed = seed * 1664525u + 1013904223u;
    return float(int32_t(seed) / 2147483648.0);
}

void normalise(Track& track, double peak) {
    float largest = 0;
    for (float v : track.left)
        largest = std::max(largest, std::fabs(v));
    for (float v : track.right)
        largest = std::max(largest, std::fabs(v));
    if (largest == 0) return;
    float scale = float(peak / largest);
    for (float& v : track.left)
        v *= scale;
    for (float& v : track.right)
        v *= scale;
}

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putId(std::vector<uint8_t>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

} // namespace

std::vector<uint8_t> encodeWave(const Track& track, int bits) {
    uint32_t frames = uint32_t(track.left.size());
    uint32_t blockAlign = uint32_t(track.channels * bits / 8);
    uint32_t dataBytes = frames * blockAlign;
    std::vector<uint8_t> out;
    out.reserve(44 + size_t(dataBytes) + 1); // the whole file: one allocation
    putId(out, "RIFF");
    put32(out, 4 + 8 + 16 + 8 + dataBytes + (dataBytes & 1));
    putId(out, "WAVE");
    putId(out, "fmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, uint32_t(track.channels));
    put32(out, uint32_t(track.rate));
    put32(out, uint32_t(track.rate) * blockAlign);
    put16(out, blockAlign);
    put16(out, uint32_t(bits));
    putId(out, "data");
    put32(out, dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        for (int c = 0; c < track.channels; ++c) {
            double v = std::clamp(double(c == 0 ? track.left[i] : track.right[i]), -1.0, 1.0);
            if (bits == 8)
                out.push_back(uint8_t(128 + std::lround(v * 127)));
            else
                put16(out, uint32_t(uint16_t(int16_t(std::lround(v * 32767)))));
        }
    }
    if (dataBytes & 1) out.push_back(0);
    return out;
}

bool writeWave(const char* path, const Track& track, int bits) {
    const std::vector<uint8_t> out = encodeWave(track, bits);
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

} // namespace zema
