// The six WAV files the generator makes: each file's name, its synthesis and its sample size.
#pragma once

#include "synth.h"

struct SoundFile {
    const char* name;
    Track (*make)();
    int bits;
};

constexpr int soundFileCount = 6;
extern const SoundFile soundFiles[soundFileCount];
