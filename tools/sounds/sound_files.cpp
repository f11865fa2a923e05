// The table of the six generated WAV files, shared by zema-make-sounds and the browser build.
#include "sound_files.h"

#include "sounds.h"

const SoundFile soundFiles[soundFileCount] = {
    {"bgm.wav", makeTune, 16}, {"clear.wav", makeFanfare, 16}, {"door.wav", makeGate, 8},
    {"get.wav", makeItem, 8},  {"hit.wav", makeHit, 16},       {"over.wav", makeGameOver, 16}};
