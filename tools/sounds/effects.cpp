// The five effects: each must be told apart at once, even over the tune.
#include "sounds.h"

#include <algorithm>
#include <cmath>

namespace zema {

namespace {

constexpr double twoPi = 6.283185307179586;

// A brassy FM voice: the brightness follows the loudness, as in a horn.
void addBrass(Track& track, double start, double hold, double hz, float pan, double level) {
    const double release = 0.25;
    int64_t first = int64_t(start * track.rate);
    int64_t frames = int64_t((hold + release) * track.rate);
    for (int64_t i = 0; i < frames; ++i) {
        double t = double(i) / track.rate;
        double gain = envelope(t, 0.03, 0.15, 0.75, hold, release);
        double phase = twoPi * hz * t;
        double v = std::sin(phase + 2.2 * gain * std::sin(phase));
        addFrame(track, first + i, float(level * gain * v), pan);
    }
}

// A square wave built from its first odd harmonics, so it stays clean at low rates.
double softSquare(double phase, double hz, int rate) {
    double v = 0;
    for (int k = 1; k <= 9 && k * hz < rate / 2.2; k += 2)
        v += std::sin(k * phase) / k;
    return v;
}

} // namespace

// Goal fanfare: a quick rising C major call, then the held chord.
Track makeFanfare() {
    Track track = makeTrack(44100, 2, 2.2, false);
    const int call[] = {67, 72, 76};
    for (int i = 0; i < 3; ++i)
        addBrass(track, i * 0.12, 0.09, noteHz(call[i]), 0.5f, 0.5);
    addBrass(track, 0.36, 1.45, noteHz(79), 0.5f, 0.5);
    addBrass(track, 0.36, 1.45, noteHz(72), 0.25f, 0.3);
    addBrass(track, 0.36, 1.45, noteHz(76), 0.75f, 0.3);
    addBrass(track, 0.36, 1.45, noteHz(60), 0.5f, 0.3);
    normalise(track, 0.65);
    return track;
}

// Gate opening: a motor rising under a grinding rumble, ending in a heavy clunk.
Track makeGate() {
    Track track = makeTrack(22050, 1, 0.95, false);
    uint32_t seed = 777;
    double phase = 0, rumble = 0, smoother = 0;
    for (int64_t i = 0; i < int64_t(track.left.size()); ++i) {
        double t = double(i) / track.rate;
        double rise = std::min(t / 0.7, 1.0);
        double hz = 90 + 260 * rise * rise;
        phase += twoPi * hz / track.rate;
        double motorGain = envelope(t, 0.04, 0.1, 0.8, 0.68, 0.06);
        // Low-passed noise, its cutoff opening as the gate moves.
        rumble += (0.05 + 0.15 * rise) * (noise(seed) - rumble);
        smoother += (0.05 + 0.15 * rise) * (rumble - smoother);
        double v = 0.5 * motorGain * softSquare(phase, hz, track.rate) + 2.5 * motorGain * smoother;
        if (t > 0.72) {
            double c = t - 0.72;
            v += 0.9 * std::exp(-c * 18) * std::sin(twoPi * 68 * c) * std::min(1.0, c / 0.002);
        }
        track.left[i] = float(v);
    }
    normalise(track, 0.7);
    return track;
}

// Item taken: a bright two-note chime going up.
Track makeItem() {
    Track track = makeTrack(22050, 1, 0.3, false);
    const double starts[2] = {0.0, 0.06};
    const double pitches[2] = {noteHz(83), noteHz(88)};
    const double holds[2] = {0.05, 0.16};
    for (int n = 0; n < 2; ++n) {
        int64_t first = int64_t(starts[n] * track.rate);
        for (int64_t i = 0; first + i < int64_t(track.left.size()); ++i) {
            double t = double(i) / track.rate;
            double gain = envelope(t, 0.003, 0.04, 0.6, holds[n], 0.06);
            double phase = twoPi * pitches[n] * t;
            track.left[first + i] += float(0.5 * gain * softSquare(phase, pitches[n], track.rate));
        }
    }
    normalise(track, 0.6);
    return track;
}

// Hit: a short crunch, noise over a tone diving down.
Track makeHit() {
    Track track = makeTrack(22050, 1, 0.18, false);
    uint32_t seed = 4242;
    double phase = 0;
    for (int64_t i = 0; i < int64_t(track.left.size()); ++i) {
        double t = double(i) / track.rate;
        double hz = 110 + 650 * std::exp(-t * 22);
        phase += twoPi * hz / track.rate;
        double gain = std::exp(-t * 16) * std::min(1.0, t / 0.002) * (1 - t / 0.18);
        double v = 0.6 * softSquare(phase, hz, track.rate) + 0.5 * noise(seed);
        track.left[i] = float(gain * v);
    }
    normalise(track, 0.65);
    return track;
}

// Game over: four falling, drooping horn notes, the last one long and wavering.
Track makeGameOver() {
    Track track = makeTrack(32000, 1, 3.0, false);
    const int notes[4] = {64, 63, 62, 61};
    const double starts[4] = {0.0, 0.45, 0.9, 1.35};
    const double holds[4] = {0.36, 0.36, 0.36, 1.2};
    for (int n = 0; n < 4; ++n) {
        int64_t first = int64_t(starts[n] * track.rate);
        int64_t frames = int64_t((holds[n] + 0.35) * track.rate);
        double phase = 0;
        for (int64_t i = 0; i < frames && first + i < int64_t(track.left.size()); ++i) {
            double t = double(i) / track.rate;
            // Each note sags a little; the last also wobbles.
            double bend = 1 - 0.03 * std::min(1.0, t / holds[n]);
            double wobble =
                n == 3 ? 1 + 0.012 * std::sin(twoPi * 5 * t) * std::min(1.0, t / 0.3) : 1.0;
            double hz = noteHz(notes[n] - 12) * bend * wobble;
            phase += twoPi * hz / track.rate;
            double gain = envelope(t, 0.04, 0.2, 0.7, holds[n], 0.35);
            double v = std::sin(phase + 1.6 * gain * std::sin(phase) + 0.5 * std::sin(2 * phase));
            track.left[first + i] += float(0.5 * gain * v);
        }
    }
    normalise(track, 0.7);
    return track;
}

} // namespace zema
