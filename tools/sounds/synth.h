// Small synthesis kit for the game's sounds: sample buffers, envelopes, notes and WAV output.
#pragma once

#include <cstdint>
#include <vector>

namespace zema {

// One or two channels of float samples in -1..1, at a given rate. With wrap set, whatever is
// added past the end lands at the start again, so a loop joins without a seam.
struct Track {
    int rate;
    int channels;
    bool wrap;
    std::vector<float> left;
    std::vector<float> right; // empty for mono
};

Track makeTrack(int rate, int channels, double seconds, bool wrap);
// Adds to one frame; pan 0 is left, 1 right (ignored for mono).
void addFrame(Track& track, int64_t frame, float value, float pan);

double noteHz(int midiNote);

// Attack-decay-sustain-release gain at time t of a note held for hold seconds.
double envelope(double t, double attack, double decay, double sustain, double hold, double release);

// Repeatable white noise in -1..1.
float noise(uint32_t& seed);

// Scales the track so its largest magnitude is peak.
void normalise(Track& track, double peak);

// A canonical PCM WAV (16-byte "fmt ", then "data") with 8 or 16 bits per sample.
std::vector<uint8_t> encodeWave(const Track& track, int bits);
// Writes a canonical PCM WAV (16-byte "fmt ", then "data") with 8 or 16 bits per sample.
bool writeWave(const char* path, const Track& track, int bits);

} // namespace zema
