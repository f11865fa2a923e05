// The six WAV files the generator makes, in slot order: each file's name, its synthesis and its
// sample size, from the game's sound list.
#pragma once

#include "synth.h"

namespace zema {

struct SoundFile {
    const char* name;
    Track (*make)();
    int bits;
};

constexpr int soundFileCount = 6;
extern const SoundFile soundFiles[soundFileCount];

} // namespace zema
