// The background tune: sixteen bars in A minor at 120 beats a minute, a 32-second loop of
// melody, bass, pad and soft drums. Everything is rendered onto a wrapping track, so tails that
// ring past the end fall onto the start and the loop joins without a click.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace zema {

namespace {

constexpr int tuneRate = 44100;
constexpr int eighthFrames = tuneRate / 4; // 120 beats a minute
constexpr double eighthSeconds = 0.25;
constexpr int bars = 16;
constexpr int barFrames = 8 * eighthFrames;
constexpr double twoPi = 6.283185307179586;

struct Chord {
    int bassNote;
    bool minor;
};

// Am F C G | Am F G E | F G C Am | Dm Em F E, back to Am at the loop.
const Chord chords[bars] = {{45, true},  {41, false}, {48, false}, {43, false},
                            {45, true},  {41, false}, {43, false}, {40, false},
                            {41, false}, {43, false}, {48, false}, {45, true},
                            {38, true},  {40, true},  {41, false}, {40, false}};

struct Note {
    int pitch; // MIDI note, or -1 for a rest
    int eighths;
};

const Note melody[] = {
    {76, 2}, {72, 1}, {69, 1}, {71, 2}, {72, 2}, // Am
    {69, 2}, {72, 1}, {77, 1}, {76, 2}, {72, 2}, // F
    {67, 2}, {72, 1}, {76, 1}, {79, 3}, {76, 1}, // C
    {74, 4}, {71, 2}, {67, 2},                   // G
    {76, 2}, {72, 1}, {69, 1}, {71, 2}, {72, 2}, // Am
    {69, 2}, {72, 2}, {77, 2}, {76, 1}, {74, 1}, // F
    {74, 2}, {71, 2}, {74, 1}, {79, 1}, {77, 2}, // G
    {76, 4}, {68, 2}, {71, 2},                   // E
    {72, 2}, {77, 2}, {81, 3}, {79, 1},          // F
    {79, 2}, {74, 2}, {71, 2}, {74, 2},          // G
    {76, 3}, {74, 1}, {72, 2}, {67, 2},          // C
    {69, 2}, {72, 2}, {76, 2}, {81, 2},          // Am
    {77, 3}, {76, 1}, {74, 2}, {69, 2},          // Dm
    {79, 2}, {76, 2}, {71, 2}, {76, 2},          // Em
    {81, 2}, {79, 1}, {77, 1}, {76, 2}, {72, 2}, // F
    {71, 3}, {-1, 1}, {68, 2}, {71, 2},          // E
};

// Bass steps in semitones above the chord's bass note, one per eighth.
const int bassSteps[8] = {0, 0, 12, 0, 7, 0, 12, 7};

// A soft FM lead with a little vibrato and a quiet echo on the other side.
void addLead(Track& track, int64_t start, double hold, double hz) {
    const double release = 0.15;
    const int64_t echoFrames = 3 * eighthFrames;
    int64_t frames = int64_t((hold + release) * tuneRate);
    double phase = 0;
    for (int64_t i = 0; i < frames; ++i) {
        double t = double(i) / tuneRate;
        double vibratoDepth = 0.004 * std::clamp((t - 0.2) / 0.3, 0.0, 1.0);
        phase += twoPi * hz * (1 + vibratoDepth * std::sin(twoPi * 5.5 * t)) / tuneRate;
        double index = 0.9 * std::exp(-t * 5) + 0.3;
        double v = std::sin(phase + index * std::sin(phase));
        double gain = 0.24 * envelope(t, 0.015, 0.3, 0.6, hold, release);
        addFrame(track, start + i, float(v * gain), 0.42f);
        addFrame(track, start + i + echoFrames, float(v * gain * 0.3), 0.75f);
    }
}

// Bass notes, pad notes and kicks repeat all through the tune: each distinct one is rendered once,
// the first time it sounds, and its samples are added wherever it sounds again.
using Rendered = std::vector<float>;

// A plucked bass: a few harmonics, the upper ones dying first.
void addBass(Track& track, int64_t start, double hz, std::map<double, Rendered>& notes) {
    const double hold = 0.2, release = 0.04;
    int64_t frames = int64_t((hold + release) * tuneRate);
    Rendered& note = notes[hz];
    for (int64_t i = int64_t(note.size()); i < frames; ++i) {
        double t = double(i) / tuneRate;
        double v = 0;
        for (int k = 1; k <= 8; ++k)
            v += std::sin(twoPi * k * hz * t) / k * std::exp(-t * (2 + 3 * k));
        double gain = 0.34 * envelope(t, 0.004, 0.05, 0.8, hold, release);
        note.push_back(float(v * gain));
    }
    for (int64_t i = 0; i < frames; ++i)
        addFrame(track, start + i, note[size_t(i)], 0.5f);
}

// A slow, wide pad: each chord note slightly detuned apart on the two sides (left and right
// samples interleaved in the rendered note).
void addPad(Track& track, int64_t start, double hold, double hz,
            std::map<double, Rendered>& notes) {
    const double release = 0.5;
    int64_t frames = int64_t((hold + release) * tuneRate);
    Rendered& note = notes[hz];
    for (int64_t i = int64_t(note.size()) / 2; i < frames; ++i) {
        double t = double(i) / tuneRate;
        double gain = 0.045 * envelope(t, 0.35, 0.01, 1.0, hold, release);
        double octave = 0.25 * std::sin(twoPi * 2 * hz * t);
        note.push_back(float(gain * (std::sin(twoPi * hz * 0.997 * t) + octave)));
        note.push_back(float(gain * (std::sin(twoPi * hz * 1.003 * t) + octave)));
    }
    for (int64_t i = 0; i < frames; ++i) {
        addFrame(track, start + i, note[size_t(2 * i)], 0);
        addFrame(track, start + i, note[size_t(2 * i + 1)], 1);
    }
}

void addKick(Track& track, int64_t start, Rendered& kick) {
    const int64_t frames = int64_t(0.35 * tuneRate);
    double phase = 0;
    for (int64_t i = int64_t(kick.size()); i < frames; ++i) {
        double t = double(i) / tuneRate;
        phase += twoPi * (45 + 85 * std::exp(-t * 28)) / tuneRate;
        double attack = std::min(1.0, t / 0.002);
        kick.push_back(float(0.5 * attack * std::exp(-t * 9) * std::sin(phase)));
    }
    for (int64_t i = 0; i < frames; ++i)
        addFrame(track, start + i, kick[size_t(i)], 0.5f);
}

void addSnare(Track& track, int64_t start, uint32_t& seed) {
    float previous = 0;
    for (int64_t i = 0; i < int64_t(0.25 * tuneRate); ++i) {
        double t = double(i) / tuneRate;
        float n = noise(seed);
        double v = 0.09 * (n - previous) * std::exp(-t * 20) +
                   0.1 * std::sin(twoPi * 190 * t) * std::exp(-t * 30);
        previous = n;
        addFrame(track, start + i, float(v * std::min(1.0, t / 0.001)), 0.45f);
    }
}

void addHat(Track& track, int64_t start, uint32_t& seed) {
    float previous = 0;
    for (int64_t i = 0; i < int64_t(0.06 * tuneRate); ++i) {
        double t = double(i) / tuneRate;
        float n = noise(seed);
        addFrame(track, start + i, float(0.035 * (n - previous) * std::exp(-t * 70)), 0.62f);
        previous = n;
    }
}

int padNote(int bassNote, int interval) {
    int pitch = bassNote + interval;
    while (pitch < 55)
        pitch += 12;
    while (pitch >= 67)
        pitch -= 12;
    return pitch;
}

} // namespace

Track makeTune() {
    Track track = makeTrack(tuneRate, 2, double(bars * barFrames) / tuneRate, true);
    uint32_t seed = 12345;
    std::map<double, Rendered> padNotes, bassNotes;
    Rendered kick;
    for (int bar = 0; bar < bars; ++bar) {
        int64_t barStart = int64_t(bar) * barFrames;
        const Chord& chord = chords[bar];
        for (int interval : {0, chord.minor ? 3 : 4, 7})
            addPad(track, barStart, 2.0 - 0.1, noteHz(padNote(chord.bassNote, interval)), padNotes);
        for (int step = 0; step < 8; ++step) {
            int64_t at = barStart + int64_t(step) * eighthFrames;
            addBass(track, at, noteHz(chord.bassNote + bassSteps[step]), bassNotes);
            if (step == 0 || step == 4) addKick(track, at, kick);
            if (step == 2 || step == 6) addSnare(track, at, seed);
            if (step % 2 == 1) addHat(track, at, seed);
        }
    }
    int64_t at = 0;
    for (const Note& note : melody) {
        if (note.pitch >= 0)
            addLead(track, at * eighthFrames, note.eighths * eighthSeconds * 0.9,
                    noteHz(note.pitch));
        at += note.eighths;
    }
    normalise(track, 0.5);
    return track;
}

} // namespace zema
